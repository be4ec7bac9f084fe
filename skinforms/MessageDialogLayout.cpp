#include "skinforms/MessageDialogLayout.h"

#include <algorithm>

namespace tsm {

TskMessageLayout LayoutMessageDialog(const TskMessageMetrics& m) {
  using L = TskMessageLayout;
  TskMessageLayout out;
  const int32_t n = std::max(0, m.ButtonCount);
  out.RowWidth = n > 0 ? n * L::kButtonWidth + (n - 1) * L::kButtonGap : 0;
  out.Label = TRect::FromSize(L::kLabelLeft, L::kLabelTop, m.Label.cx, m.Label.cy);
  const int32_t iconTop = std::max(10, L::kLabelTop + m.Label.cy / 2 - 16);
  out.Icon = TRect::FromSize(L::kIconLeft, iconTop, L::kIconSize, L::kIconSize);

  const int32_t labelRight = out.Label.Right;
  int32_t clientWidth = (out.RowWidth >= labelRight ? out.RowWidth : labelRight) + 40;
  const int32_t clientHeight = m.ButtonHeight + m.Label.cy + 50;
  const int32_t windowWidth = clientWidth + m.FrameWidth;
  if (m.MaxWindowWidth > 0 && windowWidth > m.MaxWindowWidth)
    clientWidth = m.MaxWindowWidth - m.FrameWidth;
  else if (windowWidth < m.MinWindowWidth)
    clientWidth = m.MinWindowWidth - m.FrameWidth;
  out.Client = {clientWidth, clientHeight};

  int32_t x = (clientWidth - out.RowWidth) / 2;
  const int32_t top = clientHeight - m.ButtonHeight - 10;
  for (int32_t i = 0; i < n; ++i) {
    out.Buttons.push_back(TRect::FromSize(x, top, L::kButtonWidth, m.ButtonHeight));
    x += L::kButtonWidth + L::kButtonGap;
  }
  return out;
}

}  // namespace tsm
