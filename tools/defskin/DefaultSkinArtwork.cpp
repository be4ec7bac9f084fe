#include "tools/defskin/DefaultSkinArtwork.h"

#include <array>
#include <deque>
#include <string_view>

#include "platform/gfx/Bmp.h"
#include "tools/defskin/SkinArt.h"
#include "tools/defskin/SkinPalette.h"

namespace tsm {

using namespace skinpal;

namespace {

// ---------------------------------------------------------------------------
// Fonts. Everything uses the song face, whose 12-pixel bitmap strikes keep
// small Chinese text crisp; no bold (a synthesised bold smears those
// strikes). The label and the hint use the 14-pixel cell height that the
// windows' layouts expect.

const TSkinFont kUiFont{"宋体", -12, {}, kInk};
const TSkinFont kLabelFont{"宋体", 14, {}, RGB(0, 0, 0)};

TSkinFont WithColor(TSkinFont f, TColor c) {
  f.Color = c;
  return f;
}

TBitmap NewPicture(int32_t w, int32_t h, TColor ground) {
  TBitmap b(w, h);
  b.Fill(ground);
  return b;
}

// ---------------------------------------------------------------------------
// Glyph masks ('#' ink, '+' soft edge).

constexpr std::string_view kGlyphClose[] = {
    "#+.....+#",
    "+#+...+#+",
    ".+#+.+#+.",
    "..+#+#+..",
    "...+#+...",
    "..+#+#+..",
    ".+#+.+#+.",
    "+#+...+#+",
    "#+.....+#",
};
constexpr std::string_view kGlyphMaximize[] = {
    "#########",
    "#.......#",
    "#.......#",
    "#.......#",
    "#.......#",
    "#.......#",
    "#.......#",
    "#.......#",
    "#########",
};
constexpr std::string_view kGlyphRestore[] = {
    "..#######",
    "..#.....#",
    "#######.#",
    "#.....#.#",
    "#.....#.#",
    "#.....###",
    "#.....#..",
    "#.....#..",
    "#######..",
};
constexpr std::string_view kGlyphMinimize[] = {
    ".........",
    ".........",
    ".........",
    ".........",
    "#########",
    ".........",
    ".........",
    ".........",
    ".........",
};
constexpr std::string_view kGlyphRollUp[] = {
    "....#....",
    "...###...",
    "..##+##..",
    ".##+.+##.",
    "##+...+##",
};
constexpr std::string_view kGlyphRollDown[] = {
    "##+...+##",
    ".##+.+##.",
    "..##+##..",
    "...###...",
    "....#....",
};
constexpr std::string_view kGlyphTray[] = {
    "....#....",
    "....#....",
    "....#....",
    "..#.#.#..",
    "...###...",
    "....#....",
    ".........",
    "#########",
    "#########",
};
// The program's mark on the system menu button: a play triangle.
constexpr std::string_view kGlyphPlay[] = {
    "#....",
    "##...",
    "###..",
    "####.",
    "#####",
    "####.",
    "###..",
    "##...",
    "#....",
};
constexpr std::string_view kArrowLeft[] = {
    "...#",
    "..##",
    ".###",
    "####",
    ".###",
    "..##",
    "...#",
};
constexpr std::string_view kArrowRight[] = {
    "#...",
    "##..",
    "###.",
    "####",
    "###.",
    "##..",
    "#...",
};
constexpr std::string_view kArrowUp[] = {
    "...#...",
    "..###..",
    ".#####.",
    "#######",
};
constexpr std::string_view kArrowDown[] = {
    "#######",
    ".#####.",
    "..###..",
    "...#...",
};
constexpr std::string_view kSmallUp[] = {
    "..#..",
    ".###.",
    "#####",
};
constexpr std::string_view kSmallDown[] = {
    "#####",
    ".###.",
    "..#..",
};
constexpr std::string_view kChevronDown[] = {
    "#+...+#",
    "+#+.+#+",
    ".+#+#+.",
    "..+#+..",
};
constexpr std::string_view kEllipsis[] = {
    "#..#..#",
    "#..#..#",
};
constexpr std::string_view kTick[] = {
    ".......+#",
    "......+##",
    "#+...+##+",
    "##+.+##+.",
    "+##+##+..",
    ".+###+...",
    "..+#+....",
};
constexpr std::string_view kGripVertical[] = {  // on a horizontal bar's thumb
    "#.#.#",
    "#.#.#",
    "#.#.#",
    "#.#.#",
    "#.#.#",
};
constexpr std::string_view kGripHorizontal[] = {  // on a vertical bar's thumb
    "#####",
    ".....",
    "#####",
    ".....",
    "#####",
};

// ---------------------------------------------------------------------------
// The window frame and the caption.
//
// Main picture, 158 x 136 (client 4,23,154,131):
//
//   x: 0      1..2     3      4 ........ 153   154    155..156  157
//   y=0      outer line across the whole width
//   y=1..22  caption band (inactive greys): lit row 1, gradient, edge row 22
//   y=23..130 outer | border | inner line | client | inner | border | outer
//   y=131    inner line from x 3 to 154, border beside it
//   y=132..134 border, y=135 outer line
//
// Corner points (30,40) (128,40) (30,115) (128,115): everything between
// x 30 and 128 is uniform along x, everything between y 40 and 115 uniform
// along y, so the frame tiles to any size without seams.

constexpr int32_t kFrameWidth = 158;
constexpr int32_t kFrameHeight = 136;
constexpr TRect kFrameClient{4, 23, 154, 131};
constexpr int32_t kBorderWidth = 4;
// Window rows of the caption band (its last row is the edge line).
constexpr int32_t kCaptionFirstRow = 1;
constexpr int32_t kCaptionEdgeRow = 22;

// Colour of window row y (1..22) of the caption band.
TColor CaptionRow(bool active, int32_t y) {
  if (y <= kCaptionFirstRow) return active ? kCaptionLit : kCaptionInLit;
  if (y >= kCaptionEdgeRow) return active ? kCaptionEdge : kCaptionInEdge;
  const int weight = (y - 2) * 255 / (kCaptionEdgeRow - 1 - 2);
  return active ? MixColor(kCaptionTop, kCaptionBottom, weight) : MixColor(kCaptionInTop, kCaptionInBottom, weight);
}

TBitmap DrawFramePicture() {
  TBitmap bmp = NewPicture(kFrameWidth, kFrameHeight, kBody);
  TSkinArt art(bmp);
  art.Frame(bmp.Bounds(), kFrameOuter);
  for (int32_t y = kCaptionFirstRow; y <= kCaptionEdgeRow; ++y) art.HLine(1, kFrameWidth - 2, y, CaptionRow(false, y));
  const int32_t bottomInner = kFrameClient.Bottom;  // row 131
  art.Fill(TRect{1, 23, 3, bottomInner + 1}, kFrameBorder);
  art.Fill(TRect{kFrameWidth - 3, 23, kFrameWidth - 1, bottomInner + 1}, kFrameBorder);
  art.Fill(TRect{1, bottomInner + 1, kFrameWidth - 1, kFrameHeight - 1}, kFrameBorder);
  art.VLine(kFrameClient.Left - 1, 23, bottomInner, kFrameInner);
  art.VLine(kFrameClient.Right, 23, bottomInner, kFrameInner);
  art.HLine(kFrameClient.Left - 1, kFrameClient.Right, bottomInner, kFrameInner);
  return bmp;
}

// Caption picture (active 0), 156 x 190:
//
//   0,0 .. 156,22     the active caption band, window rows 1..22
//   from y 22         caption buttons, 28 x 21 each, one row per glyph:
//                     close, maximize, restore, minimize, roll up,
//                     roll down, to tray; columns normal, hot, pressed,
//                     inactive (x 0, 28, 56, 84)
//   from y 169        system menu button, 22 x 21: normal, hot, pressed,
//                     inactive (x 0, 22, 44, 66)
//
// The buttons stand on the caption from window row 1 to 21, so their
// grounds repeat those rows of the band: they blend into the caption in
// every state.

constexpr TSize kCaptionButton{28, 21};
constexpr TSize kSysMenuButton{22, 21};
constexpr int32_t kCaptionButtonsTop = 22;
enum TCaptionGlyph : int32_t { cgClose, cgMaximize, cgRestore, cgMinimize, cgRollUp, cgRollDown, cgTray, cgCount };
enum TButtonState : int32_t { bsNormal, bsHot, bsDown, bsInactive };

TRect CaptionButtonRect(TCaptionGlyph g, TButtonState s) {
  return TRect::FromSize(kCaptionButton.cx * s, kCaptionButtonsTop + kCaptionButton.cy * g, kCaptionButton.cx,
                         kCaptionButton.cy);
}

TRect SysMenuButtonRect(TButtonState s) {
  return TRect::FromSize(kSysMenuButton.cx * s, kCaptionButtonsTop + kCaptionButton.cy * cgCount, kSysMenuButton.cx,
                         kSysMenuButton.cy);
}

// Ground of a caption button in state s at window row y.
TColor CaptionButtonGround(TButtonState s, bool close, int32_t y) {
  const TColor band = CaptionRow(s != bsInactive, y);
  switch (s) {
    case bsHot: return close ? kCloseHot : MixColor(band, RGB(255, 255, 255), 52);
    case bsDown: return close ? kCloseDown : MixColor(band, RGB(0, 0, 0), 44);
    default: return band;
  }
}

void DrawCaptionButton(TSkinArt& art, const TRect& r, TButtonState s, bool close, TSkinArt::TMask glyph) {
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    art.HLine(r.Left, r.Right - 1, y, CaptionButtonGround(s, close, kCaptionFirstRow + y - r.Top));
  art.GlyphCentred(r, glyph, s == bsInactive ? kCaptionInText : kCaptionText);
}

TBitmap DrawCaptionPicture() {
  const int32_t h = kCaptionButtonsTop + kCaptionButton.cy * (cgCount + 1);
  TBitmap bmp = NewPicture(kFrameWidth - 2, h, kBody);
  TSkinArt art(bmp);
  for (int32_t y = 0; y < kCaptionButtonsTop; ++y) art.HLine(0, bmp.Width() - 1, y, CaptionRow(true, y + 1));
  const std::array<TSkinArt::TMask, cgCount> glyphs = {kGlyphClose,  kGlyphMaximize, kGlyphRestore, kGlyphMinimize,
                                                       kGlyphRollUp, kGlyphRollDown, kGlyphTray};
  for (int32_t g = 0; g < cgCount; ++g)
    for (int32_t s = bsNormal; s <= bsInactive; ++s)
      DrawCaptionButton(art, CaptionButtonRect(TCaptionGlyph(g), TButtonState(s)), TButtonState(s), g == cgClose,
                        glyphs[g]);
  for (int32_t s = bsNormal; s <= bsInactive; ++s) {
    const TRect r = SysMenuButtonRect(TButtonState(s));
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      art.HLine(r.Left, r.Right - 1, y, CaptionButtonGround(TButtonState(s), false, kCaptionFirstRow + y - r.Top));
    // A 14 x 14 tile carrying the play mark.
    const TRect tile = TRect::FromSize(r.Left + 4, r.Top + 3, 14, 14);
    const bool active = s != bsInactive;
    const TColor tileColor = active ? kCaptionText : kCaptionInText;
    art.SoftBox(tile, tileColor, TSkinFill::Flat(tileColor), art.PixelAt(tile.Left, tile.Top));
    art.Glyph(tile.Left + 5, tile.Top + 2, kGlyphPlay, active ? kCaptionBottom : kCaptionInTop);
  }
  return bmp;
}

void WriteFormInfo(TSkinDefinitionWriter& def) {
  def.Section("FORMINFO")
      .Corners({30, 40}, {128, 40}, {30, 115}, {128, 115})
      .Rect("clientrect", kFrameClient)
      .Int("bgpictureindex", -1)
      .Int("mdibgpictureindex", -1)
      .Flag("leftstretch", false)
      .Flag("rightstretch", false)
      .Flag("topstretch", false)
      .Flag("bottomstretch", false)
      .Rect("maskrectarea", {})
      // Diagonal sizing from the last 10 pixels of each corner.
      .Point("hittestlefttoppoint", {10, 10})
      .Point("hittestrighttoppoint", {kFrameWidth - 10, 10})
      .Point("hittestleftbottompoint", {10, kFrameHeight - 10})
      .Point("hittestrightbottompoint", {kFrameWidth - 10, kFrameHeight - 10})
      // The caption buttons stand on the caption's full height, flush with
      // the right border; their rectangle follows the window's right edge.
      .Rect("buttonsrect", {80, kCaptionFirstRow, kFrameWidth - 2, kCaptionEdgeRow})
      .Rect("captionrect", {kCaptionFirstRow, kCaptionFirstRow, kFrameWidth - 2, kCaptionEdgeRow})
      .Int("buttonsoffset", 0)
      .Flag("buttonsinleft", false)
      .Flag("mainmenupopupup", false)
      .Int("borderwidth", kBorderWidth)
      .Flag("autorenderinginactiveimage", false)
      .Text("inactiveeffect", "iebrightness");
}

void WriteCaptionObjects(TSkinDefinitionWriter& def) {
  // The caption: inactive look in the frame picture, active look in the
  // caption picture, both covering window rows 1..22 from x 1 to 157.
  const TRect captionRect{1, kCaptionFirstRow, kFrameWidth - 1, kCaptionEdgeRow + 1};
  def.ListEntry("SKINOBJECTS", "caption", "caption")
      .Text("hint", "")
      .Int("activepictureindex", kPicCaption)
      .Flag("skinrectinapicture", false)
      .Rect("skinrect", captionRect)
      .Rect("activeskinrect", TRect::FromSize(0, 0, captionRect.Width(), captionRect.Height()))
      .Rect("inactiveskinrect", {})
      .Flag("morphing", false)
      .Text("morphkind", "mkdefault")
      // Text from 7 pixels in; its right edge keeps 89 pixels clear for
      // three caption buttons at every window width.
      .Rect("textrect", {7, 0, captionRect.Width() - 89, kCaptionEdgeRow - kCaptionFirstRow})
      .Font(WithColor(kUiFont, kCaptionInText))
      .Color("activefontcolor", kCaptionText)
      .Text("alignment", "taleftjustify")
      .Flag("shadow", false)
      .Color("shadowcolor", 0)
      .Color("activeshadowcolor", 0)
      .Rect("framerect", {})
      .Rect("activeframerect", {})
      .Rect("frametextrect", {})
      .Int("frameleftoffset", 0)
      .Int("framerightoffset", 0);

  struct TButtonDef {
    const char* Name;
    const char* Command;
    TCaptionGlyph Glyph;
    int32_t RestoreGlyph;  // -1: no restore looks
  };
  const TButtonDef buttons[] = {
      {"closebutton", "cmclose", cgClose, -1},
      {"maxbutton", "cmmaximize", cgMaximize, cgRestore},
      {"minbutton", "cmminimize", cgMinimize, cgRestore},
      {"rollupbutton", "cmrollup", cgRollUp, cgRollDown},
      {"traybutton", "cmminimizetotray", cgTray, -1},
  };
  auto stdButton = [&](const char* name, const char* command, TRect normal, TRect hot, TRect down, TRect inactive,
                       const char* hint) -> TSkinSection& {
    return def.ListEntry("SKINOBJECTS", name, "stdbutton")
        .Text("hint", hint)
        .Int("activepictureindex", kPicCaption)
        .Flag("skinrectinapicture", true)
        .Rect("skinrect", normal)
        .Rect("activeskinrect", hot)
        .Rect("inactiveskinrect", inactive)
        .Flag("morphing", false)
        .Text("morphkind", "mkdefault")
        .Rect("downrect", down)
        .Rect("disableskinrsect", {})
        .Text("command", command);
  };
  for (const TButtonDef& b : buttons) {
    TSkinSection& s = stdButton(b.Name, b.Command, CaptionButtonRect(b.Glyph, bsNormal), CaptionButtonRect(b.Glyph, bsHot),
                                CaptionButtonRect(b.Glyph, bsDown), CaptionButtonRect(b.Glyph, bsInactive), "");
    if (b.RestoreGlyph >= 0) {
      const auto g = TCaptionGlyph(b.RestoreGlyph);
      s.Rect("restorerect", CaptionButtonRect(g, bsNormal))
          .Rect("restoreactiverect", CaptionButtonRect(g, bsHot))
          .Rect("restoredownrect", CaptionButtonRect(g, bsDown))
          .Rect("restoreinactiverect", CaptionButtonRect(g, bsInactive));
    } else {
      s.Rect("restorerect", {}).Rect("restoreactiverect", {}).Rect("restoredownrect", {}).Rect("restoreinactiverect", {});
    }
  }
  stdButton("sysmenubutton", "cmsysmenu", SysMenuButtonRect(bsNormal), SysMenuButtonRect(bsHot),
            SysMenuButtonRect(bsDown), SysMenuButtonRect(bsInactive), "")
      .Rect("restorerect", {})
      .Rect("restoreactiverect", {})
      .Rect("restoredownrect", {})
      .Rect("restoreinactiverect", {});
}

// ---------------------------------------------------------------------------
// Popup menus.
//
// Popup window picture (active 1), 61 x 40, items rectangle 20,8,53,33:
//
//   +-------------------------------------------+  outer line
//   |gutter (x 1..18)|:|  white, items from x 20 |
//   |  side band     |:|                         |  x 19: gutter line
//   +-------------------------------------------+
//
// Menu item picture (active 2), 54 x 100:
//   0,54,54,74   normal item: white
//   0,74,54,94   highlighted item: pale blue box, rounded ends 3 pixels wide
//   0,96,53,99   divider: a line between 4-pixel white ends

constexpr TRect kPopupItems{20, 8, 53, 33};

TBitmap DrawPopupPicture() {
  TBitmap bmp = NewPicture(61, 40, kSurface);
  TSkinArt art(bmp);
  art.Fill(TRect{1, 1, kPopupItems.Left - 1, bmp.Height() - 1}, kGutter);
  art.VLine(kPopupItems.Left - 1, 1, bmp.Height() - 2, kLine);
  art.Frame(bmp.Bounds(), kMenuBorder);
  return bmp;
}

constexpr TRect kMenuItemNormal{0, 54, 54, 74};
constexpr TRect kMenuItemActive{0, 74, 54, 94};
constexpr TRect kMenuDivider{0, 96, 53, 99};

TBitmap DrawMenuItemPicture() {
  TBitmap bmp = NewPicture(54, 100, kSurface);
  TSkinArt art(bmp);
  art.SoftBox(kMenuItemActive.Inflated(-1, 0), kMenuHotBorder, TSkinFill::Flat(kMenuHotFill), kSurface);
  art.HLine(kMenuDivider.Left + 4, kMenuDivider.Right - 5, kMenuDivider.Top + 1, kLine);
  return bmp;
}

void WritePopupWindow(TSkinDefinitionWriter& def) {
  def.Section("POPUPWINDOW")
      .Int("windowpictureindex", kPicPopup)
      .Int("maskpictureindex", -1)
      .Corners({22, 10}, {51, 10}, {22, 31}, {51, 31})
      .Rect("itemsrect", kPopupItems)
      .Color("scrollmarkercolor", kInkSoft)
      .Color("scrollmarkeractivecolor", kAccent)
      .Flag("leftstretch", false)
      .Flag("rightstretch", false)
      .Flag("topstretch", false)
      .Flag("bottomstretch", false);
}

void WriteMenuItem(TSkinDefinitionWriter& def) {
  def.ListEntry("SKINOBJECTS", "MENUITEM", "menuitem")
      .Text("hint", "")
      .Int("activepictureindex", kPicMenuItem)
      .Flag("skinrectinapicture", true)
      .Rect("skinrect", kMenuItemNormal)
      .Rect("activeskinrect", kMenuItemActive)
      .Rect("inactiveskinrect", {})
      .Flag("morphing", false)
      .Text("morphkind", "mkdefault")
      .Int("itemleftoffset", 3)
      .Int("itemrightoffset", 3)
      .Rect("dividerrect", kMenuDivider)
      .Int("dividerleftoffset", 4)
      .Int("dividerrightoffset", 4)
      .Rect("textrect", {2, 2, 52, 18})
      .Font(kUiFont)
      .Color("activefontcolor", kInkAccent)
      .Color("unenabledfontcolor", kMenuDisabled);
}

// ---------------------------------------------------------------------------
// Hint window (active 3), 47 x 21, text area 8,3,39,18: a white box with a
// grey border; every edge and the middle are flat, so it tiles freely.

TBitmap DrawHintPicture() {
  TBitmap bmp = NewPicture(47, 21, kHintFill);
  TSkinArt art(bmp);
  art.SoftBox(bmp.Bounds(), kHintBorder, TSkinFill::Flat(kHintFill), kBody);
  return bmp;
}

void WriteHintWindow(TSkinDefinitionWriter& def) {
  def.Section("HINTWINDOW")
      .Int("windowpictureindex", kPicHint)
      .Int("maskpictureindex", -1)
      .Corners({10, 5}, {37, 5}, {10, 16}, {37, 16})
      .Rect("clientrect", {8, 3, 39, 18})
      .Font(WithColor(kLabelFont, kHintText))
      .Flag("leftstretch", false)
      .Flag("rightstretch", false)
      .Flag("topstretch", false)
      .Flag("bottomstretch", false);
}

// ---------------------------------------------------------------------------
// Control sections share the control keys.

TSkinSection& ControlEntry(TSkinDefinitionWriter& def, const char* name, const char* kind, int32_t picture,
                           const TRect& skinRect) {
  return def.ListEntry("SKINCONTROLS", name, kind)
      .Int("pictureindex", picture)
      .Int("maskpictureindex", -1)
      .Rect("skinrect", skinRect);
}

// Width-only sections: left piece `left` pixels, right piece from `right`.
TSkinSection& HorizontalCorners(TSkinSection& s, int32_t left, int32_t right, const TRect& client) {
  return s.Corners({left, 0}, {right, 0}, {0, 0}, {0, 0}).Rect("clientrect", client);
}

// Height-only sections: top piece `top` pixels, bottom piece from `bottom`.
TSkinSection& VerticalCorners(TSkinSection& s, int32_t top, int32_t bottom, const TRect& client) {
  return s.Corners({0, top}, {0, 0}, {0, bottom}, {0, 0}).Rect("clientrect", client);
}

// Sections that size both ways: corner pieces `inset` pixels, client rect
// `client` (relative), element size w x h.
TSkinSection& BothCorners(TSkinSection& s, int32_t inset, int32_t w, int32_t h, const TRect& client) {
  return s.Corners({inset, inset}, {w - inset, inset}, {inset, h - inset}, {w - inset, h - inset})
      .Rect("clientrect", client);
}

// ---------------------------------------------------------------------------
// Buttons picture (active 4), on the body colour:
//
//   button          60 x 20   normal 3,5  hot 3,30  pressed 3,55
//                   a soft box with a top-to-bottom gradient, sliced
//
//                     0          12                        46         60
//                     +----------+-------------------------+----------+
//                     |  left    |  middle, tiled along x  |  right   |
//                     |  fixed   |  (every column alike)   |  fixed   |
//                     +----------+-------------------------+----------+
//
//                   so a 113-wide button keeps both rounded ends.
//   resizebutton    20 x 20   at x 70, same rows; corner pieces 3, flat
//                   faces so it composes to any size (combo and spin
//                   buttons, list headers)
//   toolbutton      25 x 25   at x 97: normal (flat), hot, pressed
//   toolmenubutton  37 x 25   at x 129, same rows; drop part 12 x 25 at 170,5

constexpr TRect kButtonNormal{3, 5, 63, 25};
constexpr TRect kButtonHot{3, 30, 63, 50};
constexpr TRect kButtonDown{3, 55, 63, 75};
constexpr TRect kResizeNormal{70, 5, 90, 25};
constexpr TRect kResizeHot{70, 30, 90, 50};
constexpr TRect kResizeDown{70, 55, 90, 75};
constexpr TRect kToolNormal{97, 5, 122, 30};
constexpr TRect kToolHot{97, 35, 122, 60};
constexpr TRect kToolDown{97, 65, 122, 90};
constexpr TRect kToolMenuNormal{129, 5, 166, 30};
constexpr TRect kToolMenuHot{129, 35, 166, 60};
constexpr TRect kToolMenuDown{129, 65, 166, 90};
constexpr TRect kToolMenuTrack{170, 5, 182, 30};

void DrawPushButton(TSkinArt& art, const TRect& r, TButtonState s) {
  switch (s) {
    case bsHot:
      art.SoftBoxLit(r, kAccentBorder, TSkinFill::Down(kButtonHotTop, kButtonHotBottom), kButtonHotTop, kBody);
      break;
    case bsDown:
      art.SoftBox(r, kButtonDownBorder, TSkinFill::Down(kButtonDownTop, kButtonDownBottom), kBody);
      break;
    default:
      art.SoftBoxLit(r, kButtonBorder, TSkinFill::Down(kButtonTop, kButtonBottom), kButtonTop, kBody);
      break;
  }
}

// Square corners: the resize button is also laid over the right end of
// combo boxes and spin edits, where its border meets theirs.
void DrawResizeButton(TSkinArt& art, const TRect& r, TButtonState s) {
  const TColor border = s == bsHot ? kAccentBorder : s == bsDown ? kButtonDownBorder : kLineStrong;
  const TColor face = s == bsHot ? kAccentLight : s == bsDown ? kAccentPressed : RGB(244, 246, 249);
  art.Fill(r, face);
  if (s != bsDown) art.HLine(r.Left + 1, r.Right - 2, r.Top + 1, RGB(255, 255, 255));
  art.Frame(r, border);
}

void DrawToolButton(TSkinArt& art, const TRect& r, TButtonState s) {
  art.Fill(r, kToolbar);
  if (s == bsHot) art.SoftBox(r, kAccentBorder, TSkinFill::Flat(kAccentLight), kToolbar);
  if (s == bsDown) art.SoftBox(r, kAccent, TSkinFill::Flat(kAccentPressed), kToolbar);
}

TBitmap DrawButtonsPicture() {
  TBitmap bmp = NewPicture(185, 95, kBody);
  TSkinArt art(bmp);
  DrawPushButton(art, kButtonNormal, bsNormal);
  DrawPushButton(art, kButtonHot, bsHot);
  DrawPushButton(art, kButtonDown, bsDown);
  DrawResizeButton(art, kResizeNormal, bsNormal);
  DrawResizeButton(art, kResizeHot, bsHot);
  DrawResizeButton(art, kResizeDown, bsDown);
  DrawToolButton(art, kToolNormal, bsNormal);
  DrawToolButton(art, kToolHot, bsHot);
  DrawToolButton(art, kToolDown, bsDown);
  DrawToolButton(art, kToolMenuNormal, bsNormal);
  DrawToolButton(art, kToolMenuHot, bsHot);
  DrawToolButton(art, kToolMenuDown, bsDown);
  DrawToolButton(art, kToolMenuTrack, bsDown);
  art.GlyphCentred(kToolMenuTrack, kSmallDown, kInkAccent);
  return bmp;
}

// A button's inks and its hot and pressed looks (no disabled look, no morphing).
void WriteButtonLooks(TSkinSection& s, TColor normal, TColor active, TColor down, const TRect& hot,
                      const TRect& pressed) {
  s.Font(WithColor(kUiFont, normal))
      .Color("activefontcolor", active)
      .Color("downfontcolor", down)
      .Color("disabledfontcolor", kInkDisabled)
      .Rect("activeskinrect", hot)
      .Rect("downskinrect", pressed)
      .Rect("disabledskinrect", {})
      .Flag("morphing", false)
      .Text("morphkind", "mkdefault");
}

void WriteButtons(TSkinDefinitionWriter& def) {
  {
    TSkinSection& s = ControlEntry(def, "button", "button", kPicButtons, kButtonNormal);
    s.Corners({12, 9}, {46, 10}, {0, 0}, {0, 0}).Rect("clientrect", {0, 0, 60, 20});
    WriteButtonLooks(s, kInk, kInkAccent, kInkAccent, kButtonHot, kButtonDown);
  }
  {
    TSkinSection& s = ControlEntry(def, "resizebutton", "button", kPicButtons, kResizeNormal);
    BothCorners(s, 3, 20, 20, {2, 2, 18, 18});
    WriteButtonLooks(s, kInkSoft, kInkAccent, kInkAccent, kResizeHot, kResizeDown);
  }
  {
    TSkinSection& s = ControlEntry(def, "toolbutton", "button", kPicButtons, kToolNormal);
    BothCorners(s, 3, 25, 25, {2, 2, 23, 23});
    WriteButtonLooks(s, kInk, kInkAccent, kInkAccent, kToolHot, kToolDown);
  }
  {
    TSkinSection& s = ControlEntry(def, "toolmenubutton", "menubutton", kPicButtons, kToolMenuNormal);
    BothCorners(s, 3, 37, 25, {2, 2, 35, 23});
    WriteButtonLooks(s, kInk, kInkAccent, kInkAccent, kToolMenuHot, kToolMenuDown);
    s.Rect("trackbuttonrect", kToolMenuTrack);
  }
}

// ---------------------------------------------------------------------------
// Fields picture (active 5): edits, combo boxes, spin edit and list box, all
// white boxes with a one-pixel border, on the body colour. Their button parts
// sit flush with the right end and share its border.
//
//   edit           60 x 17  normal 0,0     focused 0,17     text 3,1,57,16
//   buttonedit     80 x 17  normal 0,34    focused 0,51     text 3,1,62,16
//                           button 62,0,80,17 (looks at y 34: x 80, 98, 116)
//   tooledit       60 x 25  normal 0,68    focused 0,93     box rows 2..22
//   combobox       60 x 20  0,118; button 41,0,60,20 (looks at y 118:
//                           x 60, 79, 98); text area 2,2,40,18
//   toolcombobox   60 x 25  0,138; box rows 2..22; button 41,2,60,23
//                           (looks at y 140: x 60, 79, 98); text 2,4,40,21
//   spinedit       60 x 17  normal 0,163   focused 0,180; buttons
//                           45,0,60,9 and 45,8,60,17 (looks from x 60)
//   listbox        30 x 30  0,197, client 1,1,29,29
//   item looks     from x 140: combo items 20 x 16 (normal, focused), tool
//                  combo items 20 x 17, list items 20 x 18 (normal,
//                  selected, selected and focused)

constexpr TRect kEditNormal{0, 0, 60, 17};
constexpr TRect kEditFocus{0, 17, 60, 34};
constexpr TRect kButtonEditNormal{0, 34, 80, 51};
constexpr TRect kButtonEditFocus{0, 51, 80, 68};
constexpr TRect kButtonEditButton{62, 0, 80, 17};  // relative
constexpr TRect kToolEditNormal{0, 68, 60, 93};
constexpr TRect kToolEditFocus{0, 93, 60, 118};
constexpr TRect kComboNormal{0, 118, 60, 138};
constexpr TRect kComboButton{41, 0, 60, 20};  // relative
constexpr TRect kToolComboNormal{0, 138, 60, 163};
constexpr TRect kToolComboButton{41, 2, 60, 23};  // relative
constexpr TRect kSpinNormal{0, 163, 60, 180};
constexpr TRect kSpinFocus{0, 180, 60, 197};
constexpr TRect kSpinUp{45, 0, 60, 9};    // relative
constexpr TRect kSpinDown{45, 8, 60, 17}; // relative
constexpr TRect kListBox{0, 197, 30, 227};
constexpr int32_t kItemLooksLeft = 140;

// A white field box; `focused` gives the accent border.
void DrawFieldBox(TSkinArt& art, const TRect& r, bool focused, TColor ground = kBody) {
  art.SoftBox(r, focused ? kAccent : kLineStrong, TSkinFill::Flat(kSurface), ground);
}

// A button part of a field (its rectangle includes the field's border on
// the top, right and bottom and the separator on the left).
void DrawFieldButton(TSkinArt& art, const TRect& r, TButtonState s, TColor border, TSkinArt::TMask glyph,
                     bool disabled = false) {
  const TColor face = s == bsHot ? kAccentLight : s == bsDown ? kAccentPressed : RGB(244, 246, 249);
  const TColor edge = s == bsHot ? kAccentBorder : s == bsDown ? kButtonDownBorder : border;
  art.Fill(r, face);
  art.Frame(r, edge);
  const TColor ink = disabled ? kInkLight : (s == bsNormal ? kInkSoft : kInkAccent);
  art.GlyphCentred(r.Inflated(-1, -1), glyph, ink);
}

// Draws a look of a field's button part in state s at r.
void FieldButtonLook(TSkinArt& art, const TRect& r, TButtonState s, TSkinArt::TMask glyph, bool disabled = false) {
  DrawFieldButton(art, r, s, kLineStrong, glyph, disabled);
}

// Normal and focused frame of an edit; `margin` rows above and below the box
// carry the ground the field stands on (tool bar fields).
void DrawEditPair(TSkinArt& art, const TRect& normal, const TRect& focused, int32_t margin) {
  const TColor ground = margin > 0 ? kToolbar : kBody;
  art.Fill(normal, ground);
  art.Fill(focused, ground);
  DrawFieldBox(art, normal.Inflated(0, -margin), false, ground);
  DrawFieldBox(art, focused.Inflated(0, -margin), true, ground);
}

// Looks of the button parts (the same sizes as the parts they cover).
constexpr TRect kButtonEditHot{80, 34, 98, 51};
constexpr TRect kButtonEditDown{98, 34, 116, 51};
constexpr TRect kButtonEditDisabled{116, 34, 134, 51};
constexpr TRect kComboHot{60, 118, 79, 138};
constexpr TRect kComboDown{79, 118, 98, 138};
constexpr TRect kComboDisabled{98, 118, 117, 138};
constexpr TRect kToolComboHot{60, 140, 79, 161};
constexpr TRect kToolComboDown{79, 140, 98, 161};
constexpr TRect kToolComboDisabled{98, 140, 117, 161};
constexpr TRect kSpinUpHot{60, 163, 75, 172};
constexpr TRect kSpinUpDown{75, 163, 90, 172};
constexpr TRect kSpinDownHot{60, 172, 75, 181};
constexpr TRect kSpinDownDown{75, 172, 90, 181};
// Item looks of the combo boxes' text areas and of list items.
constexpr TRect kComboItem{kItemLooksLeft, 0, kItemLooksLeft + 20, 16};
constexpr TRect kComboItemFocus{kItemLooksLeft + 20, 0, kItemLooksLeft + 40, 16};
constexpr TRect kToolComboItem{kItemLooksLeft, 16, kItemLooksLeft + 20, 33};
constexpr TRect kToolComboItemFocus{kItemLooksLeft + 20, 16, kItemLooksLeft + 40, 33};
constexpr TRect kListItem{kItemLooksLeft, 33, kItemLooksLeft + 20, 51};
constexpr TRect kListItemActive{kItemLooksLeft + 20, 33, kItemLooksLeft + 40, 51};
constexpr TRect kListItemFocus{kItemLooksLeft + 40, 33, kItemLooksLeft + 60, 51};

void DrawItemLook(TSkinArt& art, const TRect& r, bool selected) {
  art.Fill(r, kSurface);
  if (selected) art.SoftBox(r, kAccentDark, TSkinFill::Down(RGB(74, 139, 222), kAccent), kSurface);
}

TBitmap DrawFieldsPicture() {
  TBitmap bmp = NewPicture(kItemLooksLeft + 60, 227, kBody);
  TSkinArt art(bmp);
  DrawEditPair(art, kEditNormal, kEditFocus, 0);
  DrawEditPair(art, kButtonEditNormal, kButtonEditFocus, 0);
  DrawEditPair(art, kToolEditNormal, kToolEditFocus, 2);
  // Browse button of the button edit, in both frame looks.
  DrawFieldButton(art, kButtonEditButton.Offsetted(kButtonEditNormal.TopLeft()), bsNormal, kLineStrong, kEllipsis);
  DrawFieldButton(art, kButtonEditButton.Offsetted(kButtonEditFocus.TopLeft()), bsNormal, kAccent, kEllipsis);
  FieldButtonLook(art, kButtonEditHot, bsHot, kEllipsis);
  FieldButtonLook(art, kButtonEditDown, bsDown, kEllipsis);
  FieldButtonLook(art, kButtonEditDisabled, bsNormal, kEllipsis, true);

  DrawFieldBox(art, kComboNormal, false);
  DrawFieldButton(art, kComboButton.Offsetted(kComboNormal.TopLeft()), bsNormal, kLineStrong, kChevronDown);
  FieldButtonLook(art, kComboHot, bsHot, kChevronDown);
  FieldButtonLook(art, kComboDown, bsDown, kChevronDown);
  FieldButtonLook(art, kComboDisabled, bsNormal, kChevronDown, true);

  art.Fill(kToolComboNormal, kToolbar);
  DrawFieldBox(art, kToolComboNormal.Inflated(0, -2), false, kToolbar);
  DrawFieldButton(art, kToolComboButton.Offsetted(kToolComboNormal.TopLeft()), bsNormal, kLineStrong, kChevronDown);
  FieldButtonLook(art, kToolComboHot, bsHot, kChevronDown);
  FieldButtonLook(art, kToolComboDown, bsDown, kChevronDown);
  FieldButtonLook(art, kToolComboDisabled, bsNormal, kChevronDown, true);

  DrawEditPair(art, kSpinNormal, kSpinFocus, 0);
  for (const TRect& frame : {kSpinNormal, kSpinFocus}) {
    const TColor border = frame == kSpinFocus ? kAccent : kLineStrong;
    DrawFieldButton(art, kSpinUp.Offsetted(frame.TopLeft()), bsNormal, border, kSmallUp);
    DrawFieldButton(art, kSpinDown.Offsetted(frame.TopLeft()), bsNormal, border, kSmallDown);
  }
  FieldButtonLook(art, kSpinUpHot, bsHot, kSmallUp);
  FieldButtonLook(art, kSpinUpDown, bsDown, kSmallUp);
  FieldButtonLook(art, kSpinDownHot, bsHot, kSmallDown);
  FieldButtonLook(art, kSpinDownDown, bsDown, kSmallDown);

  art.Fill(kListBox, kSurface);
  art.Frame(kListBox, kMenuBorder);

  DrawItemLook(art, kComboItem, false);
  DrawItemLook(art, kComboItemFocus, true);
  DrawItemLook(art, kToolComboItem, false);
  DrawItemLook(art, kToolComboItemFocus, true);
  DrawItemLook(art, kListItem, false);
  DrawItemLook(art, kListItemActive, true);
  DrawItemLook(art, kListItemFocus, true);
  return bmp;
}

void WriteEdit(TSkinDefinitionWriter& def, const char* name, const TRect& normal, const TRect& focused,
               const TRect& client, int32_t rightPiece, const TRect& button, const TRect& hot, const TRect& down,
               const TRect& disabled) {
  TSkinSection& s = ControlEntry(def, name, "edit", kPicFields, normal);
  HorizontalCorners(s, 3, normal.Width() - rightPiece, client)
      .Rect("activeskinrect", focused)
      .Font(kUiFont)
      .Color("disabledfontcolor", kInkDisabled)
      .Color("activefontcolor", kInk)
      .Rect("buttonrect", button)
      .Rect("activebuttonrect", hot)
      .Rect("downbuttonrect", down)
      .Rect("unenabledbuttonrect", disabled);
}

void WriteCombo(TSkinDefinitionWriter& def, const char* name, const TRect& normal, const TRect& client,
                const TRect& button, const TRect& hot, const TRect& down, const TRect& disabled, const TRect& item,
                const TRect& focusItem) {
  TSkinSection& s = ControlEntry(def, name, "combobox", kPicFields, normal);
  HorizontalCorners(s, 3, button.Left - 1, client)
      .Rect("itemrect", item)
      .Rect("focusitemrect", focusItem)
      .Int("itemleftoffset", 2)
      .Int("itemrightoffset", 2)
      .Rect("itemtextrect", {1, 0, item.Width() - 1, item.Height()})
      .Font(kUiFont)
      .Color("focusfontcolor", kInkOnAccent)
      .Text("listboxname", "listbox")
      .Rect("buttonrect", button)
      .Rect("activebuttonrect", hot)
      .Rect("downbuttonrect", down)
      .Rect("unenabledbuttonrect", disabled);
}

void WriteFields(TSkinDefinitionWriter& def) {
  WriteEdit(def, "edit", kEditNormal, kEditFocus, {3, 1, 57, 16}, 3, {}, {}, {}, {});
  WriteEdit(def, "buttonedit", kButtonEditNormal, kButtonEditFocus, {3, 1, kButtonEditButton.Left, 16},
            kButtonEditNormal.Width() - kButtonEditButton.Left + 1, kButtonEditButton, kButtonEditHot,
            kButtonEditDown, kButtonEditDisabled);
  WriteEdit(def, "tooledit", kToolEditNormal, kToolEditFocus, {3, 3, 57, 22}, 3, {}, {}, {}, {});
  WriteCombo(def, "combobox", kComboNormal, {2, 2, 40, 18}, kComboButton, kComboHot, kComboDown, kComboDisabled,
             kComboItem, kComboItemFocus);
  WriteCombo(def, "toolcombobox", kToolComboNormal, {2, 4, 40, 21}, kToolComboButton, kToolComboHot,
             kToolComboDown, kToolComboDisabled, kToolComboItem, kToolComboItemFocus);
  {
    TSkinSection& s = ControlEntry(def, "listbox", "listbox", kPicFields, kListBox);
    BothCorners(s, 3, 30, 30, {1, 1, 29, 29})
        .Rect("itemrect", kListItem)
        .Rect("activeitemrect", kListItemActive)
        .Rect("focusitemrect", kListItemFocus)
        .Int("itemleftoffset", 2)
        .Int("itemrightoffset", 2)
        .Rect("itemtextrect", {2, 0, 18, 18})
        .Font(kUiFont)
        .Color("activefontcolor", kInkOnAccent)
        .Color("focusfontcolor", kInkOnAccent)
        .Rect("captionrect", {})
        .Font(kUiFont, "caption")
        .Rect("upbuttonrect", {})
        .Rect("activeupbuttonrect", {})
        .Rect("downupbuttonrect", {})
        .Rect("downbuttonrect", {})
        .Rect("activedownbuttonrect", {})
        .Rect("downdownbuttonrect", {})
        .Rect("checkbuttonrect", {})
        .Rect("activecheckbuttonrect", {})
        .Rect("downcheckbuttonrect", {})
        .Text("vscrollbarname", "vscrollbar")
        .Text("hscrollbarname", "hscrollbar")
        .Text("bothhscrollbarname", "bothhscrollbar");
  }
  {
    TSkinSection& s = ControlEntry(def, "spinedit", "spinedit", kPicFields, kSpinNormal);
    HorizontalCorners(s, 3, kSpinUp.Left - 1, {3, 1, kSpinUp.Left - 1, 16})
        .Rect("activeskinrect", kSpinFocus)
        .Font(kUiFont)
        .Color("activefontcolor", kInk)
        .Color("disabledfontcolor", kInkDisabled)
        .Rect("upbuttonrect", kSpinUp)
        .Rect("activeupbuttonrect", kSpinUpHot)
        .Rect("downupbuttonrect", kSpinUpDown)
        .Rect("downbuttonrect", kSpinDown)
        .Rect("activedownbuttonrect", kSpinDownHot)
        .Rect("downdownbuttonrect", kSpinDownDown);
  }
}

// ---------------------------------------------------------------------------
// Scroll bars picture (active 6), on the track colour:
//
//   hscrollbar      60 x 19 at 0,0: left button 0..19, track, right button
//                   41..60; pieces 20 | 20 tiled | 20
//   vscrollbar      19 x 60 at 0,40: the same turned upright
//   bothhscrollbar  79 x 19 at 0,100: hscrollbar plus the 19-pixel corner
//   button looks    19 x 19, hot and pressed, per arrow (x 60.. on row 0
//                   for left and right, x 19.. on row 40 for up and down)
//   thumbs          20 x 13 (horizontal) and 13 x 20 (vertical), normal,
//                   hot, pressed; 3-pixel rounded ends, flat middle
//   grips           5 x 5 on the thumb colours

constexpr int32_t kBar = 19;
constexpr TRect kHBar{0, 0, 60, 19};
constexpr TRect kVBar{0, 40, 19, 100};
constexpr TRect kBothBar{0, 100, 79, 119};

// Looks of the arrow buttons (hot and pressed), thumbs and grips.
constexpr TRect kLeftHot{60, 0, 79, 19};
constexpr TRect kLeftDown{79, 0, 98, 19};
constexpr TRect kRightHot{98, 0, 117, 19};
constexpr TRect kRightDown{117, 0, 136, 19};
constexpr TRect kUpHot{19, 40, 38, 59};
constexpr TRect kUpDown{38, 40, 57, 59};
constexpr TRect kDownHot{57, 40, 76, 59};
constexpr TRect kDownDown{76, 40, 95, 59};
// Index 0 normal, 1 hot, 2 pressed.
constexpr TRect HThumb(int i) { return TRect::FromSize(20 * i, 19, 20, 13); }
constexpr TRect VThumb(int i) { return TRect::FromSize(95 + 13 * i, 40, 13, 20); }
constexpr TRect HGrip(int i) { return TRect::FromSize(60 + 5 * i, 20, 5, 5); }
constexpr TRect VGrip(int i) { return TRect::FromSize(95 + 5 * i, 60, 5, 5); }

void DrawArrowButton(TSkinArt& art, const TRect& r, TButtonState s, TSkinArt::TMask arrow) {
  art.Fill(r, kTrack);
  if (s == bsHot) art.SoftBox(r.Inflated(-1, -1), kAccentBorder, TSkinFill::Flat(kAccentLight), kTrack);
  if (s == bsDown) art.SoftBox(r.Inflated(-1, -1), kButtonDownBorder, TSkinFill::Flat(kAccentPressed), kTrack);
  art.GlyphCentred(r, arrow, s == bsNormal ? kInkSoft : kInkAccent);
}

TBitmap DrawScrollBarsPicture() {
  TBitmap bmp = NewPicture(149, 119, kTrack);
  TSkinArt art(bmp);
  // Normal bars: arrows on the track colour.
  art.GlyphCentred(TRect::FromSize(kHBar.Left, kHBar.Top, kBar, kBar), kArrowLeft, kInkSoft);
  art.GlyphCentred(TRect::FromSize(kHBar.Right - kBar, kHBar.Top, kBar, kBar), kArrowRight, kInkSoft);
  art.GlyphCentred(TRect::FromSize(kVBar.Left, kVBar.Top, kBar, kBar), kArrowUp, kInkSoft);
  art.GlyphCentred(TRect::FromSize(kVBar.Left, kVBar.Bottom - kBar, kBar, kBar), kArrowDown, kInkSoft);
  art.GlyphCentred(TRect::FromSize(kBothBar.Left, kBothBar.Top, kBar, kBar), kArrowLeft, kInkSoft);
  art.GlyphCentred(TRect::FromSize(kBothBar.Left + 41, kBothBar.Top, kBar, kBar), kArrowRight, kInkSoft);

  DrawArrowButton(art, kLeftHot, bsHot, kArrowLeft);
  DrawArrowButton(art, kLeftDown, bsDown, kArrowLeft);
  DrawArrowButton(art, kRightHot, bsHot, kArrowRight);
  DrawArrowButton(art, kRightDown, bsDown, kArrowRight);
  DrawArrowButton(art, kUpHot, bsHot, kArrowUp);
  DrawArrowButton(art, kUpDown, bsDown, kArrowUp);
  DrawArrowButton(art, kDownHot, bsHot, kArrowDown);
  DrawArrowButton(art, kDownDown, bsDown, kArrowDown);

  const TColor fills[3] = {kThumb, kThumbHot, kThumbDown};
  const TColor borders[3] = {kThumbBorder, kThumbHotBorder, kThumbDownBorder};
  const TColor grips[3] = {RGB(150, 160, 174), RGB(92, 136, 204), RGB(255, 255, 255)};
  for (int i = 0; i < 3; ++i) {
    art.SoftBox(HThumb(i), borders[i], TSkinFill::Flat(fills[i]), kTrack);
    art.SoftBox(VThumb(i), borders[i], TSkinFill::Flat(fills[i]), kTrack);
    art.Fill(HGrip(i), fills[i]);
    art.Fill(VGrip(i), fills[i]);
    art.Glyph(HGrip(i).Left, HGrip(i).Top, kGripVertical, grips[i]);
    art.Glyph(VGrip(i).Left, VGrip(i).Top, kGripHorizontal, grips[i]);
  }
  return bmp;
}

void WriteScrollBar(TSkinDefinitionWriter& def, const char* name, bool vertical, const TRect& skin) {
  TSkinSection& s = ControlEntry(def, name, "scrollbar", kPicScrollBars, skin);
  if (vertical) {
    VerticalCorners(s, 20, 40, {0, 0, 0, 0})
        .Rect("trackarea", {0, kBar, kBar, 41})
        .Rect("upbuttonrect", {0, 41, kBar, 60})
        .Rect("activeupbuttonrect", kDownHot)
        .Rect("downupbuttonrect", kDownDown)
        .Rect("downbuttonrect", {0, 0, kBar, kBar})
        .Rect("activedownbuttonrect", kUpHot)
        .Rect("downdownbuttonrect", kUpDown)
        .Rect("thumbrect", VThumb(0))
        .Rect("activethumbrect", VThumb(1))
        .Rect("downthumbrect", VThumb(2))
        .Int("thumboffset1", 3)
        .Int("thumboffset2", 3)
        .Rect("glyphrect", VGrip(0))
        .Rect("activeglyphrect", VGrip(1))
        .Rect("downglyphrect", VGrip(2));
  } else {
    HorizontalCorners(s, 20, 40, {0, 0, 0, 0})
        .Rect("trackarea", {kBar, 0, 41, kBar})
        .Rect("upbuttonrect", {41, 0, 60, kBar})
        .Rect("activeupbuttonrect", kRightHot)
        .Rect("downupbuttonrect", kRightDown)
        .Rect("downbuttonrect", {0, 0, kBar, kBar})
        .Rect("activedownbuttonrect", kLeftHot)
        .Rect("downdownbuttonrect", kLeftDown)
        .Rect("thumbrect", HThumb(0))
        .Rect("activethumbrect", HThumb(1))
        .Rect("downthumbrect", HThumb(2))
        .Int("thumboffset1", 3)
        .Int("thumboffset2", 3)
        .Rect("glyphrect", HGrip(0))
        .Rect("activeglyphrect", HGrip(1))
        .Rect("downglyphrect", HGrip(2));
  }
}

// ---------------------------------------------------------------------------
// Misc picture (active 7), on the panel colour:
//
//   panel         20 x 20 at 0,0: border, a white inner ring, flat face;
//                 corner pieces 3, client 2 pixels in
//   toolpanel     20 x 25 at 20,0: lit top row, flat face, bottom line
//   checkbox      60 x 20 frame at 0,25 (hot 0,45); check images 13 x 13
//                 from 0,65: unchecked, checked, hot unchecked, hot
//                 checked, disabled unchecked, disabled checked; radio
//                 images the same from 0,78
//   gauge         60 x 18 at 0,91, bar look 20 x 14 at 60,93
//   vgauge        18 x 60 at 84,91, bar look 14 x 20 at 102,93
//   grid cells    40 x 20 from 0,151: title, selected, focused

constexpr TRect kPanelRect{0, 0, 20, 20};
constexpr TRect kToolPanelRect{20, 0, 40, 25};
constexpr TRect kCheckFrame{0, 25, 60, 45};
constexpr TRect kCheckFrameHot{0, 45, 60, 65};
constexpr int32_t kCheckImages = 65;
constexpr int32_t kRadioImages = 78;
constexpr int32_t kMark = 13;
constexpr TRect kGauge{0, 91, 60, 109};
constexpr TRect kGaugeBar{60, 93, 80, 107};
constexpr TRect kVGauge{84, 91, 102, 151};
constexpr TRect kVGaugeBar{102, 93, 116, 113};
constexpr TRect kGridFixed{0, 151, 40, 171};
constexpr TRect kGridSelect{40, 151, 80, 171};
constexpr TRect kGridFocus{80, 151, 120, 171};

TRect MarkRect(int32_t row, int32_t i) { return TRect::FromSize(kMark * i, row, kMark, kMark); }

// A check box mark: unchecked (white box) or checked (accent box with a
// white tick), each normal, hot or disabled.
void DrawCheckMark(TSkinArt& art, const TRect& r, bool checked, TButtonState s, bool disabled) {
  TColor border = kLineStrong, fill = kSurface;
  if (checked) border = fill = (s == bsHot ? RGB(84, 146, 228) : kAccent);
  if (!checked && s == bsHot) border = kAccent;
  if (disabled) {
    border = RGB(200, 205, 212);
    fill = checked ? RGB(200, 205, 212) : RGB(241, 243, 245);
  }
  art.SoftBox(r, border, TSkinFill::Flat(fill), kPanel);
  if (checked) art.Glyph(r.Left + 2, r.Top + 3, kTick, disabled ? RGB(250, 250, 250) : kInkOnAccent);
}

// Radio look: a 13-pixel ring with a 5-pixel dot when checked. Ring and dot
// edges are blended with what lies beside them by coverage.
void DrawRadioMark(TSkinArt& art, const TRect& r, bool checked, TButtonState s, bool disabled) {
  TColor ring = s == bsHot ? kAccent : kLineStrong;
  TColor inside = kSurface;
  TColor dot = s == bsHot ? RGB(84, 146, 228) : kAccent;
  if (checked && !disabled) ring = dot;
  if (disabled) {
    ring = RGB(200, 205, 212);
    inside = RGB(241, 243, 245);
    dot = RGB(176, 182, 191);
  }
  // Coverage of pixel (x, y) by a disc of radius rad around (6, 6), from a
  // 4 x 4 sub-sample grid.
  auto cover = [](int32_t x, int32_t y, double rad) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
      for (int sx = 0; sx < 4; ++sx) {
        const double dx = x + (sx + 0.5) / 4 - 6.5, dy = y + (sy + 0.5) / 4 - 6.5;
        hits += dx * dx + dy * dy <= rad * rad ? 1 : 0;
      }
    return hits * 255 / 16;
  };
  for (int32_t y = 0; y < kMark; ++y)
    for (int32_t x = 0; x < kMark; ++x) {
      const int outer = cover(x, y, 6.5), inner = cover(x, y, 5.5), core = cover(x, y, 2.7);
      TColor c = MixColor(kPanel, ring, outer);
      c = MixColor(c, inside, inner);
      if (checked) c = MixColor(c, dot, core);
      art.Pixel(r.Left + x, r.Top + y, c);
    }
}

TBitmap DrawMiscPicture() {
  TBitmap bmp = NewPicture(120, 171, kPanel);
  TSkinArt art(bmp);
  // Panel: a border, one white ring inside it, the panel face.
  art.Fill(kPanelRect, kBody);
  art.SoftBox(kPanelRect, kLine, TSkinFill::Flat(kPanel), kBody);
  art.Frame(kPanelRect.Inflated(-1, -1), RGB(252, 253, 254));
  // Tool bar: a lit top row and a line along the bottom.
  art.Fill(kToolPanelRect, kToolbar);
  art.HLine(kToolPanelRect.Left, kToolPanelRect.Right - 1, kToolPanelRect.Top, RGB(250, 251, 252));
  art.HLine(kToolPanelRect.Left, kToolPanelRect.Right - 1, kToolPanelRect.Bottom - 1, kLine);
  // Check box frames: plain panel, and a faint box while hot or focused.
  art.Fill(kCheckFrame, kPanel);
  art.Fill(kCheckFrameHot, kPanel);
  art.SoftBox(kCheckFrameHot, kAccentLight, TSkinFill::Flat(RGB(239, 244, 251)), kPanel);
  for (int checked = 0; checked < 2; ++checked) {
    DrawCheckMark(art, MarkRect(kCheckImages, checked), checked, bsNormal, false);
    DrawCheckMark(art, MarkRect(kCheckImages, 2 + checked), checked, bsHot, false);
    DrawCheckMark(art, MarkRect(kCheckImages, 4 + checked), checked, bsNormal, true);
    DrawRadioMark(art, MarkRect(kRadioImages, checked), checked, bsNormal, false);
    DrawRadioMark(art, MarkRect(kRadioImages, 2 + checked), checked, bsHot, false);
    DrawRadioMark(art, MarkRect(kRadioImages, 4 + checked), checked, bsNormal, true);
  }
  // Gauges: a white trough and a blue bar with rounded ends.
  art.SoftBox(kGauge, kLineStrong, TSkinFill::Flat(kSurface), kPanel);
  art.SoftBox(kVGauge, kLineStrong, TSkinFill::Flat(kSurface), kPanel);
  art.Fill(kGaugeBar, kSurface);
  art.Fill(kVGaugeBar, kSurface);
  art.SoftBox(kGaugeBar, kProgressBorder, TSkinFill::Down(kProgressTop, kProgressBottom), kSurface);
  art.SoftBox(kVGaugeBar, kProgressBorder, TSkinFill::Across(kProgressTop, kProgressBottom), kSurface);
  // Grid cells.
  art.GradientDown(kGridFixed, RGB(251, 252, 253), RGB(234, 238, 243));
  art.Fill(kGridSelect, kAccentPale);
  art.GradientDown(kGridFocus, RGB(76, 141, 224), RGB(56, 119, 208));
  return bmp;
}

void WriteMisc(TSkinDefinitionWriter& def) {
  auto panel = [&](const char* name, const TRect& skin, int32_t inset, const TRect& client) {
    TSkinSection& s = ControlEntry(def, name, "panel", kPicMisc, skin);
    BothCorners(s, inset, skin.Width(), skin.Height(), client)
        .Int("bgpictureindex", -1)
        .Rect("captionrect", {})
        .Text("alignment", "taleftjustify")
        .Font(kUiFont)
        .Rect("checkimagerect", MarkRect(kCheckImages, 1))
        .Rect("uncheckimagerect", MarkRect(kCheckImages, 0));
  };
  panel("panel", kPanelRect, 3, {2, 2, 18, 18});
  panel("toolpanel", kToolPanelRect, 2, {1, 1, 19, 24});

  auto checkRadio = [&](const char* name, int32_t images) {
    TSkinSection& s = ControlEntry(def, name, "checkradio", kPicMisc, kCheckFrame);
    HorizontalCorners(s, 20, 58, {20, 0, 60, 20})
        .Font(kUiFont)
        .Color("activefontcolor", kInkAccent)
        .Color("unenabledfontcolor", kInkDisabled)
        .Color("framefontcolor", kInk)
        .Rect("activeskinrect", kCheckFrameHot)
        .Rect("checkimagearea", {3, 3, 3 + kMark, 3 + kMark})
        .Rect("textarea", {20, 0, 60, 20})
        .Rect("checkimagerect", MarkRect(images, 1))
        .Rect("uncheckimagerect", MarkRect(images, 0))
        .Rect("activecheckimagerect", MarkRect(images, 3))
        .Rect("activeuncheckimagerect", MarkRect(images, 2))
        .Rect("unenabledcheckimagerect", MarkRect(images, 5))
        .Rect("unenableduncheckimagerect", MarkRect(images, 4))
        .Flag("morphing", false)
        .Text("morphkind", "mkdefault");
  };
  checkRadio("checkbox", kCheckImages);
  checkRadio("radiobox", kRadioImages);

  {
    TSkinSection& s = ControlEntry(def, "gauge", "gauge", kPicMisc, kGauge);
    HorizontalCorners(s, 4, 56, {2, 2, 58, 16})
        .Rect("progressarea", {2, 2, 58, 16})
        .Rect("progressrect", kGaugeBar)
        .Int("beginoffset", 3)
        .Int("endoffset", 3)
        .Flag("vertical", false)
        .Font(kUiFont);
  }
  {
    TSkinSection& s = ControlEntry(def, "vgauge", "gauge", kPicMisc, kVGauge);
    VerticalCorners(s, 4, 56, {2, 2, 16, 58})
        .Rect("progressarea", {2, 2, 16, 58})
        .Rect("progressrect", kVGaugeBar)
        .Int("beginoffset", 3)
        .Int("endoffset", 3)
        .Flag("vertical", true)
        .Font(kUiFont);
  }
  {
    TSkinSection& s = ControlEntry(def, "grid", "grid", kPicMisc, {});
    s.Rect("fixedcellrect", kGridFixed)
        .Rect("selectcellrect", kGridSelect)
        .Rect("focuscellrect", kGridFocus)
        .Int("fixedcellleftoffset", 1)
        .Int("fixedcellrightoffset", 1)
        .Rect("fixedcelltextrect", {2, 0, 38, 20})
        .Int("cellleftoffset", 1)
        .Int("cellrightoffset", 1)
        .Rect("celltextrect", {2, 0, 38, 20})
        .Color("linescolor", kGridLine)
        .Color("bgcolor", kSurface)
        .Font(kUiFont)
        .Color("selectfontcolor", kInk)
        .Color("focusfontcolor", kInkOnAccent)
        .Font(WithColor(kUiFont, RGB(43, 52, 64)), "fixed");
  }
  ControlEntry(def, "stdlabel", "stdlabel", -1, {}).Font(kLabelFont).Color("activefontcolor", kAccent);
}

}  // namespace

