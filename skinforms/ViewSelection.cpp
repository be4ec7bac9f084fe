#include "skinforms/ViewSelection.h"

#include "framework/graphics/Canvas.h"

namespace tsm {

void PaintSelectionMark(TCanvas& canvas, const TRect& mark, bool selected, bool focused) {
  if (selected) {
    canvas.Brush() = TBrush{focused ? clHighlight : clBtnFace, TBrushStyle::Solid};
    canvas.FillRect(mark);
  }
  canvas.Font().SetColor(selected && focused ? clHighlightText : clWindowText);
  canvas.Brush().Style = TBrushStyle::Clear;
}

}  // namespace tsm
