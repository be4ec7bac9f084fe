#pragma once
// Forward declarations of the graphics and text layer (platform/gfx).

namespace tsm {

enum class TPixelFormat : unsigned char;
struct TPixelSurface;
class TBitmap;
class TRegion;
class TDeviceContext;
class TDCStateGuard;
struct TPen;
struct TBrush;
struct TFontDesc;
class TFont;
class TFontSystem;

}  // namespace tsm
