#pragma once
// A stand-in for the skinned frame in the menu tests: it owns a form's menu
// engine and does exactly what the frame promises the engine (the menu-state
// life of ISkinMenuFrame, the loop hook that hands messages to the engine,
// skin notices passed on, SkinMessageMenuClosed answered), and counts what
// happened.

#include <functional>

#include "framework/base/Component.h"
#include "framework/controls/ControlTypes.h"
#include "framework/forms/Application.h"
#include "skinforms/SkinMenuFrame.h"

namespace tsm {

class TCustomForm;
class TskSkinData;
class TskSkinMenu;

class TMenuTestFrame : public TComponent, public ISkinMenuFrame {
 public:
  // Owned by the form; hooks its WindowProc.
  explicit TMenuTestFrame(TCustomForm* form);

  TskSkinMenu& SkinMenu() override { return *m_menu; }
  TskSkinData* MenuSkin() const override { return m_skin; }
  bool InMenu() const override { return m_inMenu; }
  void BeginMenuState() override;
  void EndMenuState() override;

  // The skin for menus (cleared when freed).
  void SetMenuSkin(TskSkinData* skin);

  int MenuOpens = 0;          // BeginMenuState calls that began a state
  int MenuCloses = 0;         // menu states ended (OnSkinMenuClose)
  int MenuClosedMessages = 0; // SkinMessageMenuClosed seen by the form
  // Runs when a menu state ends (where the frame fires OnSkinMenuClose).
  std::function<void()> OnMenuClose;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void FormProc(TMessage& m);

  TCustomForm* m_form;
  TWndMethod m_oldProc;
  TskSkinMenu* m_menu;
  TskSkinData* m_skin = nullptr;
  bool m_inMenu = false;
  TMessageEvent m_savedHook;
};

}  // namespace tsm
