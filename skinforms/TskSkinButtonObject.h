#pragma once
// A push button of the frame: pressed (down) while the left button is held
// on it, with down and disabled looks; it may carry a menu item whose
// sub-items open below it on the press.

#include "skinforms/TskActiveSkinObject.h"

namespace tsm {

class TskDataSkinButton;

class TskSkinButtonObject : public TskActiveSkinObject {
 public:
  TskSkinButtonObject(TskFormFrame& frame, const TskDataSkinButton* data);

  TRect DownRect;
  TRect DisableSkinRect;  // the skin key "disableskinrsect"
  bool Down = false;
  TMenuItem* MenuItem = nullptr;  // not owned; opened on the press
  bool PopupUp = false;
  bool MenuOpen = false;  // the menu opened by this button is showing

  void Draw(TDeviceContext& dc, bool drawNormal) override;
  void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
  void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Reset() override;

  // Sets the down state; a button that is Active shows its down look at
  // once (morph factor 1).
  void SetDown(bool down);

 protected:
  // The button look (disabled, down, else the common look).
  void DrawButton(TDeviceContext& dc, bool drawNormal);
};

}  // namespace tsm
