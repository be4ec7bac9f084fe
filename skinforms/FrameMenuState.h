#pragma once
// The menu state of a skinned frame: from the moment a menu opens through
// the frame's popup menu engine until it closes. Meanwhile the application's
// message hook is the frame's (the handler it replaces is saved and put back,
// and not called meanwhile), so that keys, typed text and the wheel reach the
// menu; the caption button that opened the menu stays down. Ending is
// idempotent: OnSkinMenuClose fires once per menu.

#include "framework/forms/Application.h"
#include "platform/core/Geometry.h"

namespace tsm {

class TMenuItem;
class TskFormFrame;
class TskSkinButtonObject;
struct TMsg;

class TskFrameMenuState {
 public:
  explicit TskFrameMenuState(TskFormFrame& frame) : m_frame(frame) {}

  bool InMenu() const { return m_inMenu; }
  // Marks the frame as in a menu, hooks the loop, fires OnSkinMenuOpen.
  void Begin();
  // Closes the engine's menu, releases the button, unhooks, fires
  // OnSkinMenuClose. Nothing when not in a menu.
  void End();
  // Ends a menu that is open and opens items at anchor (screen) through the
  // engine; button: the caption button that opens it (stays down), or null.
  void Popup(TMenuItem& items, const TRect& anchor, bool popupUp, TskSkinButtonObject* button);
  // The frame goes: the loop hook is put back without any event.
  void Detach();

 private:
  void HookMessage(TMsg& msg, bool& handled);

  TskFormFrame& m_frame;
  bool m_inMenu = false;
  TskSkinButtonObject* m_button = nullptr;
  TMessageEvent m_savedOnMessage;
  bool m_hooked = false;
};

}  // namespace tsm
