#pragma once
// The items of a frame's system menu. The default menu is rebuilt from
// scratch on every use from the frame's state; a custom menu gets the
// frame's items put in front of the user's items (and those added before
// are taken out first).
//
// Default menu, each item only when it applies:
//   最小化(&n)         not minimized, biMinimize            BSF_MINITEM
//   最大化(&x)         not maximized, biMaximize            BSF_MAXITEM
//   还原(&R)           not normal, or rolled up             BSF_RESTORE
//   向上卷拢(&l)       biRollUp, not rolled up, not minimized BSF_ROLLUP
//   最小化到图标(&T)   biMinimizeToTray                     BSF_MINTOTRAY
//   -                  when any item precedes it
//   关闭(&C)  Alt+F4                                        BSF_CLOSE

#include <functional>

#include "skinforms/SkinFrameTypes.h"

namespace tsm {

class TMenuItem;
class TskSkinData;

enum class TskSystemCommand : uint8_t { Minimize, Maximize, Restore, RollUp, MinimizeToTray, Close };

struct TskSystemMenuState {
  TskFrameState State = TskFrameState::wsNormal;
  bool RolledUp = false;
  TskBorderIcons Icons;
};

using TskSystemCommandHandler = std::function<void(TskSystemCommand)>;

// Frees root's items and fills it with the default menu. Captions come from
// the skin's resource strings when it has them (skin may be null).
void BuildDefaultSystemMenu(TMenuItem& root, const TskSystemMenuState& state, const TskSkinData* skin,
                            const TskSystemCommandHandler& run);
// Takes the frame's items out of a custom menu and puts fresh ones in front
// (Minimize, Restore, Maximize, Roll up, Minimize to tray, then Close), no
// divider.
void MergeSystemMenu(TMenuItem& root, const TskSystemMenuState& state, const TskSkinData* skin,
                     const TskSystemCommandHandler& run);

}  // namespace tsm
