#pragma once
// TskIconImage: a windowless picture control showing one of the window
// system's 32 x 32 system icons (or nothing), drawn over its parent with the
// icon's transparent pixels left out. The message dialog's "Image".

#include <optional>

#include "framework/controls/GraphicControl.h"
#include "platform/window/WindowApi.h"

namespace tsm {

class TskIconImage : public TGraphicControl {
 public:
  explicit TskIconImage(TComponent* owner);

  const std::optional<TSystemIcon>& Icon() const { return m_icon; }
  void SetIcon(std::optional<TSystemIcon> icon);

 protected:
  void Paint() override;
  void DescribeState(TStateDescription& state) override;

 private:
  std::optional<TSystemIcon> m_icon;
};

}  // namespace tsm