TDefaultSkinSource BuildDefaultSkin() {
  TDefaultSkinSource skin;
  skin.MainPicture = {"frame.bmp", DrawFramePicture()};
  skin.ActivePictures.resize(kDefaultSkinActivePictureCount);
  skin.ActivePictures[kPicCaption] = {"caption.bmp", DrawCaptionPicture()};
  skin.ActivePictures[kPicPopup] = {"popup.bmp", DrawPopupPicture()};
  skin.ActivePictures[kPicMenuItem] = {"menuitem.bmp", DrawMenuItemPicture()};
  skin.ActivePictures[kPicHint] = {"hint.bmp", DrawHintPicture()};
  skin.ActivePictures[kPicButtons] = {"buttons.bmp", DrawButtonsPicture()};
  skin.ActivePictures[kPicFields] = {"fields.bmp", DrawFieldsPicture()};
  skin.ActivePictures[kPicScrollBars] = {"scrollbars.bmp", DrawScrollBarsPicture()};
  skin.ActivePictures[kPicMisc] = {"misc.bmp", DrawMiscPicture()};

  TSkinDefinitionWriter& def = skin.Definition;
  def.Section("VERSION")
      .Int("ver", 1)
      .Text("skinname", "Tesmaro 默认外观")
      .Text("skinauthor", "Tesmaro")
      .Text("authoremail", "")
      .Text("authorurl", "")
      .Text("skincomments", "The program's built-in skin: blue caption, light neutral body.");
  TSkinSection& pictures = def.Section("PICTURES");
  pictures.Text("picture", skin.MainPicture.FileName).Text("inactivepicture", "").Text("mask", "");
  pictures.Int("activepicturescount", kDefaultSkinActivePictureCount);
  for (size_t i = 0; i < skin.ActivePictures.size(); ++i)
    pictures.Text(std::to_string(i), skin.ActivePictures[i].FileName);
  WriteFormInfo(def);
  WritePopupWindow(def);
  WriteHintWindow(def);
  def.Section("SKINOBJECTS");
  def.Section("SKINCONTROLS");
  WriteCaptionObjects(def);
  WriteMenuItem(def);
  WriteButtons(def);
  WriteFields(def);
  WriteScrollBar(def, "hscrollbar", false, kHBar);
  WriteScrollBar(def, "vscrollbar", true, kVBar);
  WriteScrollBar(def, "bothhscrollbar", false, kBothBar);
  WriteMisc(def);
  return skin;
}

std::vector<uint8_t> EncodeSkinPicture(const TBitmap& bitmap) {
  std::vector<uint8_t> bytes = WriteBmp(bitmap.Surface(), TBmpWriteFormat::Indexed8);
  if (bytes.empty()) bytes = WriteBmp(bitmap.Surface(), TBmpWriteFormat::Rgb24);
  return bytes;
}

}  // namespace tsm
