#include "skincontrols/TskSkinCheckRadioBox.h"

#include <vector>

#include "framework/controls/Action.h"
#include "framework/controls/Label.h"
#include "framework/controls/StateDescription.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/ui/SkinWindowServices.h"

namespace tsm {

namespace {

constexpr TTextFormat kCaptionFormat = TTextFormat::SingleLine | TTextFormat::VCenter;

}  // namespace

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* owner) : TskSkinCustomControl(owner) {
  SetControlStyle(TControlStyle{TControlStyleFlag::CaptureMouse, TControlStyleFlag::Opaque});
  SetSkinDataName("checkbox");
  SetTabStop(false);
  SetBounds(0, 0, 150, 25);
}

void TskSkinCheckRadioBox::BeforeDestruction() {
  StopMorph();
  SetImages(nullptr);
  TskSkinCustomControl::BeforeDestruction();
}

void TskSkinCheckRadioBox::Notification(TComponent* component, TOperation operation) {
  TskSkinCustomControl::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_images) {
    m_images = nullptr;
    Invalidate();
  }
}

// --- Properties -------------------------------------------------------------

void TskSkinCheckRadioBox::SetChecked(bool checked) {
  m_checked = checked;
  Invalidate();
  if (checked && m_groupIndex != 0) UncheckGroup();
  if (!m_radio || checked) CallEvent(OnClick, this);
}

void TskSkinCheckRadioBox::UncheckGroup() {
  if (!Parent()) return;
  std::vector<TskSkinCheckRadioBox*> others;
  for (size_t i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TskSkinCheckRadioBox*>(Parent()->Controls(i));
        b && b != this && b->m_groupIndex == m_groupIndex)
      others.push_back(b);
  for (TskSkinCheckRadioBox* b : others) {
    const auto alive = b->AliveToken();
    if (!alive.expired() && b->m_checked) b->SetChecked(false);
  }
}

void TskSkinCheckRadioBox::SetRadio(bool on) {
  m_radio = on;
  if (IsDesigning() && !IsLoading()) {
    SetSkinDataName(on ? "radiobox" : "checkbox");
    m_groupIndex = on ? 1 : 0;
  }
  Invalidate();
}

void TskSkinCheckRadioBox::SetFlat(bool on) {
  if (on == m_flat) return;
  m_flat = on;
  ApplySkinChange();
}

void TskSkinCheckRadioBox::SetCanFocused(bool on) {
  m_canFocused = on;
  SetTabStop(on);
}

void TskSkinCheckRadioBox::SetImages(TImageList* images) {
  if (images == m_images) return;
  if (m_images) m_images->RemoveFreeNotification(this);
  m_images = images;
  if (m_images) m_images->FreeNotification(this);
  Invalidate();
}

void TskSkinCheckRadioBox::SetImageIndex(int32_t index) {
  m_imageIndex = index;
  Invalidate();
}

void TskSkinCheckRadioBox::ClickOperation() {
  if (!m_radio)
    SetChecked(!m_checked);
  else if (!m_checked)
    SetChecked(true);
}

void TskSkinCheckRadioBox::ActionChange(TAction* action) {
  TskSkinCustomControl::ActionChange(action);
  if (action && action->Checked() != m_checked) SetChecked(action->Checked());
}

// --- Skin and size ----------------------------------------------------------

void TskSkinCheckRadioBox::ReadSkinData() {
  TskSkinCustomControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinCheckRadioControl>();
  if (!data) {
    Unskin();
    m_data = TskDataSkinCheckRadioControl("");
    return;
  }
  m_data = *data;
  const auto orElse = [](TRect& r, const TRect& other) {
    if (RectIsEmpty(r)) r = other;
  };
  orElse(m_data.ActiveSkinRect, m_data.SkinRect);
  orElse(m_data.ActiveCheckImageRect, m_data.CheckImageRect);
  orElse(m_data.ActiveUnCheckImageRect, m_data.UnCheckImageRect);
  orElse(m_data.UnEnabledCheckImageRect, m_data.CheckImageRect);
  orElse(m_data.UnEnabledUnCheckImageRect, m_data.UnCheckImageRect);
  if (m_flat) {
    m_data.Morphing = false;
    DropMaskPicture();
  }
}

