#include "skinforms/TskIconImage.h"

#include "framework/controls/StateDescription.h"

namespace tsm {

TskIconImage::TskIconImage(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() - TControlStyle{TControlStyleFlag::Opaque});
  SetBounds(0, 0, 32, 32);
}

void TskIconImage::SetIcon(std::optional<TSystemIcon> icon) {
  if (icon == m_icon) return;
  m_icon = icon;
  Invalidate();
}

void TskIconImage::Paint() {
  if (!m_icon) return;
  if (TDeviceContext* dc = Canvas().Handle()) DrawSystemIcon(*dc, 0, 0, *m_icon);
}

void TskIconImage::DescribeState(TStateDescription& state) {
  TGraphicControl::DescribeState(state);
  static const char* const kNames[] = {"application", "error", "warning", "information", "question"};
  state.Set("icon", m_icon ? kNames[static_cast<int>(*m_icon)] : "none");
}

}  // namespace tsm
