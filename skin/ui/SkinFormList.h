#pragma once
// The application's forms as the skin data addresses them: the screen's list
// of forms (creation order), each told by a message sent to its window.
//
// Every program that links tm_skin_ui has this list registered with the skin
// data before main runs (SkinUiRegistration.cpp is compiled into each
// program that links the library), so a TskSkinData's notices reach the
// forms without further code. InstallSkinFormList does the same by hand.
//
// A notice arrives in the form's WindowProc chain (where the skinned frame
// hooks it) as: Msg SkinMessageBeforeChange ... SkinMessageStringsChanged,
// WParam the sending TskSkinData (SkinNoticeSender), LParam kSkinMessageParam.

#include <cstddef>
#include <cstdint>

#include "framework/controls/ControlTypes.h"
#include "skin/TskSkinData.h"

namespace tsm {

class TskScreenFormList final : public TskSkinFormList {
 public:
  size_t FormCount() const override;
  TComponent* Form(size_t index) const override;
  // True for a TCustomForm.
  bool IsForm(const TComponent& component) const override;
  // SendMessage to the form's window (created when it does not exist yet);
  // nothing for a component that is not a form or is being freed.
  void SendSkinNotice(TComponent& form, uint32_t message, TskSkinData& sender) override;
};

// The one instance the skin data is given.
TskScreenFormList& ScreenSkinFormList();

// Registers ScreenSkinFormList with the skin data. Calling it again is
// harmless.
void InstallSkinFormList();

// A notice that TskSkinData broadcasts (1225, 1226, 1227, 1274).
constexpr bool IsSkinNotice(uint32_t msg) {
  return msg == SkinMessageBeforeChange || msg == SkinMessageChanged || msg == SkinMessageAfterChange ||
         msg == SkinMessageStringsChanged;
}

// The skin data that sent a notice; receivers compare it with their own
// (a plain comparison: it may not be dereferenced unless it is theirs).
inline const TskSkinData* SkinNoticeSender(const TMessage& message) {
  return reinterpret_cast<const TskSkinData*>(message.WParam);
}

}  // namespace tsm
