#pragma once
// TPanel: a plain container with the classic bevels. Aligned children share
// the area inside the bevels and the border width.
//
//   outer bevel (BevelWidth) | BorderWidth | inner bevel (BevelWidth) | client

#include "framework/controls/CustomControl.h"

namespace tsm {

enum class TPanelBevel : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);

  TPanelBevel BevelOuter() const { return m_bevelOuter; }
  void SetBevelOuter(TPanelBevel bevel);
  TPanelBevel BevelInner() const { return m_bevelInner; }
  void SetBevelInner(TPanelBevel bevel);
  int32_t BevelWidth() const { return m_bevelWidth; }
  void SetBevelWidth(int32_t width);
  int32_t BorderWidth() const { return m_borderWidth; }
  void SetBorderWidth(int32_t width);
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment);

  void AdjustClientRect(TRect& rect) override;

 protected:
  void Paint() override;

 private:
  void BordersChanged();

  TPanelBevel m_bevelOuter = TPanelBevel::bvRaised;
  TPanelBevel m_bevelInner = TPanelBevel::bvNone;
  int32_t m_bevelWidth = 1;
  int32_t m_borderWidth = 0;
  TAlignment m_alignment = TAlignment::taCenter;
};

}  // namespace tsm
