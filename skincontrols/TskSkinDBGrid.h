#pragma once
// TskSkinDBGrid: the published skinned data grid; it adds nothing to
// TskSkinCustomDBGrid.

#include "skincontrols/TskSkinCustomDBGrid.h"

namespace tsm {

class TskSkinDBGrid : public TskSkinCustomDBGrid {
 public:
  using TskSkinCustomDBGrid::TskSkinCustomDBGrid;
};

}  // namespace tsm
