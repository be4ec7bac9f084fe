#include "skin/SkinNotation.h"

#include <algorithm>

#include "framework/base/SysUtils.h"

namespace tsm {

namespace {

constexpr const char* kMorphKindWords[] = {"mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
                                           "mkleftslide", "mkrightslide", "mkpush"};
constexpr const char* kInactiveEffectWords[] = {"iebrightness", "iedarkness",  "iegrayscale",
                                                "ienoise",      "iesplitblur", "ieinvert"};
constexpr const char* kCommandWords[] = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                         "cmdefault", "cmrollup",   "cmminimizetotray"};

// Index of the word in the table (exact comparison), or -1.
template <size_t N>
int WordIndex(const char* const (&words)[N], std::string_view text) {
  for (size_t i = 0; i < N; ++i)
    if (text == words[i]) return static_cast<int>(i);
  return -1;
}

// A name list is capped so that a corrupt count cannot exhaust memory or
// time; real skins hold a handful of pictures.
constexpr int32_t kMaxNameListCount = 4096;

}  // namespace

void ParseSkinFields(std::string_view value, int32_t* fields, int count) {
  std::string current;
  int index = 0;
  for (const char c : value) {
    if (c == ',') {
      if (index < count) fields[index] = StrToInt(current);
      ++index;
      current.clear();
    } else if (c >= '0' && c <= '9') {
      current += c;
    }
  }
  // The last field ends with the value; fields that were never reached are
  // empty and fail like any other empty field.
  if (index < count) fields[index] = StrToInt(current);
  ++index;
  while (index < count) {
    fields[index] = StrToInt("");
    ++index;
  }
}

TRect ReadSkinRect(const TskIniFile& ini, std::string_view section, std::string_view key, std::string_view def) {
  int32_t f[4];
  ParseSkinFields(ini.ReadString(section, key, def), f, 4);
  return {f[0], f[1], f[2], f[3]};
}

void WriteSkinRect(TskIniFile& ini, std::string_view section, std::string_view key, const TRect& r) {
  ini.WriteString(section, key,
                  IntToStr(r.Left) + "," + IntToStr(r.Top) + "," + IntToStr(r.Right) + "," + IntToStr(r.Bottom));
}

TPoint ReadSkinPoint(const TskIniFile& ini, std::string_view section, std::string_view key, std::string_view def) {
  int32_t f[2];
  ParseSkinFields(ini.ReadString(section, key, def), f, 2);
  return {f[0], f[1]};
}

void WriteSkinPoint(TskIniFile& ini, std::string_view section, std::string_view key, const TPoint& p) {
  ini.WriteString(section, key, IntToStr(p.X) + "," + IntToStr(p.Y));
}

bool ReadSkinFlag(const TskIniFile& ini, std::string_view section, std::string_view key) {
  return ini.ReadInteger(section, key, 0) == 1;
}

void WriteSkinFlag(TskIniFile& ini, std::string_view section, std::string_view key, bool value) {
  ini.WriteString(section, key, value ? "1" : "0");
}

TskFontStyles ParseFontStyle(std::string_view text) {
  TskFontStyles s;
  s.Bold = text.find("fsbold") != std::string_view::npos;
  s.Italic = text.find("fsitalic") != std::string_view::npos;
  s.Underline = text.find("fsunderline") != std::string_view::npos;
  s.StrikeOut = text.find("fsstrikeout") != std::string_view::npos;
  return s;
}

std::string FontStyleText(TskFontStyles styles) {
  std::string out;
  auto add = [&](bool on, const char* word) {
    if (!on) return;
    if (!out.empty()) out += ',';
    out += word;
  };
  add(styles.Bold, "fsbold");
  add(styles.Italic, "fsitalic");
  add(styles.Underline, "fsunderline");
  add(styles.StrikeOut, "fsstrikeout");
  return out;
}

TskFontStyles ReadFontStyle(const TskIniFile& ini, std::string_view section, std::string_view key) {
  return ParseFontStyle(ini.ReadString(section, key, ""));
}

void WriteFontStyle(TskIniFile& ini, std::string_view section, std::string_view key, TskFontStyles styles) {
  ini.WriteString(section, key, FontStyleText(styles));
}

