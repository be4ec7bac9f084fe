#include "framework/controls/Panel.h"

#include <algorithm>

namespace tsm {

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(TControlStyle{TControlStyleFlag::AcceptsControls, TControlStyleFlag::CaptureMouse,
                                TControlStyleFlag::ClickEvents, TControlStyleFlag::DoubleClicks,
                                TControlStyleFlag::Opaque, TControlStyleFlag::SetCaption});
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
  if (bevel == m_bevelOuter) return;
  m_bevelOuter = bevel;
  BordersChanged();
}

void TPanel::SetBevelInner(TPanelBevel bevel) {
  if (bevel == m_bevelInner) return;
  m_bevelInner = bevel;
  BordersChanged();
}

void TPanel::SetBevelWidth(int32_t width) {
  width = std::max(1, width);
  if (width == m_bevelWidth) return;
  m_bevelWidth = width;
  BordersChanged();
}

void TPanel::SetBorderWidth(int32_t width) {
  width = std::max(0, width);
  if (width == m_borderWidth) return;
  m_borderWidth = width;
  BordersChanged();
}

void TPanel::SetAlignment(TAlignment alignment) {
  if (alignment == m_alignment) return;
  m_alignment = alignment;
  Invalidate();
}

void TPanel::BordersChanged() {
  Realign();
  Invalidate();
}

void TPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  int32_t inset = m_borderWidth;
  if (m_bevelOuter != TPanelBevel::bvNone) inset += m_bevelWidth;
  if (m_bevelInner != TPanelBevel::bvNone) inset += m_bevelWidth;
  rect.Inflate(-inset, -inset);
}

void TPanel::Paint() {
  TRect r = ClientRect();
  const auto bevel = [&](TPanelBevel b) {
    if (b == TPanelBevel::bvNone) return;
    const TColor topLeft = b == TPanelBevel::bvLowered ? clBtnShadow : b == TPanelBevel::bvRaised ? clBtnHighlight : Color();
    const TColor bottomRight = b == TPanelBevel::bvLowered ? clBtnHighlight : b == TPanelBevel::bvRaised ? clBtnShadow : Color();
    Canvas().Frame3D(r, topLeft, bottomRight, m_bevelWidth);
  };
  bevel(m_bevelOuter);
  if (m_borderWidth > 0) Canvas().Frame3D(r, Color(), Color(), m_borderWidth);
  bevel(m_bevelInner);
  Canvas().Brush() = TBrush{Color(), TBrushStyle::Solid};
  Canvas().FillRect(r);
  if (Caption().empty()) return;
  Canvas().Brush().Style = TBrushStyle::Clear;
  TTextFormat f = TTextFormat::SingleLine | TTextFormat::VCenter;
  if (m_alignment == TAlignment::taCenter) f = f | TTextFormat::Center;
  else if (m_alignment == TAlignment::taRightJustify) f = f | TTextFormat::Right;
  Canvas().DrawText(Caption(), r, f);
}

}  // namespace tsm
