#pragma once
// TDemoFrame: a simple drawn window frame for the stand-in windows that the
// program shows until the skinned job list window exists. It is built the
// way the skinned frame is: a component dropped on a form that hooks the
// form's WindowProc and answers the non-client protocol itself.
//
//   +--------------------------------------------+  1-pixel outline
//   | caption (drag to move)              [ x ]  |  24-pixel caption
//   +--------------------------------------------+
//   |                                            |
//   |  client area                               |  4-pixel sizing border
//   |                                            |  all round (outline incl.)
//   +--------------------------------------------+
//
// Hit testing: the close box answers HTOBJECT, the caption HTCAPTION, the
// border the eight sizing codes (corners 12 pixels long) when the form is
// sizeable; the window system's move and size loops do the rest, within
// MinWidth/MinHeight and MaxWidth/MaxHeight (0: no bound of its own).

#include <cstdint>

#include "framework/base/Component.h"
#include "framework/controls/ControlTypes.h"
#include "platform/core/Geometry.h"

namespace tsm {

class TCustomForm;
class TDeviceContext;

class TDemoFrame : public TComponent {
 public:
  static constexpr int32_t kBorder = 4;
  static constexpr int32_t kCaption = 24;
  static constexpr int32_t kCornerSize = 12;

  // The owner must be a form (EInvalidCast "Invalid class typecast" else).
  explicit TDemoFrame(TComponent* owner);

  int32_t MinWidth = 200;
  int32_t MinHeight = 120;
  int32_t MaxWidth = 0;
  int32_t MaxHeight = 0;

  // The hit code of a point in window coordinates for a window of size.
  THitTest HitTest(TPoint p, TSize size) const;
  // Where the close box stands for a window of this width.
  static TRect CloseBoxRect(int32_t width);

 protected:
  void BeforeDestruction() override;

 private:
  void FrameProc(TMessage& m);
  void NCCalcSize(TMessage& m);
  void NCPaint();
  void NCHitTest(TMessage& m);
  void NCMouse(TMessage& m);
  void TrackCloseBox(TMessage& m);
  void GetMinMaxInfo(TMessage& m);
  void Paint(TDeviceContext& dc, TSize size) const;
  bool Sizeable() const;

  TCustomForm* m_form;
  TWndMethod m_oldProc;
  bool m_active = false;
  bool m_closeHot = false;
  bool m_closePressed = false;
  bool m_tracking = false;
};

}  // namespace tsm
