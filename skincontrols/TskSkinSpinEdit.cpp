#include "skincontrols/TskSkinSpinEdit.h"

#include <cmath>

#include "framework/base/Exception.h"
#include "framework/controls/StateDescription.h"
#include "framework/forms/Application.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinCompose.h"
#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"
#include "skincontrols/SkinControlFont.h"
#include "skincontrols/TskSkinNumEdit.h"

namespace tsm {

TskSkinSpinEdit::TskSkinSpinEdit(TComponent* owner) : TskSkinCustomControl(owner) {
  SetSkinDataName("spinedit");
  m_editor = new TskSkinNumEdit(this);
  m_editor->SetParent(this);
  m_editor->SetTransparentDrawing(false);
  m_editor->Font().Assign(DefaultFont());
  m_editor->OnChange = [this](TObject*) { EditorChanged(); };
  m_editor->OnStep = [this](int direction) { Step(direction); };
  m_editor->OnStateChange = [this] { StateChanged(); };
  m_editor->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState shift) {
    CallEvent(OnEditKeyDown, this, key, shift);
  };
  m_editor->OnKeyPress = [this](TObject*, char32_t& key) { CallEvent(OnEditKeyPress, this, key); };
  m_editor->OnKeyUp = [this](TObject*, uint16_t& key, TShiftState shift) {
    CallEvent(OnEditKeyUp, this, key, shift);
  };
  m_editor->OnEnter = [this](TObject*) { CallEvent(OnEditEnter, this); };
  m_editor->OnExit = [this](TObject*) { CallEvent(OnEditExit, this); };
  SetBounds(0, 0, 120, 20);
  WriteText("0");
  UpdateEditorColour();
}

// --- Value ------------------------------------------------------------------

void TskSkinSpinEdit::SetValue(double value) {
  value = ClampSpinValue(value, m_minValue, m_maxValue);
  m_value = value;
  if (m_inUpdate) {
    // Inside OnChange: value and text agree, nothing is raised again.
    m_assignedInChange = true;
    WriteText(FormatSpinValue(value, m_valueType, m_decimal));
    return;
  }
  const auto alive = AliveToken();
  WriteText(FormatSpinValue(value, m_valueType, m_decimal));
  if (!alive.expired()) RaiseChange();
}

void TskSkinSpinEdit::SetMinValue(double value) {
  m_minValue = value;
  if (m_value < value) SetValue(value);
}

void TskSkinSpinEdit::SetMaxValue(double value) {
  m_maxValue = value;
  if (m_value > value) SetValue(value);
}

void TskSkinSpinEdit::SetValueType(TskValueType type) {
  if (type == m_valueType) return;
  m_valueType = type;
  m_editor->SetValueType(type);
  if (type == TskValueType::vtInteger) {
    m_increment = std::nearbyint(m_increment);
    if (m_increment == 0) m_increment = 1;
  }
}

void TskSkinSpinEdit::Step(int direction) { SetValue(m_value + direction * m_increment); }

void TskSkinSpinEdit::RaiseChange() {
  const bool previous = m_inUpdate;
  m_inUpdate = true;
  const auto alive = AliveToken();
  try {
    CallEvent(OnChange, this);
  } catch (...) {
    if (!alive.expired()) m_inUpdate = previous;
    throw;
  }
  if (!alive.expired()) m_inUpdate = previous;
}

void TskSkinSpinEdit::WriteText(const std::string& text) {
  const bool previous = m_inUpdate;
  m_inUpdate = true;
  const auto alive = AliveToken();
  SetText(text);   // the editor takes it over (TextChanged)
  if (alive.expired()) return;
  if (m_editor->Text() != text) m_editor->SetText(text);
  m_inUpdate = previous;
}

void TskSkinSpinEdit::EditorChanged() {
  if (m_editorEcho) return;
  m_editorEcho = true;
  const auto alive = AliveToken();
  SetText(m_editor->Text());
  if (!alive.expired()) m_editorEcho = false;
}