void TskSkinCheckRadioBox::FitSizeToSkin(int32_t& width, int32_t& height) {
  if (!m_flat) TskSkinCustomControl::FitSizeToSkin(width, height);
}

void TskSkinCheckRadioBox::ApplySkinChange() {
  StopMorph();
  m_morph.SnapTo(false);
  if (m_flat) {
    ReadSkinData();
    UpdateWindowRegion();
    Invalidate();
    return;
  }
  const auto alive = AliveToken();
  TskSkinCustomControl::ApplySkinChange();
  if (!alive.expired() && Morphs() && ActiveCondition()) m_morph.SnapTo(true);
}

void TskSkinCheckRadioBox::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const bool moved = left != Left() || top != Top();
  const auto alive = AliveToken();
  TskSkinCustomControl::SetBounds(left, top, width, height);
  // The flat look shows the parent's background, which differs elsewhere.
  if (!alive.expired() && moved && m_flat) Invalidate();
}

// --- Looks and morphing -----------------------------------------------------

void TskSkinCheckRadioBox::RefreshLook() {
  if (Morphs() && Enabled())
    StartMorph();
  else
    Invalidate();
}

void TskSkinCheckRadioBox::MorphTick() {
  const bool active = ActiveCondition();
  if (!Morphs()) {
    m_morph.SnapTo(active);
    StopMorph();
    Invalidate();
    return;
  }
  // A step that moves repaints; the tick that finds the end reached only
  // ends the transition.
  const int32_t before = m_morph.Step();
  const bool done = m_morph.Advance(active);
  if (m_morph.Step() != before) Invalidate();
  if (done) StopMorph();
}

TRect TskSkinCheckRadioBox::CheckImageRect() const {
  if (!Enabled()) return m_checked ? m_data.UnEnabledCheckImageRect : m_data.UnEnabledUnCheckImageRect;
  if (m_mouseInside) return m_checked ? m_data.ActiveCheckImageRect : m_data.ActiveUnCheckImageRect;
  return m_checked ? m_data.CheckImageRect : m_data.UnCheckImageRect;
}

// --- Drawing ----------------------------------------------------------------

TskSkinCheckRadioBox::TFlatPlaces TskSkinCheckRadioBox::FlatPlaces(TCanvas& canvas, TSize mark,
                                                                   int32_t textLeft) const {
  const int32_t w = Width(), h = Height();
  TFlatPlaces p;
  p.Mark = TRect::FromSize(3, h / 2 - mark.cy / 2, mark.cx, mark.cy);
  TRect measured;
  if (!Caption().empty()) canvas.DrawText(Caption(), measured, TTextFormat::CalcRect | TTextFormat::SingleLine);
  const int32_t th = measured.Height();
  p.Text = {textLeft, h / 2 - th / 2, std::min(textLeft + measured.Width(), w - 2), h / 2 - th / 2 + th};
  if (m_images && m_imageIndex >= 0 && m_imageIndex < m_images->Count()) {
    const int32_t iw = m_images->Width(), ih = m_images->Height();
    p.Image = TRect::FromSize(p.Text.Left, h / 2 - ih / 2, iw, ih);
    p.Text.Offset(iw + 5, 0);
    p.Text.Right = std::min(p.Text.Right, w - 2);
  }
  p.Focus = Caption().empty() ? p.Mark.Inflated(1, 1)
                              : TRect{p.Text.Left - 2, p.Text.Top - 1, p.Text.Right + 3, p.Text.Bottom + 1};
  return p;
}

