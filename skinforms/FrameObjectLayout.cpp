#include "skinforms/FrameObjectLayout.h"

#include <vector>

#include "skin/SkinPlatform.h"
#include "skinforms/FrameObjectTracker.h"
#include "skinforms/TskSkinAnimateObject.h"
#include "skinforms/TskSkinCaptionObject.h"
#include "skinforms/TskSkinStdButtonObject.h"

namespace tsm {

namespace {

constexpr TskCommand kRowOrder[] = {TskCommand::cmclose, TskCommand::cmmaximize, TskCommand::cmminimize,
                                    TskCommand::cmrollup, TskCommand::cmminimizetotray};

// A caption button or an animation with a command, and that command.
bool RowButton(const TskActiveSkinObject& o, TskCommand& command) {
  if (dynamic_cast<const TskSkinStdButtonObject*>(&o) == nullptr &&
      dynamic_cast<const TskSkinAnimateObject*>(&o) == nullptr)
    return false;
  return o.HasCommand(command);
}

// The first object of the command that takes part (per `takes`), or null.
template <class F>
TskActiveSkinObject* FirstOf(TskFrameObjectTracker& objects, TskCommand command, F takes) {
  for (size_t i = 0; i < objects.Count(); ++i) {
    TskActiveSkinObject& o = objects.At(i);
    TskCommand c;
    if (takes(o) && RowButton(o, c) && c == command) return &o;
  }
  return nullptr;
}

}  // namespace

void PlaceSkinObjects(TskFrameObjectTracker& objects, const TskSkinFormInfo& info, const TskFrameGeometry& g,
                      const TskSysMenuIcon& icon) {
  for (size_t i = 0; i < objects.Count(); ++i) {
    TskActiveSkinObject& o = objects.At(i);
    if (!o.SkinRectInAPicture) o.ObjectRect = PlaceByZones(info, g.Picture, g.Frame, o.SkinRect);
  }
  const bool inButtons = !RectIsEmpty(g.Buttons);
  const TRect row = inButtons ? g.Buttons : g.Caption;
  if (RectIsEmpty(row)) return;
  TskSkinCaptionObject* caption = objects.Caption();
  // Visible here means Visible and standing in a picture.
  const auto inRow = [](const TskActiveSkinObject& o) { return o.Visible && o.SkinRectInAPicture; };
  const auto sizeOf = [&icon](const TskActiveSkinObject& o, TskCommand c) {
    return c == TskCommand::cmsysmenu && icon.Show ? icon.Size : o.SkinRect.Size();
  };
  std::vector<std::pair<TskActiveSkinObject*, TskCommand>> ordered;
  for (TskCommand command : kRowOrder)
    if (TskActiveSkinObject* o = FirstOf(objects, command, inRow)) ordered.push_back({o, command});
  for (size_t i = 0; i < objects.Count(); ++i) {
    TskActiveSkinObject& o = objects.At(i);
    TskCommand c;
    if (inRow(o) && RowButton(o, c) && c == TskCommand::cmdefault) ordered.push_back({&o, c});
  }
  TskActiveSkinObject* sysMenu = FirstOf(objects, TskCommand::cmsysmenu, inRow);
  const int32_t offset = g.ButtonsOffset;
  if (!g.ButtonsInLeft) {
    int32_t cursor = row.Right;
    for (auto [o, c] : ordered) {
      const TSize s = sizeOf(*o, c);
      o->ObjectRect = {cursor - s.cx, row.Top, cursor, row.Top + s.cy};
      cursor -= s.cx + offset;
    }
    if (!inButtons && caption) caption->ObjectRect.Right = cursor + offset;
    if (sysMenu) {
      const TSize s = sizeOf(*sysMenu, TskCommand::cmsysmenu);
      const int32_t top = g.Caption.Top + g.Caption.Height() / 2 - s.cy / 2;
      sysMenu->ObjectRect = TRect::FromSize(g.Caption.Left, top, s.cx, s.cy);
      if (caption) caption->ObjectRect.Left = sysMenu->ObjectRect.Right;
    }
    return;
  }
  if (!inButtons && sysMenu) ordered.push_back({sysMenu, TskCommand::cmsysmenu});
  int32_t cursor = row.Left;
  for (auto [o, c] : ordered) {
    const TSize s = sizeOf(*o, c);
    o->ObjectRect = TRect::FromSize(cursor, row.Top, s.cx, s.cy);
    cursor += s.cx + offset;
  }
  if (!inButtons && caption) caption->ObjectRect.Left = cursor + offset;
}

TRect LayoutDefaultButtons(TskFrameObjectTracker& objects, const TskDefaultFrameMetrics& metrics, int32_t w,
                           const TskSysMenuIcon& icon) {
  TRect caption = metrics.CaptionRect(w);
  const int32_t size = metrics.ButtonSize;
  const int32_t top = TskDefaultFrameMetrics::kButtonTop;
  const auto visible = [](const TskActiveSkinObject& o) { return o.Visible; };
  int32_t cursor = w - TskDefaultFrameMetrics::kBorder;
  for (TskCommand command : kRowOrder) {
    if (TskActiveSkinObject* o = FirstOf(objects, command, visible)) {
      o->ObjectRect = {cursor - size, top, cursor, top + size};
      cursor -= size;
    }
  }
  caption.Right = cursor;
  if (TskActiveSkinObject* o = FirstOf(objects, TskCommand::cmsysmenu, visible)) {
    const TSize s = icon.Show ? icon.Size : TSize{size, size};
    o->ObjectRect = TRect::FromSize(TskDefaultFrameMetrics::kBorder, top, s.cx, s.cy);
    caption.Left = o->ObjectRect.Right;
  }
  return caption;
}

}  // namespace tsm
