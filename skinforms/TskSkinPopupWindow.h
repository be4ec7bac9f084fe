#pragma once
// TskSkinPopupWindow: one level of an open skinned popup menu.

namespace tsm {

class TskSkinPopupWindow {
 public:
  virtual ~TskSkinPopupWindow() = default;
};

}  // namespace tsm
