#pragma once
// TskSkinHintWindow: the hint window drawn from the skin's hint window data
// ([HINTWINDOW]). Once a TskSkinHint is created it becomes the application's
// hint window class, so every control hint comes here; TskSkinHint shows the
// frame's object hints through one of its own.
//
// For each hint (ShowHintAt) the window takes its settings from the hint
// component in use: the first TskSkinHint among the main form's components
// whose Active is set — with none, nothing is shown. The skin is that
// component's SkinData when it has hint window data with a picture (else the
// plain look, SkinHintLook.h); the font is the data's font with UseSkinFont,
// else DefaultFont (charset: the skin's resource strings', else
// DefaultFont's). The window opens at rect's top-left corner, moved left by
// its width + 2 when it would pass the screen's right edge and up by its
// height + 2 when it would pass the bottom; it is layered while the
// component's AlphaBlend is on (AlphaBlendValue 0 counts as unset: opaque),
// shaped by the skin's mask picture, shown topmost without activation.

#include <cstdint>
#include <string>

#include "framework/controls/HintWindow.h"
#include "skinforms/SkinHintLook.h"

namespace tsm {

class TskSkinHint;

class TskSkinHintWindow : public THintWindow {
 public:
  explicit TskSkinHintWindow(TComponent* owner);

  TRect CalcHintRect(int32_t maxWidth, const std::string& hint) override;
  void ShowHintAt(const TRect& rect, const std::string& hint) override;

  // The hint component of the current hint (null: none, nothing shown).
  TskSkinHint* HintComponent() const { return m_component; }
  // The current hint is drawn from a skin.
  bool Skinned() const { return m_skin.Skinned(); }
  bool HasRegion() const { return m_hasRegion; }
  const TskHintGeometry& Geometry() const { return m_geometry; }

  // The first active TskSkinHint among the main form's components.
  static TskSkinHint* ActiveHintComponent();

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // Takes the component, skin, font and geometry for hint; false when no
  // component is in use.
  bool Prepare(const std::string& hint, int32_t maxWidth);
  void SetComponent(TskSkinHint* component);
  void ApplyTranslucency();
  void ApplyRegion();

  TskSkinHint* m_component = nullptr;
  TskHintSkin m_skin;
  ui::TFont m_font;
  TskHintGeometry m_geometry;
  bool m_hasRegion = false;
  int32_t m_appliedAlpha = -1;   // -1: none applied since the layered style came
  int32_t m_maxWidth = 0;        // of the last CalcHintRect
};

}  // namespace tsm
