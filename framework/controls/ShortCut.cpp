#include "framework/controls/ShortCut.h"

#include "framework/base/SysUtils.h"
#include "platform/window/VirtualKeys.h"

namespace tsm {

namespace {

struct TKeyName {
  uint16_t Key;
  const char* Name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyName(uint16_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
  if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
  for (const TKeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return {};
}

uint16_t KeyOfName(std::string_view name) {
  if (name.size() == 1) {
    const char c = name[0];
    if (c >= 'a' && c <= 'z') return uint16_t(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return uint16_t(c);
  }
  for (uint16_t f = 1; f <= 12; ++f)
    if (SameText(name, "F" + std::to_string(f))) return uint16_t(VK_F1 + f - 1);
  for (const TKeyName& k : kKeyNames)
    if (SameText(name, k.Name)) return k.Key;
  return 0;
}

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  if (key & 0xFF00) return scNone;
  TShortCut s = key;
  if (shift.Contains(TShiftKey::Shift)) s |= scShift;
  if (shift.Contains(TShiftKey::Ctrl)) s |= scCtrl;
  if (shift.Contains(TShiftKey::Alt)) s |= scAlt;
  return s;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = {};
  if (shortCut & scShift) shift.Include(TShiftKey::Shift);
  if (shortCut & scCtrl) shift.Include(TShiftKey::Ctrl);
  if (shortCut & scAlt) shift.Include(TShiftKey::Alt);
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut mods = 0;
  std::string_view rest = text;
  for (;;) {
    const auto plus = rest.find('+');
    if (plus == std::string_view::npos || plus + 1 == rest.size()) break;
    const std::string_view part = rest.substr(0, plus);
    if (SameText(part, "Shift")) mods |= scShift;
    else if (SameText(part, "Ctrl")) mods |= scCtrl;
    else if (SameText(part, "Alt")) mods |= scAlt;
    else return scNone;
    rest = rest.substr(plus + 1);
  }
  const uint16_t key = KeyOfName(rest);
  return key ? TShortCut(key | mods) : scNone;
}

}  // namespace tsm
