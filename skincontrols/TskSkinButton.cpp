#include "skincontrols/TskSkinButton.h"

#include <algorithm>
#include <vector>

#include "framework/controls/Action.h"
#include "framework/controls/ActionList.h"
#include "framework/controls/Label.h"
#include "framework/controls/StateDescription.h"
#include "framework/graphics/ImageList.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"

namespace tsm {

TskSkinButton::TskSkinButton(TComponent* owner) : TskSkinCustomControl(owner) {
  // Clicks come from ButtonClick only; a quick second press is a press.
  SetControlStyle(TControlStyle{TControlStyleFlag::CaptureMouse, TControlStyleFlag::Opaque});
  SetSkinDataName("button");
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TskSkinButton::BeforeDestruction() {
  StopRepeat();
  StopMorph();
  TskSkinCustomControl::BeforeDestruction();
}

// --- Properties -------------------------------------------------------------

void TskSkinButton::SetGlyph(const ui::TBitmap& glyph) {
  m_glyph.Assign(glyph);
  Invalidate();
}

void TskSkinButton::SetNumGlyphs(int32_t n) {
  m_numGlyphs = std::clamp(n, 1, 4);
  Invalidate();
}

void TskSkinButton::SetLayout(TskButtonLayout layout) {
  if (layout == m_layout) return;
  m_layout = layout;
  Invalidate();
}

void TskSkinButton::SetMargin(int32_t margin) {
  if (margin < -1 || margin == m_margin) return;
  m_margin = margin;
  Invalidate();
}

void TskSkinButton::SetSpacing(int32_t spacing) {
  if (spacing == m_spacing) return;
  m_spacing = spacing;
  Invalidate();
}

void TskSkinButton::SetDown(bool down) {
  m_down = down;
  if (Skinned() && m_data.Morphing) {
    m_morph.SnapTo(true);
    if (down)
      StopMorph();
    else
      StartMorph();
  }
  Invalidate();
  if (down && m_groupIndex != 0) RaiseGroupMembers();
}

void TskSkinButton::RaiseGroupMembers() {
  if (!Parent()) return;
  std::vector<TskSkinButton*> members;
  for (size_t i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TskSkinButton*>(Parent()->Controls(i)); b && b != this && b->m_groupIndex == m_groupIndex)
      members.push_back(b);
  for (TskSkinButton* b : members)
    if (b->m_down) b->SetDown(false);
}

void TskSkinButton::SetGroupIndex(int32_t index) {
  m_groupIndex = index;
  if (index != 0) SetCanFocused(false);
}

void TskSkinButton::SetCanFocused(bool on) {
  m_canFocused = on;
  SetTabStop(on);
}

void TskSkinButton::SetDefault(bool on) {
  m_default = on;
  if (HandleAllocated() && m_canFocused)
    if (TCustomForm* form = GetParentForm(this)) form->FocusChanged();
}

void TskSkinButton::ActionChange(TAction* action) {
  TskSkinCustomControl::ActionChange(action);
  if (!action || !m_glyph.Empty() || !action->ActionList()) return;
  const TImageList* images = action->ActionList()->Images();
  TBitmap picture;
  if (images && images->GetBitmap(action->ImageIndex(), picture, RGB(255, 0, 255))) {
    m_glyph.SetImage(std::move(picture));
    Invalidate();
  }
}

// --- Clicking ---------------------------------------------------------------

void TskSkinButton::ButtonClick() {
  if (m_canFocused)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(m_modalResult);
  TskSkinCustomControl::Click();
}

// --- Skin -------------------------------------------------------------------

void TskSkinButton::ReadSkinData() {
  TskSkinCustomControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinButtonControl>();
  if (!data) {
    Unskin();
    m_data = TskDataSkinButtonControl("");
    return;
  }
  m_data = *data;
  if (RectIsEmpty(m_data.ActiveSkinRect)) m_data.ActiveSkinRect = m_data.SkinRect;
  if (RectIsEmpty(m_data.DownSkinRect)) m_data.DownSkinRect = m_data.ActiveSkinRect;
}

void TskSkinButton::ApplySkinChange() {
  StopMorph();
  m_morph.SnapTo(false);
  const auto alive = AliveToken();
  TskSkinCustomControl::ApplySkinChange();
  if (alive.expired()) return;
  if (Skinned() && m_data.Morphing && ActiveCondition()) m_morph.SnapTo(true);
}

// --- Looks and morphing -----------------------------------------------------

TskButtonLookState TskSkinButton::LookState() const {
  TskButtonLookState s;
  s.Enabled = Enabled();
  s.HasDisabledLook = Skinned() && !RectIsEmpty(m_data.DisabledSkinRect);
  s.Down = m_down;
  s.Grouped = m_groupIndex != 0;
  s.MouseInside = m_mouseInside;
  s.Focused = IsFocusedNow();
  s.MouseHeld = m_mouseHeld;
  s.MorphedActive = Skinned() && m_data.Morphing && m_morph.AtActive();
  return s;
}

TskButtonLook TskSkinButton::CurrentLook() const {
  return Skinned() ? SkinnedButtonLook(LookState()) : FallbackButtonLook(LookState());
}

void TskSkinButton::RefreshLook() {
  if (Skinned() && m_data.Morphing && Enabled())
    StartMorph();
  else
    Invalidate();
}

void TskSkinButton::MorphTick() {
  const bool active = ActiveCondition();
  if (!Skinned() || !m_data.Morphing) {
    m_morph.SnapTo(active);
    StopMorph();
  } else if (m_morph.Advance(active)) {
    StopMorph();
  }
  Invalidate();
}

void TskSkinButton::StartRepeat() {
  StopRepeat();
  m_repeatTimer = new TTimer(this);
  m_repeatTimer->SetInterval(static_cast<uint32_t>(std::max(0, m_repeatInterval)));
  m_repeatTimer->OnTimer = [this](TObject*) { ButtonClick(); };
}

void TskSkinButton::StopRepeat() { FreeAndNil(m_repeatTimer); }

// --- Drawing ----------------------------------------------------------------

void TskSkinButton::DrawSkinImage(ui::TBitmap& image) {
  if (m_data.Morphing && Enabled() && m_morph.InTransition()) {
    ui::TBitmap active;
    active.SetSize(Width(), Height());
    DrawSkinLook(image, TskButtonLook::Normal);
    DrawSkinLook(active, TskButtonLook::Active);
    MixLooks(image, active, m_data.MorphKind, m_morph.Position());
    return;
  }
  DrawSkinLook(image, SkinnedButtonLook(LookState()));
}

void TskSkinButton::DrawSkinLook(ui::TBitmap& image, TskButtonLook look) {
  TRect rect = SkinRectangle();
  bool pressed = false, active = false;
  switch (look) {
    case TskButtonLook::Disabled: rect = m_data.DisabledSkinRect; break;
    case TskButtonLook::Pressed:
      rect = m_data.DownSkinRect;
      pressed = active = true;
      break;
    case TskButtonLook::Active:
      rect = m_data.ActiveSkinRect;
      active = true;
      break;
    case TskButtonLook::Normal: break;
  }
  DrawSkinRect(image, rect);
  TCanvas& c = image.Canvas();
  SelectFont(c.Font(), {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  c.Font().SetColor(!Enabled() ? m_data.DisabledFontColor
                    : pressed  ? m_data.DownFontColor
                    : active   ? m_data.ActiveFontColor
                               : m_data.FontColor);
  TRect area = FittedClientRect();
  if (pressed) area.Offset(1, 1);
  DrawGlyphAndCaption(c, area, pressed, active);
}

void TskSkinButton::DrawFallbackImage(ui::TBitmap& image) {
  TCanvas& c = image.Canvas();
  const TRect r{0, 0, image.Width(), image.Height()};
  const TskButtonLook look = FallbackButtonLook(LookState());
  TColor frame = clBtnShadow, fill = clBtnFace;
  if (look == TskButtonLook::Pressed) {
    frame = RGB(0, 0, 128);
    fill = RGB(133, 147, 181);
  } else if (look == TskButtonLook::Active) {
    frame = RGB(0, 0, 128);
    fill = RGB(182, 189, 210);
  }
  c.Brush() = TBrush{fill, TBrushStyle::Solid};
  c.FillRect(r);
  c.Brush() = TBrush{frame, TBrushStyle::Solid};
  c.FrameRect(r);
  SelectFont(c.Font(), {m_data.FontName, m_data.FontHeight, m_data.FontStyle});
  if (!Enabled()) c.Font().SetColor(clBtnShadow);
  TRect area = r;
  if (look == TskButtonLook::Pressed) area.Offset(1, 1);
  DrawGlyphAndCaption(c, area, m_down && m_mouseInside, m_mouseInside);
}

void TskSkinButton::DrawGlyphAndCaption(TCanvas& canvas, const TRect& area, bool pressedActive, bool active) {
  TSize glyph;
  if (!m_glyph.Empty()) glyph = {m_glyph.Width() / m_numGlyphs, m_glyph.Height()};
  TSize caption;
  if (!Caption().empty()) {
    TRect measured;
    canvas.DrawText(Caption(), measured, TTextFormat::CalcRect);
    caption = measured.Size();
  }
  const TskGlyphCaptionPlaces at = LayoutGlyphAndCaption(area, glyph, caption, m_layout, m_margin, m_spacing);
  if (glyph.cx > 0 && canvas.Handle())
    DrawStripGlyph(*canvas.Handle(), at.Glyph.X, at.Glyph.Y, ButtonGlyphNumber(pressedActive, active, Enabled(), m_numGlyphs),
                   m_numGlyphs, m_glyph.Image());
  if (caption.cx > 0) {
    // The measured box made 2 pixels wider, the text centred in it.
    TRect box = TRect::FromSize(at.Caption.X, at.Caption.Y, caption.cx + 2, caption.cy);
    canvas.Brush().Style = TBrushStyle::Clear;
    canvas.DrawText(Caption(), box, TTextFormat::Center);
  }
}

// --- Messages ---------------------------------------------------------------

void TskSkinButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: CMDialogKey(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    case CM_FOCUSCHANGED: CMFocusChanged(m); break;
    default: TskSkinCustomControl::WndProc(m); break;
  }
}

void TskSkinButton::DescribeState(TStateDescription& state) {
  TskSkinCustomControl::DescribeState(state);
  state.Set("down", m_down);
  state.Set("default", m_default);
  state.Set("cancel", m_cancel);
  state.Set("groupIndex", m_groupIndex);
}

void TskSkinButton::CreateHandleDone() {
  TskSkinCustomControl::CreateHandleDone();
  m_isDefaultNow = m_default;
}

void TskSkinButton::CMDialogKey(TMessage& m) {
  if (!Showing()) return;
  if (m.WParam == VK_RETURN && m_isDefaultNow && Enabled()) {
    m.Result = 1;
    ButtonClick();
  } else if (m.WParam == VK_ESCAPE && m_cancel && m_canFocused && KeyboardShiftState().Empty() && CanFocus()) {
    m.Result = 1;
    ButtonClick();
  }
}

void TskSkinButton::CMDialogChar(TMessage& m) {
  if (!m_canFocused || !IsAccel(static_cast<char32_t>(m.WParam), Caption()) || !CanFocus()) return;
  m.Result = 1;
  const auto alive = AliveToken();
  SetFocus();
  if (!alive.expired()) ButtonClick();
}

void TskSkinButton::CMFocusChanged(TMessage& m) {
  auto* focused = reinterpret_cast<TControl*>(m.LParam);
  auto* button = dynamic_cast<TskSkinButton*>(focused);
  m_isDefaultNow = button ? button == this : m_default;
  if (!m_default || !m_canFocused || !focused) return;
  if (button && button != this && m_mouseInside) {
    m_mouseInside = false;
    RefreshLook();
  } else if (!button && !m_mouseInside) {
    m_mouseInside = true;
    if (Skinned() && m_data.Morphing) m_morph.SnapTo(true);
    RefreshLook();
  }
}

// --- Mouse ------------------------------------------------------------------

void TskSkinButton::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left) {
    // The press first takes the focus; without it, the press is dropped.
    if (m_canFocused && !FocusForPress()) return;
    m_mouseHeld = true;
    const TskButtonPressResult r =
        ButtonMouseDown({m_down, m_groupIndex != 0, m_allowAllUp, m_repeatMode, m_mouseInside, m_releaseArmed});
    if (r.SetMouseInside) m_mouseInside = true;
    if (r.Down == TskButtonPressResult::TDown::Press) SetDown(true);
    if (r.StartRepeat) StartRepeat();
    if (r.ReleaseArmed) m_releaseArmed = *r.ReleaseArmed;
    if (r.Click) {
      ButtonClick();
      if (alive.expired()) return;
    }
  }
  TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinButton::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left && m_mouseHeld) {
    m_mouseHeld = false;
    const TskButtonPressResult r =
        ButtonMouseUp({m_down, m_groupIndex != 0, m_allowAllUp, m_repeatMode, m_mouseInside, m_releaseArmed});
    if (r.StopRepeat) StopRepeat();
    if (r.Down == TskButtonPressResult::TDown::Release) SetDown(false);
    if (r.Down == TskButtonPressResult::TDown::ReleaseQuietly) ClearDownQuietly();
    if (r.Click) {
      ButtonClick();
      if (alive.expired()) return;
    }
  }
  if (HandleAllocated() && Visible()) TskSkinCustomControl::MouseUp(button, shift, x, y);
}

