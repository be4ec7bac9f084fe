#pragma once
// Where the frame's skin objects stand for the current window size: objects
// drawn in the frame picture follow the zone rule, caption buttons stand in
// a row (in the buttons rectangle, else in the caption rectangle), and the
// default frame's drawn buttons stand right to left from W - 3.
//
// Row order: the first visible button of each command close, maximize,
// minimize, roll-up, minimize-to-tray, then every visible custom button in
// list order; each moves the row's cursor by its width plus the buttons
// offset. The system-menu button stands at the caption's left end.

#include "platform/core/Geometry.h"
#include "skinforms/FrameGeometry.h"

namespace tsm {

class TskFrameObjectTracker;

// The size the system-menu button takes with ShowIcon (none: its skin size).
struct TskSysMenuIcon {
  bool Show = false;
  TSize Size;
};

// With a skin: every object placed for the geometry g (frame size g.Frame).
void PlaceSkinObjects(TskFrameObjectTracker& objects, const TskSkinFormInfo& info, const TskFrameGeometry& g,
                      const TskSysMenuIcon& icon);

// Without a skin: the default buttons laid out for a frame of width w; the
// answer is the caption rectangle left between them.
TRect LayoutDefaultButtons(TskFrameObjectTracker& objects, const TskDefaultFrameMetrics& metrics, int32_t w,
                           const TskSysMenuIcon& icon);

}  // namespace tsm
