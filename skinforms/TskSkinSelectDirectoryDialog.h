#pragma once
// TskSkinSelectDirectoryDialog: the skinned folder dialog component.
// Execute builds a TskSelDirDlgForm, starts at Directory when it is an
// existing folder (else at the computer, expanded), runs it modally, keeps
// the size the user left in DialogWidth/DialogHeight and, when accepted,
// puts the chosen folder into Directory and answers true. The form is freed
// in every case.

#include <cstdint>
#include <functional>
#include <string>

#include "framework/base/Component.h"
#include "framework/graphics/Font.h"

#include "skinforms/DialogSkins.h"

namespace tsm {

class TskSelDirDlgForm;
class TskSkinData;

class TskSkinSelectDirectoryDialog : public TComponent {
 public:
  explicit TskSkinSelectDirectoryDialog(TComponent* owner);

  std::string Title = "Select folder";
  std::string Directory;
  bool ShowToolBar = false;
  // Client size; 0 or less: 280 x 280. Hold the user's size after a call.
  int32_t DialogWidth = 0, DialogHeight = 0;
  int32_t DialogMinWidth = 0, DialogMinHeight = 0;
  bool AlphaBlend = false;
  uint8_t AlphaBlendValue = 200;
  bool AlphaBlendAnimation = false;

  TskSkinData* SkinData() const { return m_skins.Frame(); }
  void SetSkinData(TskSkinData* skin) { m_skins.SetFrame(*this, skin); }
  TskSkinData* CtrlSkinData() const { return m_skins.Controls(); }
  void SetCtrlSkinData(TskSkinData* skin) { m_skins.SetControls(*this, skin); }
  ui::TFont& DefaultFont() { return m_defaultFont; }

  bool Execute();

  // Called with the built form before it is shown (tests, the gallery).
  std::function<void(TskSelDirDlgForm&)> OnShowForm;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TskDialogSkins m_skins;
  ui::TFont m_defaultFont{"宋体", 14};
};

}  // namespace tsm
