#pragma once
// TskSkinGauge: a progress bar with an optional text made of a fixed text
// and a percentage ("进度...45%"), drawn from the skin's "gauge" data
// (TskDataSkinGaugeControl) or, unskinned, as a framed white box with a
// pale blue bar. Vertical gauges grow from the bottom and turn their text.
//
// Skinned, the bar fills the fitted progress area: the middle of the
// skin's progress picture is tiled along it (from the left, or from the
// bottom upward) and its two end pieces are drawn at the bar's ends once
// the bar is long enough for both. With UseSkinSize off the control keeps
// any size: the image is built at the size the skin allows and stretched.
//
// Values: MinValue <= Value <= MaxValue always holds. A minimum above the
// maximum is limited to the maximum (and a maximum below the minimum to the
// minimum); equal bounds show an empty bar and 0%.

#include <cstdint>
#include <string>

#include "skin/TskDataSkinControl.h"
#include "skincontrols/TskSkinCustomControl.h"

namespace tsm {

class TskSkinGauge : public TskSkinCustomControl {
 public:
  // "gauge", 100 x 20, range 0 ... 100, value 50.
  explicit TskSkinGauge(TComponent* owner);

  int32_t MinValue() const { return m_minValue; }
  void SetMinValue(int32_t value);
  int32_t MaxValue() const { return m_maxValue; }
  void SetMaxValue(int32_t value);
  int32_t Value() const { return m_value; }
  // Limited to the range; repaints only when the stored value changes.
  void SetValue(int32_t value);

  const std::string& ProgressText() const { return m_progressText; }
  void SetProgressText(const std::string& text);
  bool ShowProgressText() const { return m_showProgressText; }
  void SetShowProgressText(bool on);
  bool ShowPercent() const { return m_showPercent; }
  void SetShowPercent(bool on);
  // Unskinned direction; while skinned the skin's `vertical` decides.
  bool Vertical() const { return m_vertical; }
  void SetVertical(bool on);
  bool UseSkinSize() const { return m_useSkinSize; }
  void SetUseSkinSize(bool on);

  // The text the gauge shows now ("" when none).
  std::string Text() const;
  int32_t Percent() const;
  // The direction drawn now.
  bool DrawsVertical() const;
  // The progress area fitted to the current size (skinned).
  const TRect& FittedProgressArea() const { return m_fittedProgressArea; }

  void ReadSkinData() override;

 protected:
  void Loaded() override;
  // position, min, max, and as text what the gauge shows ("进度...45%").
  void DescribeState(TStateDescription& state) override;
  bool PaintsOnErase() const override { return true; }
  void FitSizeToSkin(int32_t& width, int32_t& height) override;
  void DrawSkinImage(ui::TBitmap& image) override;
  void DrawFallbackImage(ui::TBitmap& image) override;

 private:
  // The progress area for a control of the size the skin gives to w x h.
  TRect ProgressAreaFor(TSize fitted) const;
  // Draws the bar into image; false when the skin's progress picture has no
  // middle to tile a bar longer than its ends (the drawing stops there).
  bool DrawSkinBar(TBitmap& image, const TRect& bar) const;
  void DrawText(ui::TBitmap& image, const ui::TFont& font, bool vertical) const;
  void Changed() { Invalidate(); }

  int32_t m_minValue = 0;
  int32_t m_maxValue = 100;
  int32_t m_value = 50;
  std::string m_progressText;
  bool m_showProgressText = false;
  bool m_showPercent = false;
  bool m_vertical = false;
  bool m_useSkinSize = true;
  TRect m_fittedProgressArea;
  TskDataSkinGaugeControl m_data{""};  // copied by ReadSkinData
};

}  // namespace tsm
