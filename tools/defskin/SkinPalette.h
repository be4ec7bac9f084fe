#pragma once
// The default skin's palette: a blue caption over a light neutral body, one
// accent blue for hot, pressed, focused and selected looks, and cool greys
// for borders. Every colour of the artwork and of the definition's font
// colours comes from here.

#include "platform/core/Color.h"

namespace tsm::skinpal {

// Text.
constexpr TColor kInk = RGB(31, 41, 55);            // body text on light grounds
constexpr TColor kInkSoft = RGB(88, 99, 114);       // arrows and glyphs on controls
constexpr TColor kInkDisabled = RGB(128, 128, 128); // disabled text (8421504)
constexpr TColor kInkLight = RGB(160, 168, 179);    // disabled glyphs and marks
constexpr TColor kInkOnAccent = RGB(255, 255, 255); // text on the accent blue
constexpr TColor kInkAccent = RGB(22, 74, 145);     // hot text on light grounds

// Grounds.
constexpr TColor kBody = RGB(240, 242, 245);     // window client area
constexpr TColor kPanel = RGB(244, 246, 249);    // inside skinned panels
constexpr TColor kToolbar = RGB(236, 239, 243);  // tool bars
constexpr TColor kSurface = RGB(255, 255, 255);  // edits, lists, grid cells, menus
constexpr TColor kTrack = RGB(232, 235, 239);    // scroll bar track
constexpr TColor kGutter = RGB(241, 244, 248);   // menu side band

// Lines.
constexpr TColor kLine = RGB(205, 211, 219);        // light separators
constexpr TColor kLineStrong = RGB(163, 173, 187);  // control borders
constexpr TColor kGridLine = RGB(225, 229, 234);    // grid lines

// Window frame.
constexpr TColor kFrameOuter = RGB(86, 101, 122);
constexpr TColor kFrameBorder = RGB(226, 230, 236);
constexpr TColor kFrameInner = RGB(192, 200, 211);

// Caption, active: a blue band with a lit top row and a dark bottom row.
constexpr TColor kCaptionLit = RGB(110, 163, 230);
constexpr TColor kCaptionTop = RGB(74, 137, 220);
constexpr TColor kCaptionBottom = RGB(54, 112, 198);
constexpr TColor kCaptionEdge = RGB(38, 86, 160);
constexpr TColor kCaptionText = RGB(255, 255, 255);
// Caption, inactive: the same band in quiet greys.
constexpr TColor kCaptionInLit = RGB(246, 247, 249);
constexpr TColor kCaptionInTop = RGB(233, 236, 241);
constexpr TColor kCaptionInBottom = RGB(220, 225, 232);
constexpr TColor kCaptionInEdge = kFrameInner;
constexpr TColor kCaptionInText = RGB(98, 110, 126);
// Close button under the mouse and pressed.
constexpr TColor kCloseHot = RGB(226, 68, 68);
constexpr TColor kCloseDown = RGB(186, 46, 46);

// Accent.
constexpr TColor kAccent = RGB(59, 125, 216);
constexpr TColor kAccentDark = RGB(40, 95, 178);
constexpr TColor kAccentBorder = RGB(112, 163, 230);  // hot borders
constexpr TColor kAccentLight = RGB(224, 236, 251);   // hot fills
constexpr TColor kAccentPale = RGB(214, 229, 248);    // unfocused selection
constexpr TColor kAccentPressed = RGB(198, 218, 243); // pressed fills

// Push buttons.
constexpr TColor kButtonBorder = RGB(158, 168, 183);
constexpr TColor kButtonTop = RGB(255, 255, 255);
constexpr TColor kButtonBottom = RGB(229, 233, 239);
constexpr TColor kButtonHotTop = RGB(255, 255, 255);
constexpr TColor kButtonHotBottom = RGB(218, 233, 251);
constexpr TColor kButtonDownTop = RGB(190, 212, 240);
constexpr TColor kButtonDownBottom = RGB(212, 228, 247);
constexpr TColor kButtonDownBorder = RGB(56, 108, 184);

// Scroll bar thumb.
constexpr TColor kThumb = RGB(203, 210, 220);
constexpr TColor kThumbBorder = RGB(176, 186, 199);
constexpr TColor kThumbHot = RGB(176, 202, 238);
constexpr TColor kThumbHotBorder = RGB(128, 168, 224);
constexpr TColor kThumbDown = RGB(137, 178, 232);
constexpr TColor kThumbDownBorder = RGB(77, 133, 210);

// Progress bar.
constexpr TColor kProgressTop = RGB(150, 196, 244);
constexpr TColor kProgressBottom = RGB(112, 168, 236);
constexpr TColor kProgressBorder = RGB(84, 141, 219);

// Hint window.
constexpr TColor kHintFill = RGB(250, 251, 253);
constexpr TColor kHintBorder = RGB(135, 148, 166);
constexpr TColor kHintText = RGB(35, 52, 78);

// Menus.
constexpr TColor kMenuBorder = RGB(150, 162, 178);
constexpr TColor kMenuHotFill = RGB(226, 237, 251);
constexpr TColor kMenuHotBorder = RGB(160, 194, 238);
constexpr TColor kMenuDisabled = RGB(160, 168, 179);

}  // namespace tsm::skinpal
