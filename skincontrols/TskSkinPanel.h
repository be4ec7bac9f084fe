#pragma once
// TskSkinPanel: a container drawn from the skin's "panel" data
// (TskDataSkinPanelControl): the skin's framed look with an optional
// caption (the skin's caption rectangle), a tiled background picture, or,
// without frame, the skin's client texture alone. Unskinned it draws a
// button-face panel with a frame by BorderStyle and, in caption mode, a
// caption band.
//
// The caption band can hold a check box (CheckedMode: Checked enables or
// disables every child with AutoEnabledControls) and a roll-up arrow
// (RollUpMode: the panel shrinks to its caption, the children are hidden,
// RealHeight keeps the height to restore). A left click on the caption area
// in caption mode toggles both.
//
// Children align inside the skin's fitted client rectangle (the whole panel
// with a background picture or a frameless corner skin), unskinned inside
// the frame and below the caption band.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/TskSkinCustomControl.h"

namespace tsm {

enum class TskSkinBorderStyle : uint8_t { bvFrame, bvRaised, bvLowered, bvNone };

class TskSkinPanel : public TskSkinCustomControl {
 public:
  // "panel", 150 x 150.
  explicit TskSkinPanel(TComponent* owner);

  TskSkinBorderStyle BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(TskSkinBorderStyle style);
  bool CaptionMode() const { return m_captionMode; }
  void SetCaptionMode(bool on);
  int32_t DefaultCaptionHeight() const { return m_defaultCaptionHeight; }
  void SetDefaultCaptionHeight(int32_t height);
  TAlignment DefaultAlignment() const { return m_defaultAlignment; }
  void SetDefaultAlignment(TAlignment alignment);

  bool CheckedMode() const { return m_checkedMode; }
  void SetCheckedMode(bool on);
  bool Checked() const { return m_checked; }
  // Stores the value (repainting in checked mode), enables or disables the
  // children in checked mode with AutoEnabledControls, then OnChecked.
  void SetChecked(bool checked);
  bool AutoEnabledControls() const { return m_autoEnabledControls; }
  void SetAutoEnabledControls(bool on) { m_autoEnabledControls = on; }

  bool RollUpMode() const { return m_rollUpMode; }
  // Turning the mode off rolls the panel down.
  void SetRollUpMode(bool on);
  bool RollUpState() const { return m_rollUpState; }
  // Without RollUpMode the state stays false.
  void SetRollUpState(bool rolledUp);
  // The height before rolling up; -1 while not rolled up.
  int32_t RealHeight() const { return m_realHeight; }

  // A strip of NumGlyphs (1 or 2) images before the caption; image 2 is
  // shown while disabled.
  const ui::TBitmap& Glyph() const { return m_glyph; }
  void SetGlyph(const ui::TBitmap& glyph);
  int32_t NumGlyphs() const { return m_numGlyphs; }
  void SetNumGlyphs(int32_t n);
  int32_t Spacing() const { return m_spacing; }
  void SetSpacing(int32_t spacing);

  // The caption area in control coordinates (skinned: the skin's caption
  // rectangle mapped to the size; unskinned: the caption band's interior).
  TRect CaptionArea();

  void ReadSkinData() override;
  void ApplySkinChange() override;
  void AdjustClientRect(TRect& rect) override;

  TNotifyEvent OnChecked;
  TNotifyEvent OnChangeRollUpState;

 protected:
  void DrawSkinImage(ui::TBitmap& image) override;
  void DrawFallbackImage(ui::TBitmap& image) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DescribeState(TStateDescription& state) override;
  void TextChanged() override;
  void Resized() override;

 private:
  void RollUp();
  void RollDown();
  int32_t RolledHeight();
  void Relayout();
  // Caption text (and glyph) in area: skinned by the skin's alignment,
  // unskinned by DefaultAlignment with the unskinned offsets.
  void DrawCaptionText(TCanvas& canvas, const TRect& area, bool skinned) const;
  void DrawSkinCaption(ui::TBitmap& image);
  void DrawCheckImage(ui::TBitmap& image, const TRect& rect, TPoint at) const;

  TskSkinBorderStyle m_borderStyle = TskSkinBorderStyle::bvFrame;
  bool m_captionMode = false;
  int32_t m_defaultCaptionHeight = 22;
  TAlignment m_defaultAlignment = TAlignment::taLeftJustify;
  bool m_checkedMode = false;
  bool m_checked = false;
  bool m_autoEnabledControls = true;
  bool m_rollUpMode = false;
  bool m_rollUpState = false;
  int32_t m_realHeight = -1;
  // The children that were shown before rolling up (a freed one expires).
  std::vector<std::pair<TControl*, std::weak_ptr<void>>> m_hiddenByRollUp;
  ui::TBitmap m_glyph;
  int32_t m_numGlyphs = 1;
  int32_t m_spacing = 2;
  TskDataSkinPanelControl m_data{""};  // copied by ReadSkinData
};

}  // namespace tsm
