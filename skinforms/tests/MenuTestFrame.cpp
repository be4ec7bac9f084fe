#include "skinforms/tests/MenuTestFrame.h"

#include "framework/forms/CustomForm.h"
#include "skin/TskSkinData.h"
#include "skin/ui/SkinFormList.h"
#include "skinforms/TskSkinMenu.h"

namespace tsm {

TMenuTestFrame::TMenuTestFrame(TCustomForm* form)
    : TComponent(form), m_form(form), m_menu(new TskSkinMenu(this, form)) {
  m_oldProc = form->WindowProc();
  form->SetWindowProc([this](TMessage& m) { FormProc(m); });
}

void TMenuTestFrame::FormProc(TMessage& m) {
  if (m.Msg == SkinMessageMenuClosed) {
    ++MenuClosedMessages;
    EndMenuState();
    return;
  }
  if (IsSkinNotice(m.Msg)) m_menu->SkinNotice(m.Msg, SkinNoticeSender(m));
  m_oldProc(m);
}

void TMenuTestFrame::BeginMenuState() {
  if (m_inMenu) return;
  m_inMenu = true;
  ++MenuOpens;
  m_savedHook = Application().OnMessage;
  Application().OnMessage = [this](TMsg& msg, bool& handled) {
    if (m_menu->HookMessage(msg)) handled = true;
  };
}

void TMenuTestFrame::EndMenuState() {
  if (!m_inMenu) return;
  m_inMenu = false;
  Application().OnMessage = m_savedHook;
  m_savedHook = nullptr;
  m_menu->CloseMenu();
  ++MenuCloses;
  if (OnMenuClose) OnMenuClose();
}

void TMenuTestFrame::SetMenuSkin(TskSkinData* skin) {
  if (m_skin) RemoveFreeNotification(m_skin);
  m_skin = skin;
  if (skin) FreeNotification(skin);
}

void TMenuTestFrame::BeforeDestruction() {
  if (m_inMenu) Application().OnMessage = m_savedHook;
  m_form->SetWindowProc(m_oldProc);
  TComponent::BeforeDestruction();
}

void TMenuTestFrame::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::Remove && component == m_skin) m_skin = nullptr;
}

}  // namespace tsm
