#pragma once
// Small value types of the drawing state: pens, brushes, modes and raster
// operations used by TDeviceContext.

#include <cstdint>

#include "platform/core/Color.h"

namespace tsm {

// Line patterns for pens of width 1, in pixels "on, off, on, off ...",
// restarting at the start of each LineTo and continuing along a PolyLine:
//   Dash 18 on 6 off; Dot 3 on 3 off; DashDot 9 6 3 6; DashDotDot 9 3 3 3 3 3;
//   Alternate every other pixel. Pens wider than 1 pixel always draw solid.
enum class TPenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Alternate, Clear };

// How pen pixels (and the interior fill of Rectangle) combine with the pixels
// already there: Copy replaces them, Xor exclusive-ors them with the pen
// colour, Not inverts them whatever the colour (the classic sizing line).
enum class TPenMode : uint8_t { Copy, Xor, Not };

struct TPen {
  TColor Color = clBlack;
  int32_t Width = 1;  // in pixels; values below 1 count as 1
  TPenStyle Style = TPenStyle::Solid;
  TPenMode Mode = TPenMode::Copy;

  friend bool operator==(const TPen&, const TPen&) = default;
};

enum class TBrushStyle : uint8_t { Solid, Clear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::Solid;

  friend bool operator==(const TBrush&, const TBrush&) = default;
};

// Whether text output fills the text cells with the background colour.
enum class TBkMode : uint8_t { Transparent, Opaque };

// Raster operations of block copies (S = source, D = destination).
enum class TRop : uint8_t {
  SrcCopy,     // D = S
  SrcInvert,   // D = D xor S
  SrcAnd,      // D = D and S
  SrcPaint,    // D = D or S
  NotSrcCopy,  // D = not S
};

// The classic 3D edges, each two pixels thick except the single ones:
//   RaisedOuter  cl3DLight top-left,      cl3DDkShadow bottom-right
//   RaisedInner  clBtnHighlight top-left, clBtnShadow bottom-right
//   SunkenOuter  clBtnShadow top-left,    clBtnHighlight bottom-right
//   SunkenInner  cl3DDkShadow top-left,   cl3DLight bottom-right
//   Raised = RaisedOuter + RaisedInner, Sunken = SunkenOuter + SunkenInner,
//   Etched = SunkenOuter + RaisedInner, Bump = RaisedOuter + SunkenInner.
enum class TEdgeStyle : uint8_t { RaisedOuter, RaisedInner, SunkenOuter, SunkenInner, Raised, Sunken, Etched, Bump };

}  // namespace tsm