const char* AlignmentWord(TskAlignment value) {
  switch (value) {
    case TskAlignment::taleftjustify: return "taleftjustify";
    case TskAlignment::tarightjustify: return "tarightjustify";
    case TskAlignment::tacenter: return "tacenter";
  }
  return "tacenter";
}

TskAlignment ReadAlignment(const TskIniFile& ini, std::string_view section, std::string_view key) {
  const std::string text = ini.ReadString(section, key, "tacenter");
  if (text == "tacenter") return TskAlignment::tacenter;
  if (text == "taleftjustify") return TskAlignment::taleftjustify;
  return TskAlignment::tarightjustify;
}

void WriteAlignment(TskIniFile& ini, std::string_view section, std::string_view key, TskAlignment value) {
  ini.WriteString(section, key, AlignmentWord(value));
}

const char* MorphKindWord(TskMorphKind value) {
  const auto i = static_cast<size_t>(value);
  return i < std::size(kMorphKindWords) ? kMorphKindWords[i] : kMorphKindWords[0];
}

TskMorphKind ReadMorphKind(const TskIniFile& ini, std::string_view section, std::string_view key) {
  const int i = WordIndex(kMorphKindWords, ini.ReadString(section, key, "mkdefault"));
  return i < 0 ? TskMorphKind::mkdefault : static_cast<TskMorphKind>(i);
}

void WriteMorphKind(TskIniFile& ini, std::string_view section, std::string_view key, TskMorphKind value) {
  ini.WriteString(section, key, MorphKindWord(value));
}

const char* InactiveEffectWord(TskInactiveEffect value) {
  const auto i = static_cast<size_t>(value);
  return i < std::size(kInactiveEffectWords) ? kInactiveEffectWords[i] : kInactiveEffectWords[2];
}

TskInactiveEffect ReadInactiveEffect(const TskIniFile& ini, std::string_view section, std::string_view key) {
  const int i = WordIndex(kInactiveEffectWords, ini.ReadString(section, key, "iebrightness"));
  return i < 0 ? TskInactiveEffect::iegrayscale : static_cast<TskInactiveEffect>(i);
}

void WriteInactiveEffect(TskIniFile& ini, std::string_view section, std::string_view key,
                         TskInactiveEffect value) {
  ini.WriteString(section, key, InactiveEffectWord(value));
}

const char* SkinCommandWord(TskCommand value) {
  // Every value from 6 up writes the last word.
  const auto i = std::min<size_t>(static_cast<size_t>(value), std::size(kCommandWords) - 1);
  return kCommandWords[i];
}

TskCommand ReadSkinCommand(const TskIniFile& ini, std::string_view section, std::string_view key) {
  const int i = WordIndex(kCommandWords, ini.ReadString(section, key, "cmdefault"));
  return i < 0 ? TskCommand::cmminimizetotray : static_cast<TskCommand>(i);
}

void WriteSkinCommand(TskIniFile& ini, std::string_view section, std::string_view key, TskCommand value) {
  ini.WriteString(section, key, SkinCommandWord(value));
}

std::vector<std::string> ReadNameList(const TskIniFile& ini, std::string_view section, std::string_view stem) {
  const int32_t count = std::min(ini.ReadInteger(section, std::string(stem) + "count", 0), kMaxNameListCount);
  std::vector<std::string> names(size_t(std::max(count, 0)));
  // Only keys that exist can differ from "": visit those.
  for (const std::string& key : ini.SectionKeys(section)) {
    int32_t i;
    if (key.empty() || key.size() > 4 || (key.size() > 1 && key[0] == '0') ||
        key.find_first_not_of("0123456789") != std::string::npos || !TryStrToInt(key, i) || i >= count)
      continue;
    names[size_t(i)] = ini.ReadString(section, key, "");
  }
  return names;
}

bool IsSkinDefinition(const TskIniFile& ini) {
  return ini.SectionExists("VERSION") && ini.SectionExists("PICTURES") && ini.SectionExists("FORMINFO") &&
         ini.SectionExists("SKINOBJECTS") && ini.SectionExists("SKINCONTROLS");
}

}  // namespace tsm
