#pragma once
// The look of the form frame: the skinned frame composed from the skin's
// frame picture in four bands, the default 3D frame drawn without a skin,
// and the client background. Each paints what the frame's state says; none
// changes that state.

namespace tsm {

class TDeviceContext;
class TskFormFrame;

// Paints the skinned frame on a context in window coordinates (the client
// area is left alone). Nothing when the frame is below its minimum size.
void PaintSkinFrame(TskFormFrame& frame, TDeviceContext& dc);
// Paints the default frame: caption band with grip lines, text and drawn
// buttons, and a 3-pixel 3D border.
void PaintDefaultFrame(TskFormFrame& frame, TDeviceContext& dc);
// Fills the client area (dc in client coordinates): clBtnFace without a
// skin, else the skin's background tiled from the client's top-left; then
// the logo centred.
void PaintFrameBackground(TskFormFrame& frame, TDeviceContext& dc);

}  // namespace tsm
