#pragma once
// TskSkinMessage: the skinned message box component. MessageDlg builds a
// TskMessageForm for the call — a skinned frame with only its close button,
// the kind's system icon, the text on a TskSkinStdLabel and a row of
// TskSkinButton — shows it modally, frees it and answers the result of the
// button that closed it (2 when the frame's close button or system menu
// closed it). Geometry: MessageDialogLayout.h.
//
// Kinds and their titles (resource key / built-in text) and icons:
//   mtWarning       MSG_CAP_WARNING     "警告"   warning
//   mtError         MSG_CAP_ERROR       "错误"   error
//   mtInformation   MSG_CAP_INFORMATION "信息"   information
//   mtConfirmation  MSG_CAP_CONFIRM     "确认"   question
//   mtCustom        the application's title, no icon
// A kind value outside this list is shown as mtCustom.
//
// Buttons, left to right in this order, with their results: Yes 6, No 7,
// OK 1, Cancel 2, Abort 3, Retry 4, Ignore 5, All 8, NoToAll 9, YesToAll 10,
// Help 0 (Help does not close; it calls OnHelp with the help context).
// Default button (Enter): OK, else Yes, else Retry. Cancel button (Escape):
// Cancel, else No, else OK. Captions come from CtrlSkinData's resource
// strings (a key they lack keeps the built-in caption).
//
// Automation, as the framework's plain box: with TM_DIALOG_LOG naming a
// file, every box appends "title<TAB>text<TAB>captions<TAB>forms shown";
// with TM_DIALOG_ANSWER set too it is not shown and answers its default
// button (else its cancel button, else 2).

#include <cstdint>
#include <functional>
#include <string>

#include "framework/base/Component.h"
#include "framework/base/EnumSet.h"
#include "framework/graphics/Font.h"

#include "skinforms/DialogSkins.h"

namespace tsm {

class TskMessageForm;
class TskSkinData;

enum class TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn : uint8_t {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp
};
using TMsgDlgButtons = TEnumSet<TMsgDlgBtn>;
inline constexpr int32_t kMsgDlgButtonCount = 11;

// The result a button gives (0 for Help).
int32_t MsgDlgButtonResult(TMsgDlgBtn button);
// The component name of a button ("Yes", "NoToAll" ...).
const char* MsgDlgButtonName(TMsgDlgBtn button);

class TskSkinMessage : public TComponent {
 public:
  explicit TskSkinMessage(TComponent* owner);

  // Frame skin; cleared when that component is freed.
  TskSkinData* SkinData() const { return m_skins.Frame(); }
  void SetSkinData(TskSkinData* skin) { m_skins.SetFrame(*this, skin); }
  // Label and button skin, the frame's menus and the captions' resource
  // strings; cleared when freed.
  TskSkinData* CtrlSkinData() const { return m_skins.Controls(); }
  void SetCtrlSkinData(TskSkinData* skin) { m_skins.SetControls(*this, skin); }

  std::string ButtonSkinDataName = "button";
  std::string MessageLabelSkinDataName = "stdlabel";
  ui::TFont& DefaultFont() { return m_defaultFont; }
  ui::TFont& DefaultButtonFont() { return m_defaultButtonFont; }
  bool UseSkinFont = true;
  bool AlphaBlend = false;
  bool AlphaBlendAnimation = false;
  uint8_t AlphaBlendValue = 200;

  // The Help button was pressed (the dialog stays open).
  std::function<void(int32_t helpContext)> OnHelp;

  int32_t MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int32_t helpContext = 0);
  // The converter's boxes: an error with Cancel, a question with Yes and No
  // (true only for Yes), a notice with OK.
  void ShowError(const std::string& msg);
  bool Confirm(const std::string& msg);
  void ShowInformation(const std::string& msg);

  // Builds the dialog of one call without showing it; the caller frees it.
  TskMessageForm* CreateDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                               int32_t helpContext = 0);

  // Button height: the skinrect height of the ButtonSkinDataName section of
  // CtrlSkinData when it is a loaded button section, else 25.
  int32_t ButtonHeight() const;
  // The title a kind shows.
  std::string Title(TMsgDlgType type) const;
  std::string ButtonCaption(TMsgDlgBtn button) const;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TskDialogSkins m_skins;
  ui::TFont m_defaultFont{"Arial", 14};
  ui::TFont m_defaultButtonFont{"Arial", 14};
};

}  // namespace tsm
