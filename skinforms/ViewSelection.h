#pragma once
// How the dialogs' views (the file list, the folder tree) show the selected
// caption: the mark under it in the highlight colour while the view has the
// focus, in the button face colour without it.

#include "platform/core/Geometry.h"

namespace tsm {

class TCanvas;

// Fills mark when selected, then readies canvas for the caption: its font
// colour (the highlight text colour only when selected and focused) and a
// clear brush.
void PaintSelectionMark(TCanvas& canvas, const TRect& mark, bool selected, bool focused);

}  // namespace tsm
