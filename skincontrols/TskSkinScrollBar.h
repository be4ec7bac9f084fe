#pragma once
// TskSkinScrollBar: a stand-alone skinned scroll bar (two arrow buttons, a
// track and a thumb), painted from the skin's "hscrollbar", "vscrollbar" or
// "bothhscrollbar" data. Skinned controls place these beside their content
// and drive them (SetParams, SetPositionSilent) instead of using the
// window's own scroll bars.
//
// Behaviour (geometry in ScrollBarMath.h, looks in ScrollBarLook.h):
//   hot tracking   the part under the pointer is hot; while a part is
//                  captured no other part becomes hot
//   button press   one step at once (OnUpButtonClick / OnDownButtonClick
//                  when assigned, else Position +/- SmallChange), then the
//                  repeat timer: the first tick after 500 ms only switches
//                  to the 50 ms period, so the second step comes at 550 ms
//                  and the next every 50 ms; leaving the button pauses the
//                  repeat, coming back resumes it at 50 ms
//   track press    a page (LargeChange) toward the pointer with OnPageUp /
//                  OnPageDown, repeated with the same timing until the
//                  thumb reaches the pointer, the button is released or the
//                  pointer leaves the bar
//   thumb drag     the position follows the pointer along the thumb-centre
//                  span (OnChange on every change); the release raises
//                  OnLastChange
//   keys, wheel    only with CanFocused: arrows step by SmallChange, the
//                  wheel too (towards the user: +)
//
// Nothing is reported: values are clamped, a page that does not fit the
// position is refused.

#include <cstdint>
#include <string>

#include "skin/TskDataSkinControl.h"
#include "skincontrols/ScrollBarLook.h"
#include "skincontrols/ScrollBarMath.h"
#include "skincontrols/TskSkinCustomControl.h"

namespace tsm {

enum class TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

class TskSkinScrollBar : public TskSkinCustomControl {
 public:
  explicit TskSkinScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return m_kind; }
  // Moves the default thickness (DefaultHeight 19 of a horizontal bar) to
  // the other axis; while designing also switches the skin data name and
  // swaps width and height.
  void SetKind(TScrollBarKind kind);
  bool Vertical() const { return m_kind == TScrollBarKind::sbVertical; }

  int32_t Min() const { return m_range.Min; }
  void SetMin(int32_t value);
  int32_t Max() const { return m_range.Max; }
  void SetMax(int32_t value);
  int32_t PageSize() const { return m_range.PageSize; }
  void SetPageSize(int32_t value);
  int32_t Position() const { return m_position; }
  // Clamped to the range; a change repaints and raises OnChange.
  void SetPosition(int32_t value);
  // The same without OnChange.
  void SetPositionSilent(int32_t value);
  // Stores the range and the clamped position; repaints; raises nothing. A
  // negative page size is refused (the page size stays).
  void SetParams(int32_t min, int32_t max, int32_t pageSize, int32_t position);
  const TskScrollRange& Range() const { return m_range; }

  int32_t SmallChange() const { return m_smallChange; }
  void SetSmallChange(int32_t value);
  int32_t LargeChange() const { return m_largeChange; }
  void SetLargeChange(int32_t value);

  // A horizontal bar that meets a vertical bar: the corner at its right end
  // stays free (BothMarkerWidth wide unskinned; the BothSkinDataName look
  // when skinned).
  bool Both() const { return m_both; }
  void SetBoth(bool both);
  int32_t BothMarkerWidth() const { return m_bothMarkerWidth; }
  void SetBothMarkerWidth(int32_t width);
  const std::string& BothSkinDataName() const { return m_bothSkinDataName; }
  void SetBothSkinDataName(const std::string& name) { m_bothSkinDataName = name; }

  bool CanFocused() const { return m_canFocused; }
  void SetCanFocused(bool on);

  // --- state, for looks and tests ---
  // The layout for the current size, range and skin.
  TskScrollBarLayout Layout();
  TskScrollPart HotPart() const { return m_hotPart; }
  TskScrollPart CapturedPart() const { return m_capturedPart; }
  bool Dragging() const { return m_dragging; }
  // 0 none, 1 decrease button, 2 increase button, 3 paging toward the
  // start, 4 paging toward the end.
  int RepeatMode() const { return static_cast<int>(m_repeat); }

  TNotifyEvent OnChange;
  TNotifyEvent OnLastChange;
  TNotifyEvent OnUpButtonClick;
  TNotifyEvent OnDownButtonClick;
  TNotifyEvent OnPageUp;
  TNotifyEvent OnPageDown;

  void ReadSkinData() override;

 protected:
  void WndProc(TMessage& m) override;
  // position, min, max, pageSize, kind.
  void DescribeState(TStateDescription& state) override;
  void DrawFallbackImage(ui::TBitmap& image) override;
  void DrawSkinImage(ui::TBitmap& image) override;
  bool PaintsOnErase() const override { return true; }

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseLeave() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) override;
  void WMGetDlgCode(TMessage& m) override;
  void FocusGained() override;
  void FocusLost() override;
  void EnabledChanged() override;

 private:
  enum class TRepeat : uint8_t { None, DecButton, IncButton, PageStart, PageEnd };
  static constexpr uint32_t kTimerId = 1;
  static constexpr uint32_t kRepeatDelay = 500;
  static constexpr uint32_t kRepeatInterval = 50;

  TskScrollPartState& PartState(TskScrollPart part);
  TskScrollBarLookState LookState() const;
  void SetHotPart(TskScrollPart part);
  // One step of a button (its event, else the position), or one page.
  void StepButton(TskScrollPart part);
  void StepPage(bool towardEnd);
  void StartTimer(uint32_t interval);
  void StopTimer();
  void OnTimerTick();
  // Ends a press (release, cancel); raises OnLastChange after a drag when
  // asked.
  void EndPress(bool raiseLastChange);
  void StorePosition(int32_t value, bool notify);
  void Raise(const TNotifyEvent& event);

  TScrollBarKind m_kind = TScrollBarKind::sbHorizontal;
  TskScrollRange m_range;
  int32_t m_position = 0;
  int32_t m_smallChange = 1;
  int32_t m_largeChange = 1;
  bool m_both = false;
  int32_t m_bothMarkerWidth = 19;
  std::string m_bothSkinDataName = "bothhscrollbar";
  std::string m_normalSkinDataName;
  bool m_canFocused = false;

  // Read from the skin (valid while skinned).
  TskScrollBarSkinMetrics m_metrics;
  TskScrollBarSkinLooks m_looks;

  TskScrollPartState m_thumb, m_inc, m_dec;
  TskScrollPart m_hotPart = TskScrollPart::None;
  TskScrollPart m_capturedPart = TskScrollPart::None;
  bool m_buttonHeld = false;
  TRepeat m_repeat = TRepeat::None;
  bool m_initialDelay = false;
  bool m_timerRunning = false;
  bool m_dragging = false;
  int32_t m_dragCoord = 0;
  int32_t m_dragOffset = 0;
  TPoint m_lastPointer;
};

}  // namespace tsm
