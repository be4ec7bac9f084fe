#pragma once
// The link between a form's skinned frame and the popup menu engine that the
// frame owns. TskFormFrame implements it; menu components (TskSkinPopupMenu,
// the edits' context menus, the tray menu) find the frame of the form they
// route through with FindSkinMenuFrame and open their items through its
// engine, so that every menu of a form shares one engine and one keyboard
// hook.
//
// Life of a menu opened through a frame:
//   1. caller: if (frame->InMenu()) frame->EndMenuState();
//   2. caller: frame->BeginMenuState();        in-menu flag, loop hook, OnSkinMenuOpen
//   3. caller: frame->SkinMenu().Popup(...);   windows appear
//   4. engine: when the menu closes (click, Escape, CloseMenu, outside
//      activity) it sends SkinMessageMenuClosed to the form; the frame
//      answers it by ending its menu state (hook removed, OnSkinMenuClose).

namespace tsm {

class TCustomForm;
class TskSkinData;
class TskSkinMenu;

class ISkinMenuFrame {
 public:
  virtual ~ISkinMenuFrame() = default;

  // The form's popup menu engine; owned by the frame, alive as long as it.
  virtual TskSkinMenu& SkinMenu() = 0;
  // The skin for menus opened through this frame: its MenusSkinData, else its
  // SkinData; null when it has neither.
  virtual TskSkinData* MenuSkin() const = 0;
  // True from BeginMenuState until the menu state ends.
  virtual bool InMenu() const = 0;
  // A menu is about to open through SkinMenu(): mark the frame as in a menu,
  // hook the application's message loop so that keys reach the engine, fire
  // OnSkinMenuOpen. Calling it while already in a menu does nothing.
  virtual void BeginMenuState() = 0;
  // Closes whatever menu is open through the frame and ends the menu state
  // (hook removed, the pressed caption button released, OnSkinMenuClose
  // fired once). Idempotent.
  virtual void EndMenuState() = 0;
};

// The skinned frame among the form's components, or null (no frame, or no
// form).
ISkinMenuFrame* FindSkinMenuFrame(const TCustomForm* form);

}  // namespace tsm
