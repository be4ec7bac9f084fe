#pragma once
// A caption button: runs a window command (close, maximize/restore,
// minimize, roll-up, system menu, minimize to tray) when released over it.
// While the window is in the state the button undoes (maximized for
// maximize, minimized for minimize, rolled up for roll-up) it shows its
// restore looks. Without skin backing it is one of the default frame's
// drawn buttons.
//
// Press and release (left button), with "inside" = the mouse is over it:
//   press        -> Down (system menu: the menu opens below it)
//   release in   -> command runs, then Down cleared (close: cleared first)
//   release out  -> Down cleared, nothing runs

#include "skinforms/TskSkinButtonObject.h"

namespace tsm {

class TskDataSkinStdButton;

class TskSkinStdButtonObject : public TskSkinButtonObject {
 public:
  // data null: a default button with every rectangle (0, 0, 1, 1).
  TskSkinStdButtonObject(TskFormFrame& frame, const TskDataSkinStdButton* data);
  // A default (unskinned) button.
  TskSkinStdButtonObject(TskFormFrame& frame, const std::string& idName, TskCommand command);

  TskCommand Command = TskCommand::cmdefault;
  TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInactiveRect;
  bool SkinBacked = true;

  void Draw(TDeviceContext& dc, bool drawNormal) override;
  void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
  void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
  void DblClick() override;
  bool HasCommand(TskCommand& command) const override {
    command = Command;
    return true;
  }
  // The window is in the state this button undoes.
  bool Restorable() const;

 private:
  void DrawDefault(TDeviceContext& dc);
};

}  // namespace tsm