void TskSkinSpinEdit::TextChanged() {
  const auto alive = AliveToken();
  TskSkinCustomControl::TextChanged();
  if (alive.expired()) return;
  if (!m_editorEcho && m_editor->Text() != Text()) {
    m_editorEcho = true;
    m_editor->SetText(Text());
    if (alive.expired()) return;
    m_editorEcho = false;
  }
  if (!m_inUpdate) TextToValue();
}

void TskSkinSpinEdit::TextToValue() {
  const std::string text = Text();
  if (!IsValidSpinText(text, m_valueType)) return;
  double converted = 0;
  try {
    converted = ConvertSpinText(text, m_valueType);
  } catch (const Exception& e) {
    // Reported here, so that no error unwinds through the editor's typing.
    Application().HandleException(this, e);
    return;
  }
  const double clamped = ClampSpinValue(converted, m_minValue, m_maxValue);
  const auto alive = AliveToken();
  m_assignedInChange = false;
  if (clamped != m_value) {
    m_value = clamped;
    RaiseChange();
    if (alive.expired()) return;
  }
  if (clamped != converted && !m_assignedInChange) {
    WriteText(FormatSpinValue(clamped, m_valueType, m_decimal));
    if (alive.expired()) return;
    m_editor->SetSelStart(int32_t(m_editor->Text().size()));
  }
}

// --- Editor -----------------------------------------------------------------

bool TskSkinSpinEdit::EditorEnabled() const { return m_editor->EditorEnabled(); }
void TskSkinSpinEdit::SetEditorEnabled(bool on) { m_editor->SetEditorEnabled(on); }
int32_t TskSkinSpinEdit::MaxLength() const { return m_editor->MaxLength(); }
void TskSkinSpinEdit::SetMaxLength(int32_t length) { m_editor->SetMaxLength(length); }

void TskSkinSpinEdit::SetUseSkinSize(bool on) {
  if (on == m_useSkinSize) return;
  m_useSkinSize = on;
  if (!IsLoading()) ApplySkinChange();
}

bool TskSkinSpinEdit::ActiveLook() const {
  return MouseInControl() || m_editor->MouseInControl() || m_editor->Focused();
}

void TskSkinSpinEdit::UpdateEditorFont() {
  ReadSkinData();
  const TskSkinFont skinFont{m_data.Data.FontName, m_data.Data.FontHeight, m_data.Data.FontStyle};
  SelectControlFont(m_editor->Font(), DefaultFont(), Skinned() && UseSkinFont() ? &skinFont : nullptr, SkinData());
}

void TskSkinSpinEdit::UpdateEditorColour() {
  TColor c;
  if (!Enabled())
    c = Skinned() ? m_data.Data.DisabledFontColor : clGrayText;
  else if (!Skinned())
    c = DefaultFont().Color();
  else
    c = ActiveLook() ? m_data.Data.ActiveFontColor : m_data.Data.FontColor;
  m_editor->SetTextColour(c);
}

void TskSkinSpinEdit::StateChanged() {
  UpdateEditorColour();
  Invalidate();
  m_editor->Invalidate();   // it shows the frame's look through
}

// --- Skin and layout --------------------------------------------------------

void TskSkinSpinEdit::ReadSkinData() {
  TskSkinCustomControl::ReadSkinData();
  const auto* data = SkinEntry<TskDataSkinSpinEditControl>();
  if (!data) {
    Unskin();
    m_data = TskSpinSkin();
    return;
  }
  m_data = TskSpinSkin::From(*data);
}

void TskSkinSpinEdit::FitSizeToSkin(int32_t& width, int32_t& height) {
  const int32_t w = width, h = height;
  TskSkinCustomControl::FitSizeToSkin(width, height);
  if (!m_useSkinSize) {
    width = w;
    height = h;
  }
}

void TskSkinSpinEdit::ApplySkinChange() {
  const auto alive = AliveToken();
  TskSkinCustomControl::ApplySkinChange();
  if (alive.expired()) return;
  UpdateEditorFont();
  m_editor->SetTransparentDrawing(Skinned());
  UpdateLayout();
  StateChanged();
}