void TskSkinCheckRadioBox::DrawMark(TCanvas& canvas, const TRect& box) const {
  canvas.Brush() = TBrush{m_mouseInside ? RGB(0, 0, 128) : clBtnShadow, TBrushStyle::Solid};
  canvas.FrameRect(box);
  if (!m_checked || !canvas.Handle()) return;
  const TColor color = Enabled() ? clBlack : clBtnShadow;
  const int32_t h = Height();
  if (m_radio)
    DrawDotGlyph(*canvas.Handle(), 7, h / 2 - 3, color);
  else
    DrawCheckGlyph(*canvas.Handle(), 7, h / 2 - 4, color);
}

void TskSkinCheckRadioBox::DrawCheckImage(ui::TBitmap& image, TPoint at) const {
  const TBitmap* picture = SkinPicture();
  const TRect r = CheckImageRect();
  if (!picture || RectIsEmpty(r) || !image.Canvas().Handle()) return;
  const TColor transparent = picture->GetPixel(r.Left, r.Bottom - 1);
  image.Canvas().Handle()->TransparentBlt(TRect::FromSize(at.X, at.Y, r.Width(), r.Height()), picture->Surface(), r,
                                          transparent);
}

void TskSkinCheckRadioBox::DrawFlat(ui::TBitmap& image) {
  TCanvas& c = image.Canvas();
  ::tsm::PaintParentBackground(*this, c);
  SelectFont(c.Font(), {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  const bool skinned = Skinned();
  const TRect checkImage = CheckImageRect();
  const TFlatPlaces p = skinned ? FlatPlaces(c, checkImage.Size(), checkImage.Width() + 7) : FlatPlaces(c, {14, 14}, 22);
  if (skinned)
    DrawCheckImage(image, p.Mark.TopLeft());
  else
    DrawMark(c, p.Mark);
  if (!p.Image.IsEmpty()) m_images->Draw(c, p.Image.Left, p.Image.Top, m_imageIndex, Enabled());
  if (skinned)
    c.Font().SetColor(Enabled() ? m_data.FrameFontColor : m_data.UnEnabledFontColor);
  else if (!Enabled())
    c.Font().SetColor(clBtnShadow);
  TRect text = p.Text;
  c.Brush().Style = TBrushStyle::Clear;
  c.DrawText(Caption(), text, kCaptionFormat);
  if (IsFocusedNow()) c.DrawFocusRect(p.Focus);
}

void TskSkinCheckRadioBox::DrawSkinLook(ui::TBitmap& image, bool active) {
  DrawSkinRect(image, active ? m_data.ActiveSkinRect : SkinRectangle());
  const int32_t dw = Width() - SkinRectangle().Width();
  // The mark centred in its area, which follows the right edge when it
  // lies right of the text.
  TRect area = m_data.CheckImageArea;
  if (area.Left >= m_data.TextArea.Right) area.Offset(dw, 0);
  const TRect mark = CheckImageRect();
  DrawCheckImage(image, {area.Left + (area.Width() - mark.Width()) / 2, area.Top + (area.Height() - mark.Height()) / 2});
  TRect text = m_data.TextArea;
  text.Right += dw;
  TCanvas& c = image.Canvas();
  SelectFont(c.Font(), {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  c.Font().SetColor(!Enabled() ? m_data.UnEnabledFontColor : active ? m_data.ActiveFontColor : m_data.FontColor);
  c.Brush().Style = TBrushStyle::Clear;
  c.DrawText(Caption(), text, kCaptionFormat);
}

void TskSkinCheckRadioBox::DrawSkinImage(ui::TBitmap& image) {
  if (m_flat) {
    DrawFlat(image);
    return;
  }
  if (Morphs() && Enabled() && m_morph.InTransition()) {
    ui::TBitmap active;
    active.SetSize(Width(), Height());
    DrawSkinLook(image, false);
    DrawSkinLook(active, true);
    MixLooks(image, active, m_data.MorphKind, m_morph.Position());
    return;
  }
  DrawSkinLook(image, Morphs() ? m_morph.AtActive() : ActiveCondition());
}

void TskSkinCheckRadioBox::DrawFallbackImage(ui::TBitmap& image) {
  if (m_flat) {
    DrawFlat(image);
    return;
  }
  TCanvas& c = image.Canvas();
  const TRect r{0, 0, image.Width(), image.Height()};
  c.Brush() = TBrush{clBtnFace, TBrushStyle::Solid};
  c.FillRect(r);
  if (ActiveCondition()) {
    c.Brush() = TBrush{clBtnShadow, TBrushStyle::Solid};
    c.FrameRect(r);
  }
  const int32_t h = Height();
  DrawMark(c, {3, h / 2 - 7, 17, h / 2 + 7});
  SelectFont(c.Font(), {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  if (!Enabled()) c.Font().SetColor(clBtnShadow);
  TRect text{19, 0, r.Right, r.Bottom};
  c.Brush().Style = TBrushStyle::Clear;
  c.DrawText(Caption(), text, kCaptionFormat);
}

// --- Input ------------------------------------------------------------------

void TskSkinCheckRadioBox::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    CMDialogChar(m);
    return;
  }
  TskSkinCustomControl::WndProc(m);
}

void TskSkinCheckRadioBox::DescribeState(TStateDescription& state) {
  TskSkinCustomControl::DescribeState(state);
  state.Set("checked", m_checked);
  state.Set("state", m_checked ? "checked" : "unchecked");
  state.Set("radio", m_radio);
}

void TskSkinCheckRadioBox::CMDialogChar(TMessage& m) {
  if (!m_canFocused || !IsAccel(static_cast<char32_t>(m.WParam), Caption()) || !CanFocus()) return;
  m.Result = 1;
  const auto alive = AliveToken();
  SetFocus();
  if (!alive.expired()) ClickOperation();
}

void TskSkinCheckRadioBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left) {
    if (m_canFocused && !FocusForPress()) return;
    m_mouseInside = true;
    m_pressed = true;
  }
  TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left && m_pressed) {
    m_pressed = false;
    if (m_mouseInside) {
      ClickOperation();
      if (alive.expired()) return;
    }
  }
  TskSkinCustomControl::MouseUp(button, shift, x, y);
}

void TskSkinCheckRadioBox::MouseEnter() {
  if (!IsDesigning()) {
    m_mouseInside = true;
    RefreshLook();
  }
  TskSkinCustomControl::MouseEnter();
}

void TskSkinCheckRadioBox::MouseLeave() {
  if (!IsDesigning()) {
    m_mouseInside = false;
    RefreshLook();
  }
  TskSkinCustomControl::MouseLeave();
}

void TskSkinCheckRadioBox::KeyDown(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TskSkinCustomControl::KeyDown(key, shift);
  if (alive.expired() || key != VK_SPACE || !m_canFocused) return;
  key = 0;
  m_spaceDown = true;
}

void TskSkinCheckRadioBox::KeyUp(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TskSkinCustomControl::KeyUp(key, shift);
  if (alive.expired() || key != VK_SPACE || !m_spaceDown || !IsFocusedNow()) return;
  key = 0;
  m_spaceDown = false;
  ClickOperation();
}

void TskSkinCheckRadioBox::FocusGained() { RefreshLook(); }

void TskSkinCheckRadioBox::FocusLost() {
  m_spaceDown = false;
  RefreshLook();
}

void TskSkinCheckRadioBox::EnabledChanged() {
  StopMorph();
  m_morph.SnapTo(false);
  m_mouseInside = false;
  m_pressed = false;
  TskSkinCustomControl::EnabledChanged();
}

void TskSkinCheckRadioBox::TextChanged() { Invalidate(); }

}  // namespace tsm
