#include "skinforms/TskSkinHint.h"

#include "framework/controls/Timer.h"
#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskSkinHintWindow.h"

namespace tsm {

namespace {

// The component that gets the application's show-hint event.
TskSkinHint* g_routed = nullptr;

}  // namespace

TskSkinHint::TskSkinHint(TComponent* owner) : TComponent(owner) {
  m_window = new TskSkinHintWindow(this);
  if (IsDesigning()) return;
  TApplicationHints& hints = Application().Hints();
  hints.SetHintWindowClass([](TComponent* o) -> THintWindow* { return new TskSkinHintWindow(o); });
  // Switched off and on: the hint window is made anew with the new class.
  const bool show = hints.ShowHint();
  hints.SetShowHint(!show);
  hints.SetShowHint(show);
  RouteShowHint();
  hints.HintShortPause = kShortHintPause;
}

void TskSkinHint::BeforeDestruction() {
  FreeTimer();
  if (g_routed == this) {
    g_routed = nullptr;
    Application().Hints().OnShowHint = nullptr;
  }
  if (m_skinData) m_skinData->RemoveFreeNotification(this);
  m_skinData = nullptr;
  TComponent::BeforeDestruction();
}

void TskSkinHint::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_skinData) m_skinData = nullptr;
  if (component == m_window) m_window = nullptr;
  if (component == m_timer) m_timer = nullptr;
}

void TskSkinHint::SetSkinData(TskSkinData* skin) {
  if (skin == m_skinData) return;
  if (m_skinData) m_skinData->RemoveFreeNotification(this);
  m_skinData = skin;
  if (skin) skin->FreeNotification(this);
}

void TskSkinHint::RouteShowHint() {
  g_routed = this;
  Application().Hints().OnShowHint = [this](std::string& hintStr, bool& canShow, THintInfo& info) {
    CallEvent(OnShowHint, hintStr, canShow, info);
  };
}

void TskSkinHint::SetActive(bool on) {
  if (on == m_active) return;
  m_active = on;
  if (!on || IsDesigning()) return;
  if (TCustomForm* main = Application().MainForm())
    for (size_t i = 0; i < main->ComponentCount(); ++i)
      if (auto* other = dynamic_cast<TskSkinHint*>(main->Components(i)); other && other != this && other->Active())
        other->SetActive(false);
  RouteShowHint();
}

// --- Object hints -----------------------------------------------------------------

void TskSkinHint::FreeTimer() {
  if (TTimer* timer = m_timer) {
    m_timer = nullptr;
    timer->Free();
  }
  m_shown = false;
}

void TskSkinHint::ShowHintText(const std::string& text) {
  FreeTimer();
  m_text = text;
  m_timer = new TTimer(this);
  m_timer->SetInterval(Application().Hints().HintPause);
  m_timer->OnTimer = [this](TObject*) { TimerFired(); };
  m_timer->SetEnabled(true);
}

void TskSkinHint::TimerFired() {
  if (m_shown) {
    HideHintText();
    return;
  }
  m_shown = true;
  if (m_timer) m_timer->SetInterval(Application().Hints().HintHidePause);
  if (!m_window) return;
  const TPoint cursor = GetCursorPos();
  const TRect size = m_window->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), m_text);
  m_window->ShowHintAt(size.Offsetted(cursor.X, cursor.Y + TApplicationHints::CursorHeightMargin()), m_text);
}

void TskSkinHint::HideHintText() {
  FreeTimer();
  if (m_window && m_window->HintShown()) m_window->ReleaseHint();
}

bool TskSkinHint::HintWaiting() const { return m_timer && !m_shown; }

bool TskSkinHint::HintShown() const { return m_window && m_window->HintShown(); }

}  // namespace tsm
