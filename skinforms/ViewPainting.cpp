#include "skinforms/ViewPainting.h"

#include "framework/controls/CustomControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace tsm {

void PaintOffScreen(TCustomControl& view, const std::function<void(TCanvas& canvas, const TRect& client)>& paint) {
  const TRect client = view.ClientRect();
  if (client.IsEmpty()) return;
  ui::TBitmap image(client.Width(), client.Height());
  TCanvas& c = image.Canvas();
  c.Brush() = TBrush{view.Color(), TBrushStyle::Solid};
  c.FillRect(client);
  c.Font().Assign(view.Font());
  paint(c, client);
  view.Canvas().Draw(0, 0, image);
}

void PaintSelectionMark(TCanvas& canvas, const TRect& mark, bool selected, bool focused) {
  if (selected) {
    canvas.Brush() = TBrush{focused ? clHighlight : clBtnFace, TBrushStyle::Solid};
    canvas.FillRect(mark);
  }
  canvas.Font().SetColor(selected && focused ? clHighlightText : clWindowText);
  canvas.Brush().Style = TBrushStyle::Clear;
}

}  // namespace tsm
