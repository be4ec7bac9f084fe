#include "platform/window/HeadlessBackend.h"

#include <chrono>

#include "platform/gfx/Png.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

THeadlessBackend::THeadlessBackend(TSize screen, int32_t taskBarHeight)
    : m_desktop(clBackground), m_tray({0, 0, screen.cx, screen.cy}, taskBarHeight) {
  TMonitorInfo m;
  m.Bounds = {0, 0, screen.cx, screen.cy};
  m.WorkArea = {0, 0, screen.cx, screen.cy - taskBarHeight};
  m.Primary = true;
  m_monitors.push_back(m);
  m_cursor = {screen.cx / 2, screen.cy / 2};
}

void THeadlessBackend::UseManualClock(bool on, uint64_t startMs) {
  m_manual = on;
  m_manualNow = startMs;
}

uint64_t THeadlessBackend::Now() {
  if (m_manual) return m_manualNow;
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void THeadlessBackend::Wait(int64_t timeoutMs) {
  if (m_idleHook) {
    const TIdleHook hook = m_idleHook;   // the hook may replace itself
    if (hook(timeoutMs)) return;
  }
  std::unique_lock<std::mutex> lock(m_lock);
  if (m_manual && timeoutMs >= 0) {
    // Nothing to do until the next timer: let manual time jump there.
    m_manualNow += static_cast<uint64_t>(timeoutMs);
    m_woken = false;
    return;
  }
  if (timeoutMs < 0)
    m_wake.wait(lock, [&] { return m_woken; });
  else
    m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_woken; });
  m_woken = false;
}

void THeadlessBackend::Wake() {
  {
    std::lock_guard<std::mutex> lock(m_lock);
    m_woken = true;
  }
  m_wake.notify_all();
}

void THeadlessBackend::RunFor(uint64_t ms) {
  if (!m_sys) return;
  const uint64_t end = Now() + ms;
  m_sys->ProcessPendingMessages();
  while (Now() < end) {
    uint64_t next = end;
    if (const auto due = m_sys->Timers().NextDue(); due && *due < next) next = std::max(*due, Now());
    if (m_manual)
      m_manualNow = next;
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(next - Now()));
    if (!m_sys->ProcessPendingMessages()) return;
  }
}

void THeadlessBackend::Inject(TRawInput in) {
  if (m_sys) m_sys->QueueRawInput(std::move(in));
}

void THeadlessBackend::MouseMove(TPoint p) {
  m_cursor = p;
  TRawInput in;
  in.Kind = TRawInput::TKind::MouseMove;
  in.Pos = p;
  Inject(std::move(in));
}

void THeadlessBackend::MouseDown(TMouseButton button) {
  TRawInput in;
  in.Kind = TRawInput::TKind::ButtonDown;
  in.Pos = m_cursor;
  in.Button = button;
  Inject(std::move(in));
}

void THeadlessBackend::MouseUp(TMouseButton button) {
  TRawInput in;
  in.Kind = TRawInput::TKind::ButtonUp;
  in.Pos = m_cursor;
  in.Button = button;
  Inject(std::move(in));
}

void THeadlessBackend::Click(TPoint p, TMouseButton button) {
  MouseMove(p);
  MouseDown(button);
  MouseUp(button);
}

void THeadlessBackend::Wheel(int32_t notches) {
  TRawInput in;
  in.Kind = TRawInput::TKind::Wheel;
  in.Pos = m_cursor;
  in.Delta = notches * 120;
  Inject(std::move(in));
}

void THeadlessBackend::KeyDown(uint32_t vk, bool repeat) {
  TRawInput in;
  in.Kind = TRawInput::TKind::KeyDown;
  in.Vk = vk;
  in.Repeat = repeat;
  Inject(std::move(in));
}

void THeadlessBackend::KeyUp(uint32_t vk) {
  TRawInput in;
  in.Kind = TRawInput::TKind::KeyUp;
  in.Vk = vk;
  Inject(std::move(in));
}

