#include "skinforms/SkinFrameTypes.h"

#include <array>

#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"

namespace tsm {

namespace {

struct TTextEntry {
  const char* Key;
  const char* BuiltIn;
};

constexpr std::array<TTextEntry, 12> kTexts{{
    {"CLOSEBUTTON_HINT", "关闭"},
    {"MAXBUTTON_HINT", "最大化"},
    {"MINBUTTON_HINT", "最小化"},
    {"MENUBUTTON_HINT", "系统菜单"},
    {"ROLLUPBUTTON_HINT", "向上卷拢"},
    {"TRAYBUTTON_HINT", "最小化到图标"},
    {"MI_MINCAPTION", "最小化(&n)"},
    {"MI_MAXCAPTION", "最大化(&x)"},
    {"MI_RESTORECAPTION", "还原(&R)"},
    {"MI_ROLLUPCAPTION", "向上卷拢(&l)"},
    {"MI_CLOSECAPTION", "关闭(&C)"},
    {"MI_MINTOTRAYCAPTION", "最小化到图标(&T)"},
}};

}  // namespace

std::string FrameText(const TskSkinData* skin, TskFrameText key) {
  const TTextEntry& e = kTexts[static_cast<size_t>(key)];
  if (skin && skin->ResourceStrData()) {
    std::string text = skin->ResourceStrData()->GetResStr(e.Key);
    // A table without the key keeps the built-in text rather than showing
    // an empty caption.
    if (!text.empty()) return text;
  }
  return e.BuiltIn;
}

bool CommandHintKey(TskCommand command, TskFrameText& key) {
  switch (command) {
    case TskCommand::cmclose: key = TskFrameText::CloseHint; return true;
    case TskCommand::cmmaximize: key = TskFrameText::MaxHint; return true;
    case TskCommand::cmminimize: key = TskFrameText::MinHint; return true;
    case TskCommand::cmsysmenu: key = TskFrameText::MenuHint; return true;
    case TskCommand::cmrollup: key = TskFrameText::RollUpHint; return true;
    case TskCommand::cmminimizetotray: key = TskFrameText::TrayHint; return true;
    case TskCommand::cmdefault: return false;
  }
  return false;
}

}  // namespace tsm
