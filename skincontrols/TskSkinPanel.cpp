#include "skincontrols/TskSkinPanel.h"

#include <algorithm>

#include "framework/controls/StateDescription.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskSkinData.h"

namespace tsm {

namespace {

// Tiles piece of picture over (0, 0, w, h) from the top-left corner; the
// last column and row are cut. An empty piece draws nothing.
void TileFromOrigin(TDeviceContext& dc, const TBitmap& picture, const TRect& piece, int32_t w, int32_t h) {
  const int32_t pw = piece.Width(), ph = piece.Height();
  if (pw <= 0 || ph <= 0) return;
  for (int32_t y = 0; y < h; y += ph)
    for (int32_t x = 0; x < w; x += pw)
      dc.BitBlt(x, y, std::min(pw, w - x), std::min(ph, h - y), picture.Surface(), piece.Left, piece.Top);
}

}  // namespace

TskSkinPanel::TskSkinPanel(TComponent* owner) : TskSkinCustomControl(owner) {
  SetControlStyle(ControlStyle().Include(TControlStyleFlag::AcceptsControls));
  SetSkinDataName("panel");
  SetBounds(0, 0, 150, 150);
}

// --- Properties -------------------------------------------------------------

void TskSkinPanel::Relayout() {
  Invalidate();
  Realign();
}

void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle style) {
  m_borderStyle = style;
  Relayout();
}

void TskSkinPanel::SetCaptionMode(bool on) {
  m_captionMode = on;
  Relayout();
}

void TskSkinPanel::SetDefaultCaptionHeight(int32_t height) {
  m_defaultCaptionHeight = height;
  Relayout();
}

void TskSkinPanel::SetDefaultAlignment(TAlignment alignment) {
  m_defaultAlignment = alignment;
  Invalidate();
}

void TskSkinPanel::SetCheckedMode(bool on) {
  m_checkedMode = on;
  Invalidate();
}

