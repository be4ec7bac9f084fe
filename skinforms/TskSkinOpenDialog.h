#pragma once
// TskSkinOpenDialog: the skinned open-file dialog component. Execute builds
// a TskOpenDlgForm, runs it modally and frees it; it answers true when the
// user accepted a file, which is then in FileName (and with every selected
// file in Files).
//
// Where it starts: the folder of FileName when FileName names one that
// exists; else InitialDir when that is an existing folder; else the
// program's folder. The name edit gets FileName's name part. The filter list
// is Filter (description|mask pairs), item FilterIndex (1-based, held to the
// list) is selected and its mask applied. The size the user leaves
// (DialogWidth, DialogHeight; 450 x 290 when 0 or less), the filter chosen
// and the view style are kept for the next call.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/base/Component.h"
#include "framework/graphics/Font.h"
#include "skinforms/FileListLayout.h"

#include "skinforms/DialogSkins.h"

namespace tsm {

class TskOpenDlgForm;
class TskSkinData;

class TskSkinOpenDialog : public TComponent {
 public:
  explicit TskSkinOpenDialog(TComponent* owner);

  std::string Title = "Open file";
  std::string InitialDir;
  std::string FileName;
  std::string Filter = "All files|*.*";
  int32_t FilterIndex = 1;
  bool CheckFileExists = true;
  bool MultiSelection = false;
  int32_t DialogWidth = 0, DialogHeight = 0;
  int32_t DialogMinWidth = 0, DialogMinHeight = 0;
  std::string LVHeaderSkinDataName = "resizebutton";
  bool AlphaBlend = false;
  uint8_t AlphaBlendValue = 225;
  bool AlphaBlendAnimation = false;
  bool CtrlAlphaBlend = false;
  uint8_t CtrlAlphaBlendValue = 225;
  bool CtrlAlphaBlendAnimation = false;

  TskSkinData* SkinData() const { return m_skins.Frame(); }
  void SetSkinData(TskSkinData* skin) { m_skins.SetFrame(*this, skin); }
  TskSkinData* CtrlSkinData() const { return m_skins.Controls(); }
  void SetCtrlSkinData(TskSkinData* skin) { m_skins.SetControls(*this, skin); }
  ui::TFont& DefaultFont() { return m_defaultFont; }

  // The view style kept between calls (the list at first).
  TskViewStyle ViewStyle() const { return m_viewStyle; }
  void SetViewStyle(TskViewStyle style) { m_viewStyle = style; }
  // The files selected in the last accepted call.
  const std::vector<std::string>& Files() const { return m_files; }

  bool Execute();

  // The shown folder or the current list item changed.
  TNotifyEvent OnFolderChange;
  // Called with the built form before it is shown (tests, the gallery).
  std::function<void(TskOpenDlgForm&)> OnShowForm;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::string StartFolder() const;

  TskDialogSkins m_skins;
  ui::TFont m_defaultFont{"宋体", 14};
  TskViewStyle m_viewStyle = TskViewStyle::vsList;
  std::vector<std::string> m_files;
};

}  // namespace tsm