void TskSkinSpinEdit::DefaultFontChanged() {
  if (!m_editor) return;
  ReadSkinData();
  if (!Skinned() || !UseSkinFont()) UpdateEditorFont();
  UpdateLayout();
  UpdateEditorColour();
}

void TskSkinSpinEdit::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const auto alive = AliveToken();
  TskSkinCustomControl::SetBounds(left, top, width, height);
  if (!alive.expired() && m_editor) UpdateLayout();
}

TskSpinLayout TskSkinSpinEdit::ComputeLayout() const {
  const int32_t editorHeight = m_editor->Font().Handle()->Height();
  return SpinLayout(Skinned() ? &m_data : nullptr, Width(), Height(), m_useSkinSize, editorHeight);
}

void TskSkinSpinEdit::UpdateLayout() {
  ReadSkinData();
  m_layout = ComputeLayout();
  m_editor->SetBoundsRect(m_layout.Editor);
  Invalidate();
}

void TskSkinSpinEdit::PrepareDrawing() { m_layout = ComputeLayout(); }

void TskSkinSpinEdit::CreateHandleDone() {
  TskSkinCustomControl::CreateHandleDone();
  UpdateLayout();
}

// --- Painting ---------------------------------------------------------------

void TskSkinSpinEdit::DrawFallbackImage(ui::TBitmap& image) {
  TskSpinLookState state{m_up, m_down, m_useSkinSize};
  DrawSpinFallback(image.Image(), m_layout, state);
}

void TskSkinSpinEdit::DrawSkinImage(ui::TBitmap& image) {
  const TBitmap* picture = SkinPicture();
  if (!picture) {
    TskSkinCustomControl::DrawFallbackImage(image);
    return;
  }
  const bool active = ActiveLook() && !RectIsEmpty(m_data.Data.ActiveSkinRect);
  if (m_useSkinSize && !active) {
    DrawSkinRect(image, SkinRectangle());
  } else {
    TBitmap look;
    ComposeHorizontalImage(*picture, active ? m_data.Data.ActiveSkinRect : m_data.Data.SkinRect, m_data.LeftPiece,
                           m_data.RightPiece, look, Width());
    if (m_useSkinSize) {
      image.SetImage(std::move(look));
    } else {
      TDeviceContext dc(image.Image());
      dc.StretchBlt(image.Image().Bounds(), look.Surface(), look.Bounds());
    }
  }
  const TskDataSkinButtonControl* resize = SkinData()->FindControl<TskDataSkinButtonControl>("resizebutton");
  const TBitmap* resizePicture = resize ? SkinData()->ActivePicture(resize->PictureIndex) : nullptr;
  TskSpinLookState state{m_up, m_down, m_useSkinSize};
  DrawSpinSkinButtons(image.Image(), *picture, m_data, m_layout, state, resize, resizePicture);
}

// --- Buttons ----------------------------------------------------------------

int TskSkinSpinEdit::ButtonAt(TPoint p) const {
  if (m_layout.Up.Contains(p)) return 0;
  if (m_layout.Down.Contains(p)) return 1;
  return -1;
}

void TskSkinSpinEdit::StartTimer(uint32_t ms) {
  if (!HandleAllocated()) return;
  SetTimer(Handle(), kRepeatTimer, ms);
  m_timerRunning = true;
  m_timerPeriod = ms;
}