void TskSkinPanel::SetChecked(bool checked) {
  m_checked = checked;
  if (m_checkedMode) {
    Invalidate();
    if (m_autoEnabledControls)
      for (size_t i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(checked);
  }
  CallEvent(OnChecked, this);
}

void TskSkinPanel::SetRollUpMode(bool on) {
  m_rollUpMode = on;
  if (!on && m_rollUpState) {
    m_rollUpState = false;
    RollDown();
  }
  Invalidate();
}

void TskSkinPanel::SetRollUpState(bool rolledUp) {
  if (rolledUp == m_rollUpState) return;
  if (!m_rollUpMode) {
    m_rollUpState = false;
    return;
  }
  m_rollUpState = rolledUp;
  const auto alive = AliveToken();
  if (rolledUp)
    RollUp();
  else
    RollDown();
  if (!alive.expired()) CallEvent(OnChangeRollUpState, this);
}

void TskSkinPanel::SetGlyph(const ui::TBitmap& glyph) {
  m_glyph.Assign(glyph);
  Invalidate();
}

void TskSkinPanel::SetNumGlyphs(int32_t n) {
  m_numGlyphs = std::clamp(n, 1, 2);
  Invalidate();
}

void TskSkinPanel::SetSpacing(int32_t spacing) {
  m_spacing = spacing;
  Invalidate();
}

void TskSkinPanel::TextChanged() {
  if (m_captionMode || !RectIsEmpty(m_data.CaptionRect)) Invalidate();
}

void TskSkinPanel::Resized() {
  TskSkinCustomControl::Resized();
  if (!Skinned()) Invalidate();
}

// --- Rolling up -------------------------------------------------------------

int32_t TskSkinPanel::RolledHeight() {
  ReadSkinData();
  if (!Skinned()) return m_defaultCaptionHeight + 1;
  return Height() - FittedClientRect().Height();
}

void TskSkinPanel::RollUp() {
  if (m_realHeight != -1) return;
  m_realHeight = Height();
  DisableAlign();
  m_hiddenByRollUp.clear();
  std::vector<TControl*> children;
  for (size_t i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
  for (TControl* c : children)
    if (c->Visible()) {
      m_hiddenByRollUp.emplace_back(c, c->AliveToken());
      c->Hide();
    }
  SetHeight(RolledHeight());
}

void TskSkinPanel::RollDown() {
  if (m_realHeight == -1) return;
  const int32_t height = m_realHeight;
  m_realHeight = -1;
  SetHeight(height);
  // Only the children that were shown come back, and only those still here.
  const auto hidden = std::move(m_hiddenByRollUp);
  m_hiddenByRollUp.clear();
  for (const auto& [c, alive] : hidden)
    if (!alive.expired() && c->Parent() == this) c->Show();
  EnableAlign();
}

// --- Skin and layout --------------------------------------------------------

void TskSkinPanel::ReadSkinData() {
  TskSkinCustomControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinPanelControl>();
  if (!data) {
    Unskin();
    m_data = TskDataSkinPanelControl("");
    return;
  }
  m_data = *data;
}

void TskSkinPanel::ApplySkinChange() {
  const auto alive = AliveToken();
  TskSkinCustomControl::ApplySkinChange();
  if (alive.expired()) return;
  if (m_realHeight == -1) {
    Realign();
    return;
  }
  // Rolled up: rolled up again for the new skin from the height to restore.
  const int32_t keep = m_realHeight;
  SetHeight(keep);
  SetHeight(RolledHeight());
  m_realHeight = keep;
}

void TskSkinPanel::AdjustClientRect(TRect& rect) {
  ReadSkinData();
  if (!Skinned() || IsDesigning()) {
    if (m_borderStyle != TskSkinBorderStyle::bvNone) rect.Inflate(-1, -1);
    if (m_captionMode) rect.Top = m_defaultCaptionHeight;
    return;
  }
  if (m_data.BGPictureIndex != -1 ||
      (m_borderStyle == TskSkinBorderStyle::bvNone && !m_captionMode && StretchMode() == TskStretchMode::Corners))
    rect = {0, 0, Width(), Height()};
  else
    rect = FittedClientRect();
}

TRect TskSkinPanel::CaptionArea() {
  ReadSkinData();
  if (!Skinned()) {
    // The interior of the unskinned caption band.
    if (m_borderStyle == TskSkinBorderStyle::bvFrame) return {2, 2, Width() - 2, m_defaultCaptionHeight - 2};
    return {3, 3, Width() - 3, m_defaultCaptionHeight - 2};
  }
  if (StretchMode() == TskStretchMode::Fixed || StretchMode() == TskStretchMode::NoRect) return m_data.CaptionRect;
  return SkinRectToControl(m_data.CaptionRect);
}

// --- Drawing ----------------------------------------------------------------

void TskSkinPanel::DrawSkinImage(ui::TBitmap& image) {
  const int32_t w = image.Width(), h = image.Height();
  if (m_data.BGPictureIndex != -1) {
    const TBitmap* bg = SkinData()->ActivePicture(m_data.BGPictureIndex);
    TDeviceContext dc(image.Image());
    if (bg) TileFromOrigin(dc, *bg, bg->Bounds(), w, h);
    return;
  }
  if (m_borderStyle == TskSkinBorderStyle::bvNone && StretchMode() == TskStretchMode::Corners && !m_captionMode) {
    // The skin's client texture alone.
    const TRect& s = SkinRectangle();
    const TRect& c = SkinClientRect();
    TDeviceContext dc(image.Image());
    if (SkinPicture()) TileFromOrigin(dc, *SkinPicture(), c.Offsetted(s.Left, s.Top), w, h);
    return;
  }
  DrawSkinRect(image, SkinRectangle());
  DrawSkinCaption(image);
}

void TskSkinPanel::DrawCheckImage(ui::TBitmap& image, const TRect& rect, TPoint at) const {
  const TBitmap* picture = SkinPicture();
  if (!picture || RectIsEmpty(rect) || !image.Canvas().Handle()) return;
  image.Canvas().Handle()->TransparentBlt(TRect::FromSize(at.X, at.Y, rect.Width(), rect.Height()),
                                          picture->Surface(), rect, picture->GetPixel(rect.Left, rect.Bottom - 1));
}

void TskSkinPanel::DrawSkinCaption(ui::TBitmap& image) {
  if (Caption().empty() || RectIsEmpty(m_data.CaptionRect)) return;
  TRect area = CaptionArea();
  if (m_rollUpMode) area.Right -= 12;
  if (m_checkedMode) {
    const TRect mark = m_checked ? m_data.CheckImageRect : m_data.UnCheckImageRect;
    DrawCheckImage(image, mark, {area.Left, area.Top + area.Height() / 2 - mark.Height() / 2});
    area.Left += mark.Width() + 2;
  }
  TCanvas& c = image.Canvas();
  SelectFont(c.Font(), {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  c.Font().SetColor(m_data.FontColor);
  DrawCaptionText(c, area, true);
  if (m_rollUpMode && c.Handle())
    DrawArrowGlyph(*c.Handle(), {area.Right, area.Top, area.Right + 10, area.Bottom}, m_data.FontColor,
                   m_rollUpState ? 4 : 3);
}

void TskSkinPanel::DrawCaptionText(TCanvas& canvas, const TRect& area, bool skinned) const {
  const TSize text = canvas.TextExtent(Caption());
  const bool glyph = !m_glyph.Empty();
  const int32_t gw = glyph ? m_glyph.Width() / m_numGlyphs : 0;
  const int32_t w = text.cx + (glyph ? gw + m_spacing : 0);
  TAlignment alignment = m_defaultAlignment;
  if (skinned)
    alignment = m_data.Alignment == TskAlignment::tarightjustify ? TAlignment::taRightJustify
                : m_data.Alignment == TskAlignment::tacenter     ? TAlignment::taCenter
                                                                 : TAlignment::taLeftJustify;
  const int32_t inset = skinned ? 0 : 2;
  int32_t x = area.Left + inset;
  if (alignment == TAlignment::taRightJustify) x = area.Right - w;
  if (alignment == TAlignment::taCenter) x = area.Left + inset + area.Width() / 2 - w / 2;
  if (glyph && canvas.Handle()) {
    const int32_t frame = (!Enabled() && m_numGlyphs == 2) ? 2 : 1;
    DrawStripGlyph(*canvas.Handle(), x, area.Top + area.Height() / 2 - m_glyph.Height() / 2, frame, m_numGlyphs,
                   m_glyph.Image());
    x += gw + m_spacing;
  }
  canvas.Brush().Style = TBrushStyle::Clear;
  canvas.TextRect(area, x, area.Top + area.Height() / 2 - text.cy / 2, Caption());
}

void TskSkinPanel::DrawFallbackImage(ui::TBitmap& image) {
  TCanvas& c = image.Canvas();
  TRect r{0, 0, image.Width(), image.Height()};
  c.Brush() = TBrush{clBtnFace, TBrushStyle::Solid};
  c.FillRect(r);
  switch (m_borderStyle) {
    case TskSkinBorderStyle::bvFrame:
      c.Brush() = TBrush{clBtnShadow, TBrushStyle::Solid};
      c.FrameRect(r);
      break;
    case TskSkinBorderStyle::bvRaised: c.Frame3D(r, clBtnHighlight, clBtnShadow); break;
    case TskSkinBorderStyle::bvLowered: c.Frame3D(r, clBtnShadow, clBtnHighlight); break;
    case TskSkinBorderStyle::bvNone: break;
  }
  if (!m_captionMode) return;
  const int32_t w = image.Width();
  TRect band;
  if (m_borderStyle == TskSkinBorderStyle::bvFrame) {
    band = {0, 0, w, m_defaultCaptionHeight};
    c.Brush() = TBrush{clBtnShadow, TBrushStyle::Solid};
    c.FrameRect(band);
    band.Inflate(-1, -1);
    c.Frame3D(band, clBtnHighlight, clBtnFace);
  } else {
    band = {1, 1, w - 1, m_defaultCaptionHeight};
    c.Frame3D(band, clBtnShadow, clBtnHighlight);
    c.Frame3D(band, clBtnHighlight, clBtnShadow);
  }
  TRect area = band;
  if (m_checkedMode) {
    const TRect box = TRect::FromSize(5, area.Top + area.Height() / 2 - 7, 14, 14);
    c.Brush() = TBrush{clBtnShadow, TBrushStyle::Solid};
    c.FrameRect(box);
    if (m_checked && c.Handle()) DrawCheckGlyph(*c.Handle(), box.Left + 3, box.Top + 2, clBtnText);
    area.Left += 20;
  }
  if (m_rollUpMode) {
    area.Right -= 10;
    if (c.Handle())
      DrawArrowGlyph(*c.Handle(), {area.Right, area.Top, area.Right + 10, area.Bottom}, clBtnText,
                     m_rollUpState ? 4 : 3);
  }
  SelectFont(c.Font(), {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  DrawCaptionText(c, area, false);
}

void TskSkinPanel::DescribeState(TStateDescription& state) {
  TskSkinCustomControl::DescribeState(state);
  if (m_checkedMode) state.Set("checked", m_checked);
  if (m_rollUpMode) state.Set("rolledUp", m_rollUpState);
}

// --- Mouse ------------------------------------------------------------------

void TskSkinPanel::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left && m_captionMode && (m_checkedMode || m_rollUpMode)) {
    const TRect hit = Skinned() ? CaptionArea() : TRect{1, 1, Width() - 1, m_defaultCaptionHeight};
    if (hit.Contains(x, y)) {
      if (m_checkedMode) SetChecked(!m_checked);
      if (alive.expired()) return;
      if (m_rollUpMode) SetRollUpState(!m_rollUpState);
      if (alive.expired()) return;
    }
  }
  TskSkinCustomControl::MouseUp(button, shift, x, y);
}

}  // namespace tsm
