#pragma once
// THintWindow: the small window that shows a hint beside the mouse — a
// top-level pop-up tool window, topmost, that never takes activation and
// lets the mouse through to what lies under it (HTTRANSPARENT), so it can
// never steal a click or the control's mouse-leave.
//
// Plain look: filled with clInfoBk (Color), framed by a one-pixel clBtnShadow
// line, the text in Font (clInfoText) from (2, 2), line breaks followed; the
// window is the text's size plus 4 each way (CalcHintRect).
//
// The application's hint system (framework/forms/ApplicationHints.h) owns one
// hint window, made by the application's hint window class, and calls
// ShowHintAt for every control hint; a descendant (a skinned hint window)
// overrides CalcHintRect, ShowHintAt and Paint. While shown, the window's
// text is the hint (the window tree and the UI scripts read it there).

#include <cstdint>
#include <functional>
#include <string>

#include "framework/controls/CustomControl.h"

namespace tsm {

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* owner);

  // The window size the hint needs, as a rectangle at (0, 0); text wider
  // than maxWidth is wrapped (0: no limit).
  virtual TRect CalcHintRect(int32_t maxWidth, const std::string& hint);
  // Shows hint in rect (screen coordinates) on top of everything, without
  // activating anything. A window that would pass the right or bottom edge of
  // the screen opens left of (above) rect's corner instead.
  virtual void ShowHintAt(const TRect& rect, const std::string& hint);
  // Hides the window (without activating any window).
  virtual void ReleaseHint();
  bool HintShown() const;

  // The text as the hint's text is drawn, w x h: its lines as they stand,
  // wrapped to maxWidth when one is wider (0: no limit).
  static TSize MeasureHint(const std::string& hint, const ui::TFont& font, int32_t maxWidth = 0);

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void Paint() override;
  void DescribeState(TStateDescription& state) override;
  // Moves rect so that it stays on the screen: left of (above) its corner by
  // its width (height) + 2 when it passes the right (bottom) edge.
  static TRect KeepOnScreen(const TRect& rect);
  // Puts the window at rect, topmost, shown without activation.
  void ShowAt(const TRect& rect);
};

// Makes the application's hint window (its hint window class).
using THintWindowClass = std::function<THintWindow*(TComponent* owner)>;

}  // namespace tsm
