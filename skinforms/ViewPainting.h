#pragma once
// How the dialogs' views (the file list, the folder tree) paint: off screen
// first, then the whole client area at once; the selected caption on a mark
// in the highlight colour while the view has the focus, in the button face
// colour without it.

#include <functional>

#include "platform/core/Geometry.h"

namespace tsm {

class TCanvas;
class TCustomControl;

// Paints view's client area through paint on an off-screen picture that
// starts filled with the view's colour, the view's font selected; then puts
// it on the view's canvas. Nothing happens while the client area is empty.
void PaintOffScreen(TCustomControl& view, const std::function<void(TCanvas& canvas, const TRect& client)>& paint);

// Fills mark when selected, then readies canvas for the caption: its font
// colour (the highlight text colour only when selected and focused) and a
// clear brush.
void PaintSelectionMark(TCanvas& canvas, const TRect& mark, bool selected, bool focused);

}  // namespace tsm