void TskSkinSpinEdit::StopTimer() {
  if (m_timerRunning && HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
  m_timerRunning = false;
}

void TskSkinSpinEdit::SetHot(int index) {
  if (index == m_hot) return;
  if (m_hot >= 0) {
    Button(m_hot).Hot = false;
    if (m_hot == m_captured) StopTimer();   // waits while the pointer is off
  }
  m_hot = index;
  if (index >= 0) {
    Button(index).Hot = true;
    if (index == m_captured) StartTimer(50);
  }
  Invalidate();
}

void TskSkinSpinEdit::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left) {
    if (!m_editor->Focused() && m_editor->CanFocus()) {
      m_editor->SetFocus();
      if (alive.expired()) return;
    }
    const int b = ButtonAt({x, y});
    if (b >= 0) {
      m_captured = b;
      m_hot = b;
      Button(b) = {true, true};
      m_repeat = b == 0 ? TRepeat::Increase : TRepeat::Decrease;
      m_initialDelay = true;
      StartTimer(500);
      Invalidate();
    }
  }
  TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinSpinEdit::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  int b = ButtonAt({x, y});
  if (m_captured >= 0 && b != m_captured) b = -1;
  SetHot(b);
  TskSkinCustomControl::MouseMove(shift, x, y);
}

void TskSkinSpinEdit::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const auto alive = AliveToken();
  if (button == TMouseButton::Left && m_captured >= 0) {
    const int c = m_captured;
    const bool over = ButtonAt({x, y}) == c;
    m_captured = -1;
    StopTimer();
    const TRepeat repeat = m_repeat;
    m_repeat = TRepeat::None;
    Button(c).Down = false;
    Button(c).Hot = over;
    m_hot = over ? c : -1;
    Invalidate();
    if (over) {
      Step(repeat == TRepeat::Increase ? 1 : -1);
      if (alive.expired()) return;
    }
  }
  TskSkinCustomControl::MouseUp(button, shift, x, y);
}

void TskSkinSpinEdit::TimerTick() {
  if (m_repeat == TRepeat::None) {
    StopTimer();
    return;
  }
  if (m_initialDelay) {
    m_initialDelay = false;
    StartTimer(100);
    return;
  }
  if (m_timerPeriod != 100) StartTimer(100);
  Step(m_repeat == TRepeat::Increase ? 1 : -1);
}

void TskSkinSpinEdit::MouseEnter() {
  // (The move that brought the pointer in has already set the hot button.)
  TskSkinCustomControl::MouseEnter();
  StateChanged();
}

void TskSkinSpinEdit::MouseLeave() {
  SetHot(-1);
  TskSkinCustomControl::MouseLeave();
  StateChanged();
}

void TskSkinSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_TIMER:
      if (m.WParam == kRepeatTimer) {
        TimerTick();
        return;
      }
      break;
    case WM_CANCELMODE:
      // The capture went elsewhere: the press ends without a step.
      if (m_captured >= 0) {
        StopTimer();
        m_repeat = TRepeat::None;
        Button(m_captured) = {};
        m_captured = -1;
        m_hot = -1;
        Invalidate();
      }
      break;
    default: break;
  }
  TskSkinCustomControl::WndProc(m);
}

// --- State ------------------------------------------------------------------

void TskSkinSpinEdit::DescribeState(TStateDescription& state) {
  TskSkinCustomControl::DescribeState(state);
  const auto whole = [](double v) { return int64_t(std::llround(v)); };
  state.Set("position", whole(m_value));
  state.Set("min", whole(m_minValue));
  state.Set("max", whole(m_maxValue));
  state.Set("value", FormatSpinValue(m_value, m_valueType, m_decimal));
  state.Set("valueType", m_valueType == TskValueType::vtFloat ? "float" : "integer");
  state.Set("readOnly", !EditorEnabled());
}

void TskSkinSpinEdit::EnabledChanged() {
  TskSkinCustomControl::EnabledChanged();
  if (!Enabled() && m_captured >= 0) Perform(WM_CANCELMODE);
  StateChanged();
}

void TskSkinSpinEdit::SetFocus() {
  if (m_editor->CanFocus())
    m_editor->SetFocus();
  else
    TskSkinCustomControl::SetFocus();
}

void TskSkinSpinEdit::FocusGained() {
  TskSkinCustomControl::FocusGained();
  if (m_editor->CanFocus()) m_editor->SetFocus();
}

}  // namespace tsm
