#pragma once
// Colours as the skin files and the framework store them: a 32-bit integer with
// red in the low byte, then green, then blue (0x00BBGGRR). A value with the top
// byte 0xFF names a system colour by its index in the low byte; ColorToRGB
// resolves it to the classic desktop value.

#include <cstdint>

namespace tsm {

using TColor = int32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16));
}
constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(uint32_t(c) & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>((uint32_t(c) >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>((uint32_t(c) >> 16) & 0xFF); }

// System colour indexes (the classic desktop's COLOR_* numbering).
enum class TSysColor : uint8_t {
  ScrollBar = 0, Background = 1, ActiveCaption = 2, InactiveCaption = 3, Menu = 4, Window = 5,
  WindowFrame = 6, MenuText = 7, WindowText = 8, CaptionText = 9, ActiveBorder = 10,
  InactiveBorder = 11, AppWorkspace = 12, Highlight = 13, HighlightText = 14, BtnFace = 15,
  BtnShadow = 16, GrayText = 17, BtnText = 18, InactiveCaptionText = 19, BtnHighlight = 20,
  DkShadow3D = 21, Light3D = 22, InfoText = 23, InfoBk = 24, HotLight = 26,
  GradientActiveCaption = 27, GradientInactiveCaption = 28,
};

constexpr TColor kSystemColorFlag = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(TSysColor index) { return kSystemColorFlag | static_cast<TColor>(index); }
constexpr bool IsSystemColor(TColor c) { return (uint32_t(c) & 0xFF000000u) == 0xFF000000u; }

// The classic desktop values of the system colours (grey 0xC0C0C0 faces, navy
// selection). Unknown indexes resolve to black.
constexpr TColor SysColorValue(uint8_t index) {
  switch (index) {
    case 0: return RGB(192, 192, 192);   // scroll bar
    case 1: return RGB(0, 128, 128);     // desktop
    case 2: return RGB(0, 0, 128);       // active caption
    case 3: return RGB(128, 128, 128);   // inactive caption
    case 4: return RGB(192, 192, 192);   // menu
    case 5: return RGB(255, 255, 255);   // window
    case 6: return RGB(0, 0, 0);         // window frame
    case 7: return RGB(0, 0, 0);         // menu text
    case 8: return RGB(0, 0, 0);         // window text
    case 9: return RGB(255, 255, 255);   // caption text
    case 10: return RGB(192, 192, 192);  // active border
    case 11: return RGB(192, 192, 192);  // inactive border
    case 12: return RGB(128, 128, 128);  // application workspace
    case 13: return RGB(0, 0, 128);      // highlight
    case 14: return RGB(255, 255, 255);  // highlight text
    case 15: return RGB(192, 192, 192);  // button face
    case 16: return RGB(128, 128, 128);  // button shadow
    case 17: return RGB(128, 128, 128);  // grey text
    case 18: return RGB(0, 0, 0);        // button text
    case 19: return RGB(192, 192, 192);  // inactive caption text
    case 20: return RGB(255, 255, 255);  // button highlight
    case 21: return RGB(0, 0, 0);        // 3D dark shadow
    case 22: return RGB(192, 192, 192);  // 3D light
    case 23: return RGB(0, 0, 0);        // tool tip text
    case 24: return RGB(255, 255, 225);  // tool tip background
    case 26: return RGB(0, 0, 255);      // hot-tracked item
    case 27: return RGB(16, 132, 208);   // active caption gradient
    case 28: return RGB(192, 192, 192);  // inactive caption gradient
    default: return RGB(0, 0, 0);
  }
}

// Resolves system colours; plain colours are returned with the top byte cleared.
constexpr TColor ColorToRGB(TColor c) {
  if (IsSystemColor(c)) return SysColorValue(static_cast<uint8_t>(uint32_t(c) & 0xFF));
  return static_cast<TColor>(uint32_t(c) & 0x00FFFFFFu);
}

// Named colours.
constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clMaroon = RGB(128, 0, 0);
constexpr TColor clGreen = RGB(0, 128, 0);
constexpr TColor clOlive = RGB(128, 128, 0);
constexpr TColor clNavy = RGB(0, 0, 128);
constexpr TColor clPurple = RGB(128, 0, 128);
constexpr TColor clTeal = RGB(0, 128, 128);
constexpr TColor clGray = RGB(128, 128, 128);
constexpr TColor clSilver = RGB(192, 192, 192);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clLime = RGB(0, 255, 0);
constexpr TColor clYellow = RGB(255, 255, 0);
constexpr TColor clBlue = RGB(0, 0, 255);
constexpr TColor clFuchsia = RGB(255, 0, 255);
constexpr TColor clAqua = RGB(0, 255, 255);
constexpr TColor clWhite = RGB(255, 255, 255);
constexpr TColor clNone = static_cast<TColor>(0x1FFFFFFF);
constexpr TColor clDefault = static_cast<TColor>(0x20000000);

// System colours.
constexpr TColor clScrollBar = SystemColor(TSysColor::ScrollBar);
constexpr TColor clBackground = SystemColor(TSysColor::Background);
constexpr TColor clActiveCaption = SystemColor(TSysColor::ActiveCaption);
constexpr TColor clInactiveCaption = SystemColor(TSysColor::InactiveCaption);
constexpr TColor clMenu = SystemColor(TSysColor::Menu);
constexpr TColor clWindow = SystemColor(TSysColor::Window);
constexpr TColor clWindowFrame = SystemColor(TSysColor::WindowFrame);
constexpr TColor clMenuText = SystemColor(TSysColor::MenuText);
constexpr TColor clWindowText = SystemColor(TSysColor::WindowText);
constexpr TColor clCaptionText = SystemColor(TSysColor::CaptionText);
constexpr TColor clActiveBorder = SystemColor(TSysColor::ActiveBorder);
constexpr TColor clInactiveBorder = SystemColor(TSysColor::InactiveBorder);
constexpr TColor clAppWorkSpace = SystemColor(TSysColor::AppWorkspace);
constexpr TColor clHighlight = SystemColor(TSysColor::Highlight);
constexpr TColor clHighlightText = SystemColor(TSysColor::HighlightText);
constexpr TColor clBtnFace = SystemColor(TSysColor::BtnFace);
constexpr TColor clBtnShadow = SystemColor(TSysColor::BtnShadow);
constexpr TColor clGrayText = SystemColor(TSysColor::GrayText);
constexpr TColor clBtnText = SystemColor(TSysColor::BtnText);
constexpr TColor clInactiveCaptionText = SystemColor(TSysColor::InactiveCaptionText);
constexpr TColor clBtnHighlight = SystemColor(TSysColor::BtnHighlight);
constexpr TColor cl3DDkShadow = SystemColor(TSysColor::DkShadow3D);
constexpr TColor cl3DLight = SystemColor(TSysColor::Light3D);
constexpr TColor clInfoText = SystemColor(TSysColor::InfoText);
constexpr TColor clInfoBk = SystemColor(TSysColor::InfoBk);
constexpr TColor clHotLight = SystemColor(TSysColor::HotLight);
constexpr TColor clGradientActiveCaption = SystemColor(TSysColor::GradientActiveCaption);
constexpr TColor clGradientInactiveCaption = SystemColor(TSysColor::GradientInactiveCaption);

}  // namespace tsm
