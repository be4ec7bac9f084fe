#include "skincontrols/TskSkinGauge.h"

#include <algorithm>

#include "framework/controls/StateDescription.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/RotatedText.h"
#include "skin/SkinCompose.h"
#include "skin/SkinPlatform.h"
#include "skincontrols/SkinGaugeMath.h"

namespace tsm {

TskSkinGauge::TskSkinGauge(TComponent* owner) : TskSkinCustomControl(owner) {
  SetSkinDataName("gauge");
  SetBounds(0, 0, 100, 20);
}

// --- Values -----------------------------------------------------------------

void TskSkinGauge::SetMinValue(int32_t value) {
  // Loading sets the bounds one by one; Loaded puts them in order.
  if (!IsLoading()) value = std::min(value, m_maxValue);
  m_minValue = value;
  if (m_value < value) m_value = value;
  Changed();
}

void TskSkinGauge::SetMaxValue(int32_t value) {
  if (!IsLoading()) value = std::max(value, m_minValue);
  m_maxValue = value;
  if (m_value > value) m_value = value;
  Changed();
}

void TskSkinGauge::SetValue(int32_t value) {
  value = std::max(std::min(value, m_maxValue), m_minValue);
  if (value == m_value) return;
  m_value = value;
  Changed();
}

void TskSkinGauge::Loaded() {
  TskSkinCustomControl::Loaded();
  m_minValue = std::min(m_minValue, m_maxValue);
  m_value = std::clamp(m_value, m_minValue, m_maxValue);
}

void TskSkinGauge::SetProgressText(const std::string& text) {
  m_progressText = text;
  Changed();
}

void TskSkinGauge::SetShowProgressText(bool on) {
  m_showProgressText = on;
  Changed();
}

void TskSkinGauge::SetShowPercent(bool on) {
  m_showPercent = on;
  Changed();
}

void TskSkinGauge::SetVertical(bool on) {
  m_vertical = on;
  if (IsDesigning() && !IsLoading() && on != (SkinDataName() == "vgauge")) {
    // The long side follows the direction.
    SetSkinDataName(on ? "vgauge" : "gauge");
    SetBounds(Left(), Top(), Height(), Width());
    if (on) {
      SetDefaultWidth(DefaultHeight());
      SetDefaultHeight(0);
    } else {
      SetDefaultHeight(DefaultWidth());
      SetDefaultWidth(0);
    }
  }
  Changed();
}

void TskSkinGauge::SetUseSkinSize(bool on) {
  m_useSkinSize = on;
  Changed();
}

int32_t TskSkinGauge::Percent() const {
  return m_minValue == m_maxValue ? 0 : GaugePercent(GaugeFraction(m_minValue, m_maxValue, m_value));
}

std::string TskSkinGauge::Text() const {
  return GaugeText(m_progressText, m_showProgressText, m_showPercent, Percent());
}

void TskSkinGauge::DescribeState(TStateDescription& state) {
  TskSkinCustomControl::DescribeState(state);
  state.Set("text", Text());
  state.Set("position", m_value);
  state.Set("min", m_minValue);
  state.Set("max", m_maxValue);
  state.Set("vertical", DrawsVertical());
}

bool TskSkinGauge::DrawsVertical() const { return Skinned() ? m_data.Vertical : m_vertical; }

// --- Skin -------------------------------------------------------------------

void TskSkinGauge::ReadSkinData() {
  TskSkinCustomControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinGaugeControl>();
  if (!data) {
    Unskin();
    m_data = TskDataSkinGaugeControl("");
    m_fittedProgressArea = {};
    return;
  }
  m_data = *data;
  if (!m_useSkinSize && data->MaskPictureIndex != -1) DropMaskPicture();
  m_fittedProgressArea = ProgressAreaFor(SkinGeometry().FittedSize(Width(), Height()));
}

TRect TskSkinGauge::ProgressAreaFor(TSize fitted) const {
  TRect area = m_data.ProgressArea;
  if (StretchMode() != TskStretchMode::Fixed && StretchMode() != TskStretchMode::NoRect) {
    if (m_data.Vertical)
      area.Bottom += fitted.cy - SkinRectangle().Height();
    else
      area.Right += fitted.cx - SkinRectangle().Width();
  }
  return area;
}

void TskSkinGauge::FitSizeToSkin(int32_t& width, int32_t& height) {
  if (!Skinned()) return;
  int32_t w = width, h = height;
  TskSkinCustomControl::FitSizeToSkin(w, h);
  m_fittedProgressArea = ProgressAreaFor({w, h});
  if (m_useSkinSize) {
    width = w;
    height = h;
  }
}

// --- Drawing ----------------------------------------------------------------

void TskSkinGauge::DrawSkinImage(ui::TBitmap& image) {
  const TSize size = m_useSkinSize ? TSize{Width(), Height()} : SkinGeometry().FittedSize(Width(), Height());
  TBitmap look;
  SkinGeometry().DrawRect(SkinRectangle(), size.cx, size.cy, look);
  if (look.IsEmpty()) look = image.Image();
  const long double fraction = GaugeFraction(m_minValue, m_maxValue, m_value);
  const bool withText = DrawSkinBar(look, GaugeProgressRect(ProgressAreaFor(size), fraction, m_data.Vertical));
  if (!m_useSkinSize && look.Size() != TSize{Width(), Height()}) {
    TBitmap stretched(Width(), Height());
    TDeviceContext(stretched).StretchBlt(stretched.Bounds(), look.Surface(), look.Bounds());
    look = std::move(stretched);
  }
  image.SetImage(std::move(look));
  if (!withText) return;
  ui::TFont font;
  SelectFont(font, {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  font.SetColor(m_data.FontColor);
  DrawText(image, font, m_data.Vertical);
}

bool TskSkinGauge::DrawSkinBar(TBitmap& image, const TRect& bar) const {
  const TBitmap* picture = SkinPicture();
  const TRect& pr = m_data.ProgressRect;
  const bool vertical = m_data.Vertical;
  const int32_t b = m_data.BeginOffset, e = m_data.EndOffset;
  const int32_t length = vertical ? bar.Height() : bar.Width();
  if (!picture || length <= 0 || RectIsEmpty(pr)) return true;
  const int32_t middle = (vertical ? pr.Height() : pr.Width()) - b - e;
  if (length > b + e && middle <= 0) return false;
  TDeviceContext dc(image);
  if (middle > 0) {
    if (!vertical) {
      TileHorizontal(dc, *picture, {pr.Left + b, pr.Top, pr.Right - e, pr.Bottom}, bar.Left, bar.Right, bar.Top,
                     bar.Bottom);
    } else {
      // From the bottom upward; the last piece loses its top rows.
      const TRect piece{pr.Left, pr.Top + b, pr.Right, pr.Bottom - e};
      for (int32_t y = bar.Bottom; y > bar.Top; y -= middle) {
        const int32_t top = std::max(bar.Top, y - middle);
        CopyPiece(dc, {bar.Left, top, bar.Right, y}, *picture,
                  {piece.Left, piece.Bottom - (y - top), piece.Right, piece.Bottom});
      }
    }
  }
  if (length >= b + e) {
    if (!vertical) {
      CopyPiece(dc, {bar.Left, bar.Top, bar.Left + b, bar.Bottom}, *picture, {pr.Left, pr.Top, pr.Left + b, pr.Bottom});
      CopyPiece(dc, {bar.Right - e, bar.Top, bar.Right, bar.Bottom}, *picture,
                {pr.Right - e, pr.Top, pr.Right, pr.Bottom});
    } else {
      CopyPiece(dc, {bar.Left, bar.Top, bar.Right, bar.Top + b}, *picture, {pr.Left, pr.Top, pr.Right, pr.Top + b});
      CopyPiece(dc, {bar.Left, bar.Bottom - e, bar.Right, bar.Bottom}, *picture,
                {pr.Left, pr.Bottom - e, pr.Right, pr.Bottom});
    }
  }
  return true;
}

void TskSkinGauge::DrawFallbackImage(ui::TBitmap& image) {
  TCanvas& c = image.Canvas();
  const TRect r{0, 0, image.Width(), image.Height()};
  c.Brush() = TBrush{clWindow, TBrushStyle::Solid};
  c.FillRect(r);
  c.Brush() = TBrush{clBtnShadow, TBrushStyle::Solid};
  c.FrameRect(r);
  const TRect bar =
      GaugeProgressRect(r.Inflated(-1, -1), GaugeFraction(m_minValue, m_maxValue, m_value), m_vertical);
  if (!bar.IsEmpty()) {
    c.Brush() = TBrush{RGB(182, 189, 210), TBrushStyle::Solid};
    c.FillRect(bar);
  }
  ui::TFont font;
  SelectFont(font, {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  DrawText(image, font, m_vertical);
}

void TskSkinGauge::DrawText(ui::TBitmap& image, const ui::TFont& font, bool vertical) const {
  const std::string text = Text();
  if (text.empty()) return;
  TDeviceContext dc(image.Image());
  dc.SetFont(font.Handle());
  dc.SetTextColor(font.Color());
  dc.SetBkMode(TBkMode::Transparent);
  const TSize e = dc.TextExtent(text);
  const int32_t w = Width(), h = Height();
  if (vertical)
    TextOutRotated90(dc, w / 2 - e.cy / 2, e.cx / 2 + h / 2, text);
  else
    dc.TextOut(w / 2 - e.cx / 2, h / 2 - e.cy / 2, text);
}

}  // namespace tsm