void THeadlessBackend::KeyPress(uint32_t vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void THeadlessBackend::Text(const std::string& utf8) {
  TRawInput in;
  in.Kind = TRawInput::TKind::Text;
  in.Text = utf8;
  Inject(std::move(in));
}

void THeadlessBackend::Composition(const std::string& utf8) {
  TRawInput in;
  in.Kind = TRawInput::TKind::Composition;
  in.Text = utf8;
  Inject(std::move(in));
}

void THeadlessBackend::ActivateFromDesktop(HWND wnd) {
  TRawInput in;
  in.Kind = TRawInput::TKind::Activate;
  in.Window = wnd;
  Inject(std::move(in));
}

void THeadlessBackend::MinimizeFromDesktop(HWND wnd) {
  TRawInput in;
  in.Kind = TRawInput::TKind::Minimize;
  in.Window = wnd;
  Inject(std::move(in));
}

void THeadlessBackend::ActivateOtherApplication() {
  TRawInput in;
  in.Kind = TRawInput::TKind::Deactivate;
  Inject(std::move(in));
}

std::vector<HWND> THeadlessBackend::TaskBarWindows() const {
  std::vector<HWND> out;
  if (!m_sys) return out;
  for (const TWindow* t : m_sys->TopLevels())
    if (t->HasVisibleFlag() && !t->Destroying && t->ShowsInTaskBar()) out.push_back(t->Handle());
  return out;
}

void THeadlessBackend::DropFiles(TPoint p, std::vector<std::string> paths) {
  TRawInput in;
  in.Kind = TRawInput::TKind::Drop;
  in.Pos = p;
  in.Files = std::move(paths);
  Inject(std::move(in));
}

void THeadlessBackend::CloseFromDesktop(HWND wnd) {
  TRawInput in;
  in.Kind = TRawInput::TKind::Close;
  in.Window = wnd;
  Inject(std::move(in));
}

void THeadlessBackend::WindowDestroyed(HWND wnd) {
  if (m_nativeFocus == wnd) m_nativeFocus = HWND();
}

TBitmap THeadlessBackend::ComposeScreen() const {
  const TRect screen = m_monitors.front().Bounds;
  TBitmap out(screen.Width(), screen.Height(), TPixelFormat::Bgra32);
  out.Fill(m_desktop);
  m_tray.DrawIcons(out);
  if (!m_sys) return out;
  const TPixelSurface dst = out.Surface();
  const std::vector<TWindow*>& tops = m_sys->TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    const TWindow* w = *it;
    if (!w->HasVisibleFlag() || w->IsMinimized() || !w->Surface) continue;
    TRegion area(w->LocalRect());
    if (w->Shape) area.Intersect(*w->Shape);
    const uint32_t alpha = (w->ExStyle & WS_EX_LAYERED) ? w->Opacity : 255;
    TRect caret;
    const bool hasCaret = m_sys->Caret().OverlayRect(w->Handle(), caret);
    const TPoint o = w->Rect.TopLeft() - screen.TopLeft();
    for (const TRect& r : area.Rects()) {
      const TRect target = r.Offsetted(o).Intersected(dst.Bounds());
      for (int32_t y = target.Top; y < target.Bottom; ++y) {
        const uint32_t* srcRow = w->Surface->Row(y - o.Y);
        for (int32_t x = target.Left; x < target.Right; ++x) {
          uint32_t p = srcRow[x - o.X];
          if (hasCaret && caret.Contains(x - o.X, y - o.Y)) p ^= 0x00FFFFFFu;
          if (alpha != 255) {
            const uint32_t q = dst.ReadPixel(x, y);
            auto mix = [&](int shift) {
              const uint32_t a = (p >> shift) & 0xFF, b = (q >> shift) & 0xFF;
              return ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
            };
            p = 0xFF000000u | mix(16) | mix(8) | mix(0);
          }
          dst.WritePixel(x, y, p | 0xFF000000u);
        }
      }
    }
  }
  return out;
}

TColor THeadlessBackend::ScreenPixel(int32_t x, int32_t y) const { return ComposeScreen().GetPixel(x, y); }

TBitmap THeadlessBackend::WindowImage(HWND wnd) const {
  TWindow* w = m_sys ? m_sys->Find(wnd) : nullptr;
  if (!w || !w->Surface) return {};
  TBitmap out(w->Surface->Width(), w->Surface->Height(), TPixelFormat::Bgra32);
  for (int32_t y = 0; y < out.Height(); ++y)
    std::copy_n(reinterpret_cast<const uint8_t*>(w->Surface->Row(y)), size_t(out.Width()) * 4, out.ScanLine(y));
  return out;
}

bool THeadlessBackend::SaveScreenPng(const std::string& path) const { return SavePng(path, ComposeScreen().Surface()); }

bool THeadlessBackend::SaveWindowPng(HWND wnd, const std::string& path) const {
  const TBitmap image = WindowImage(wnd);
  return !image.IsEmpty() && SavePng(path, image.Surface());
}

}  // namespace tsm
