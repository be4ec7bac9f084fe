#pragma once
// An animation of the frame: a strip of CountFrames equal frames side by side
// in the active picture (from ActiveSkinRect's left edge), stepped every
// TimerInterval milliseconds while Active. A button-style animation plays
// forward while the mouse is over it and backward after it left, and runs
// its command on a release over it.

#include "skinforms/TskActiveSkinObject.h"

namespace tsm {

class TskDataSkinAnimate;

class TskSkinAnimateObject : public TskActiveSkinObject {
 public:
  TskSkinAnimateObject(TskFormFrame& frame, const TskDataSkinAnimate* data);

  int32_t FrameNumber = 1;  // 1 ... CountFrames
  int32_t CountFrames = 1;  // at least 1
  bool Cycle = false;
  bool ButtonStyle = false;
  int32_t TimerInterval = 50;  // at least 25
  TskCommand Command = TskCommand::cmdefault;
  TMenuItem* MenuItem = nullptr;  // not owned
  bool PopupUp = false;

  void Draw(TDeviceContext& dc, bool drawNormal) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
  void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
  void Reset() override;
  bool HasCommand(TskCommand& command) const override {
    command = Command;
    return ButtonStyle;
  }

  // One 25 ms tick of the animation clock; true when the frame number
  // changed (the object was redrawn).
  bool Tick();
  // The strip rectangle of frame n.
  TRect FrameRect(int32_t n) const;

 private:
  bool m_forward = true;
  int32_t m_clock = 0;
};

}  // namespace tsm
