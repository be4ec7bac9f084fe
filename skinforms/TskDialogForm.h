#pragma once
// TskDialogForm: the form the skinned file and folder dialogs build for one
// call: centred on the screen, a skinned frame of its own that shows only
// the close button, the dialog's skins and translucency, and its client
// size with the defaults and the frame's minimum.

#include <cstdint>
#include <string>

#include "framework/controls/ControlTypes.h"
#include "framework/forms/CustomForm.h"
#include "skinforms/ShellIcons.h"

namespace tsm {

class TskFormFrame;
class TskSkinButton;
class TskSkinData;
class TskSkinPanel;
class TskSkinScrollBar;
class TWinControl;

struct TskDialogLook {
  TskSkinData* SkinData = nullptr;      // the frame
  TskSkinData* CtrlSkinData = nullptr;  // the controls and the frame's menus
  int32_t MinWidth = 0, MinHeight = 0;  // the frame's
  bool AlphaBlend = false;
  bool AlphaBlendAnimation = false;
  uint8_t AlphaBlendValue = 200;
};

class TskDialogForm : public TForm {
 public:
  explicit TskDialogForm(TComponent* owner);

  TskFormFrame& Frame() const { return *m_frame; }
  void ApplyLook(const TskDialogLook& look);
  // Client size width x height, each replaced by its default when 0 or
  // less; with a loaded skin the window is then raised to the frame's
  // minimum.
  void SetDialogSize(int32_t width, int32_t height, int32_t defaultWidth, int32_t defaultHeight);
  // Shows the form modally from the active form (which it stays above).
  TModalResult RunModal();

  // The skin the controls take (CtrlSkinData).
  TskSkinData* ControlSkin() const { return m_ctrlSkin; }

  // Creates "<folder>/<name>" when folder is absolute and nothing of that
  // name exists there; true when it was made. A refusal of the file system
  // raises EInOutError "Unable to create folder '<path>': <reason>".
  static bool MakeNewFolder(const std::string& folder, const std::string& name);

 protected:
  // Controls of the dialogs, on the control skin.
  TskSkinPanel* AddPanel(TWinControl* parent, const std::string& skinDataName, TAlign align, int32_t size,
                         bool framed);
  TskSkinButton* AddToolButton(TWinControl* parent, const std::string& skinDataName, TskToolGlyph glyph,
                               int32_t width, const std::string& hint);
  TskSkinButton* AddButton(TWinControl* parent, const std::string& caption, const TRect& bounds,
                           TModalResult result);
  // A framed panel filling parent, with a horizontal bar at its bottom and
  // a vertical one at its right (19 pixels, disabled until needed).
  TskSkinPanel* AddViewPanel(TWinControl* parent, TskSkinScrollBar*& horizontal, TskSkinScrollBar*& vertical);

 private:
  TskFormFrame* m_frame = nullptr;
  TskSkinData* m_ctrlSkin = nullptr;
};

}  // namespace tsm
