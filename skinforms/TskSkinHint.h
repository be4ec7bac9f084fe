#pragma once
// TskSkinHint: skinned hints for the whole application. Created (outside
// design mode) it makes TskSkinHintWindow the application's hint window
// class and has the hint window made anew with it, takes the application's
// show-hint event (passed on to OnShowHint) and sets the short hint pause to
// 100 ms. From then on every control hint is drawn from the SkinData of the
// active TskSkinHint of the main form (see TskSkinHintWindow.h); when the
// main form holds none, no hint is shown at all.
//
// Object hints (the skinned frame's, ShowObjectHint): ShowHintText(text)
// waits the application's hint pause, shows the text below the cursor (by
// the cursor margin) in the component's own hint window, hides it after the
// hint hide pause; a new ShowHintText starts waiting again, HideHintText
// hides at once. One timer at a time, made anew for every hint.
//
//   auto* hints = new TskSkinHint(mainForm);
//   hints->SetSkinData(skinData);
//   frame->SetSkinHint(hints);  frame->ShowObjectHint = true;

#include <cstdint>
#include <string>

#include "framework/base/Component.h"
#include "framework/forms/ApplicationHints.h"
#include "framework/graphics/Font.h"

namespace tsm {

class TTimer;
class TskSkinData;
class TskSkinHintWindow;

class TskSkinHint : public TComponent {
 public:
  static constexpr uint32_t kShortHintPause = 100;

  explicit TskSkinHint(TComponent* owner);

  TskSkinData* SkinData() const { return m_skinData; }
  void SetSkinData(TskSkinData* skin);
  bool Active() const { return m_active; }
  // On: every other active TskSkinHint of the main form is switched off and
  // the application's show-hint event comes here.
  void SetActive(bool on);
  bool AlphaBlend = false;
  uint8_t AlphaBlendValue = 0;
  ui::TFont& DefaultFont() { return m_defaultFont; }
  const ui::TFont& DefaultFont() const { return m_defaultFont; }
  bool UseSkinFont = true;
  TShowHintEvent OnShowHint;

  // Object hints (above).
  void ShowHintText(const std::string& text);
  void HideHintText();
  // The object hint's state: waiting for the pause, or shown.
  bool HintWaiting() const;
  bool HintShown() const;
  const std::string& HintText() const { return m_text; }
  TskSkinHintWindow* HintWindow() const { return m_window; }

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void RouteShowHint();
  void FreeTimer();
  void TimerFired();

  TskSkinData* m_skinData = nullptr;
  bool m_active = true;
  ui::TFont m_defaultFont;
  TskSkinHintWindow* m_window = nullptr;
  TTimer* m_timer = nullptr;
  bool m_shown = false;   // the timer now runs the hide pause
  std::string m_text;
};

}  // namespace tsm
