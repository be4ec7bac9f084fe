#include "skinforms/FrameMenuState.h"

#include "framework/forms/CustomForm.h"
#include "skinforms/TskFormFrame.h"
#include "skinforms/TskSkinButtonObject.h"
#include "skinforms/TskSkinMenu.h"

namespace tsm {

void TskFrameMenuState::Begin() {
  if (m_inMenu) return;
  m_inMenu = true;
  m_savedOnMessage = Application().OnMessage;
  m_hooked = true;
  const auto alive = m_frame.AliveToken();
  Application().OnMessage = [this, alive](TMsg& msg, bool& handled) {
    if (!alive.expired()) HookMessage(msg, handled);
  };
  CallEvent(m_frame.OnSkinMenuOpen, &m_frame);
}

void TskFrameMenuState::End() {
  if (!m_inMenu) return;
  m_inMenu = false;
  const auto alive = m_frame.AliveToken();
  TskSkinMenu& engine = m_frame.SkinMenu();
  if (engine.Visible()) engine.CloseMenu();
  if (alive.expired()) return;
  TskSkinButtonObject* button = m_button;
  m_button = nullptr;
  if (button && m_frame.Objects().Contains(button)) {
    button->MenuOpen = false;
    button->SetDown(false);
  }
  if (m_hooked) Application().OnMessage = m_savedOnMessage;
  m_hooked = false;
  m_savedOnMessage = nullptr;
  CallEvent(m_frame.OnSkinMenuClose, &m_frame);
}

void TskFrameMenuState::Detach() {
  if (m_hooked) Application().OnMessage = m_savedOnMessage;
  m_hooked = false;
  m_inMenu = false;
  m_button = nullptr;
}

void TskFrameMenuState::Popup(TMenuItem& items, const TRect& anchor, bool popupUp, TskSkinButtonObject* button) {
  const auto alive = m_frame.AliveToken();
  End();
  if (alive.expired()) return;
  Begin();
  if (alive.expired()) return;
  m_button = button;
  if (button) button->MenuOpen = true;
  TskSkinMenu& engine = m_frame.SkinMenu();
  engine.Popup(&m_frame.Form(), m_frame.MenuSkin(), 0, &items, anchor, popupUp);
  if (alive.expired()) return;
  // Nothing to show: the menu state ends at once.
  if (!engine.Visible()) End();
}

void TskFrameMenuState::HookMessage(TMsg& msg, bool& handled) {
  const auto alive = m_frame.AliveToken();
  TskSkinMenu& engine = m_frame.SkinMenu();
  handled = engine.HookMessage(msg);
  if (alive.expired()) return;
  // Escape on the last window closes the menu without a close notice.
  if (m_inMenu && !engine.Visible()) End();
}

}  // namespace tsm
