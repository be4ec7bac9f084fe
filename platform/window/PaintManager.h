#pragma once
// Update regions, WM_PAINT and WM_NCPAINT, device contexts, scrolling and
// the damage that the backend is asked to show.
//
// Pixels. Each top-level window has one surface that holds the whole window,
// its children included. A window draws into it through a device context
// whose system clip is the window's visible region: its rectangle (client
// area or whole window) and shape, clipped by every ancestor's client area
// and shape, minus the siblings above it and above each ancestor, minus its
// own shown children. Pixels stay where they were drawn until a window draws
// over them, so moving a top-level window needs no repainting.
//
// Paint cycle. Invalidation adds to a window's update region (client
// coordinates) and may ask for an erase or a frame repaint. When no input and
// no posted message is waiting, the message loop hands out WM_PAINT for the
// first window that needs painting (top-level windows in z-order, each before
// its children). BeginPaint sends WM_NCPAINT when the frame is due, validates
// the update region, clips the context to it and sends WM_ERASEBKGND when an
// erase is due; EndPaint releases the context. Everything drawn through any
// context becomes damage that the backend shows when the loop next looks for
// a message.

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/window/Messages.h"
#include "platform/gfx/Region.h"

namespace tsm {

class TDeviceContext;

struct TPaintStruct {
  TDeviceContext* hdc = nullptr;
  bool fErase = false;   // the background still needs erasing (WM_ERASEBKGND answered 0)
  TRect rcPaint;         // bounds of the area to paint, client coordinates
};

class TPaintManager {
 public:
  explicit TPaintManager(TWindowSystem& sys);
  ~TPaintManager();

  // Adds rgn (client coordinates; nullptr: the whole client area) to w's
  // update region. Children are not touched.
  void Invalidate(TWindow* w, const TRegion* rgn, bool erase);
  void Validate(TWindow* w, const TRegion* rgn);
  void InvalidateFrame(TWindow* w);
  // w and all its descendants, frames included, completely.
  void InvalidateTree(TWindow* w);
  // A child left oldRect (parent client coordinates): the parent and the
  // siblings there repaint.
  void ExposeInParent(TWindow* child, const TRect& oldRect);
  void RedrawWindow(TWindow* w, const TRegion* rgn, uint32_t flags);
  // Paints w now when it needs it (WM_PAINT sent directly).
  void UpdateWindow(TWindow* w);
  TWindow* NextToPaint() const;
  // Top-level stacking, visibility or shape changed.
  void StackingChanged() {}

  // Visible region of w in its top-level window's coordinates.
  TRegion VisibleRegion(const TWindow* w, bool clientOnly) const;

  TDeviceContext* BeginPaint(TWindow* w, TPaintStruct& ps);
  void EndPaint(TWindow* w, const TPaintStruct& ps);
  // A context for the client area, or with wholeWindow for the whole window
  // (frame included). Valid until ReleaseDC or until the window goes.
  TDeviceContext* GetDC(TWindow* w, bool wholeWindow);
  bool ReleaseDC(TWindow* w, TDeviceContext* dc);

  // Moves the pixels of the client area by (dx, dy) (scroll: the part that
  // moves, clip: where pixels may land; client coordinates, nullptr: the
  // client area). Returns the uncovered area in updated when given, and
  // invalidates it with SW_INVALIDATE (SW_ERASE: with erase). SW_SCROLLCHILDREN
  // moves the children inside scroll along.
  bool ScrollWindowEx(TWindow* w, int32_t dx, int32_t dy, const TRect* scroll, const TRect* clip,
                      TRegion* updated, uint32_t flags);

  // Pixels of top changed in rgn (top-level coordinates).
  void AddDamage(TWindow* top, const TRegion& rgn);
  // Hands the collected damage to the backend.
  void Flush();
  void WindowGone(TWindow* w);

 private:
  struct TDCEntry;
  std::unique_ptr<TDeviceContext> MakeDC(TWindow* w, bool wholeWindow, const TRegion* limit, TRegion& visible);

  TWindowSystem& m_sys;
  std::vector<std::unique_ptr<TDCEntry>> m_dcs;
  std::unordered_map<uint32_t, TRegion> m_damage;   // by top-level window id
};

}  // namespace tsm