void TskSkinButton::MouseEnter() {
  if (!IsDesigning()) {
    m_mouseInside = true;
    const bool grouped = m_groupIndex != 0;
    if ((grouped && !m_down) || (!grouped && (!IsFocusedNow() || m_down))) {
      if (m_down) {
        m_morph.SnapTo(true);
        Invalidate();
      } else {
        RefreshLook();
      }
    }
    if (m_mouseHeld && !grouped && m_repeatMode) StartRepeat();
  }
  TskSkinCustomControl::MouseEnter();
}

void TskSkinButton::MouseLeave() {
  if (!IsDesigning()) {
    if (!(m_default && m_canFocused && m_isDefaultNow && !Focused())) m_mouseInside = false;
    const bool grouped = m_groupIndex != 0;
    if ((grouped && !m_down) || (!grouped && (!IsFocusedNow() || m_down))) {
      if (m_down)
        Invalidate();
      else
        RefreshLook();
    }
    if (m_mouseHeld) StopRepeat();
  }
  TskSkinCustomControl::MouseLeave();
}

// --- Keyboard and focus -----------------------------------------------------

void TskSkinButton::KeyDown(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TskSkinCustomControl::KeyDown(key, shift);
  if (alive.expired() || key == 0 || !m_canFocused) return;
  if (key == VK_SPACE) {
    key = 0;
    m_spaceDown = true;
    SetDown(true);
    if (m_repeatMode) ButtonClick();
  } else if (key == VK_RETURN) {
    key = 0;
    ButtonClick();
  }
}

void TskSkinButton::KeyUp(uint16_t& key, TShiftState shift) {
  const auto alive = AliveToken();
  TskSkinCustomControl::KeyUp(key, shift);
  if (alive.expired() || key != VK_SPACE || !m_canFocused || !m_spaceDown) return;
  key = 0;
  m_spaceDown = false;
  SetDown(false);
  ButtonClick();
}

void TskSkinButton::FocusGained() { RefreshLook(); }

void TskSkinButton::FocusLost() {
  StopRepeat();
  m_spaceDown = false;
  if (m_groupIndex == 0) ClearDownQuietly();
  RefreshLook();
}

void TskSkinButton::EnabledChanged() {
  StopMorph();
  m_morph.SnapTo(false);
  if (!Enabled()) {
    // A disabled button neither hovers nor repeats.
    m_mouseInside = false;
    m_mouseHeld = false;
    StopRepeat();
  }
  TskSkinCustomControl::EnabledChanged();
}

}  // namespace tsm
