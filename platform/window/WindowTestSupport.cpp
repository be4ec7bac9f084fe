#include "platform/window/WindowTestSupport.h"

namespace tsm {

void WindowTest::SetUp() {
  auto backend = std::make_unique<THeadlessBackend>();
  m_backend = backend.get();
  m_backend->UseManualClock(true, 100000);
  TWindowSystem::Initialize(std::move(backend));
}

void WindowTest::TearDown() {
  TWindowSystem::Shutdown();
  m_backend = nullptr;
}

HWND WindowTest::Make(TWindowCreateParams p, TTestHandler handler) {
  p.Proc = [this, handler](HWND w, uint32_t msg, WPARAM wp, LPARAM lp) -> LRESULT {
    m_log.push_back({w, msg, wp, lp});
    if (handler)
      if (const auto r = handler(w, msg, wp, lp)) return *r;
    return DefWindowProc(w, msg, wp, lp);
  };
  return CreateWindowEx(p);
}

HWND WindowTest::MakeTopLevel(const TRect& bounds, uint32_t style, TTestHandler handler) {
  TWindowCreateParams p;
  p.Style = style;
  p.Bounds = bounds;
  return Make(p, std::move(handler));
}

HWND WindowTest::MakeChild(HWND parent, const TRect& bounds, uint32_t style, TTestHandler handler) {
  TWindowCreateParams p;
  p.Style = style;
  p.Parent = parent;
  p.Bounds = bounds;
  return Make(p, std::move(handler));
}

std::vector<uint32_t> WindowTest::Messages(HWND wnd, const std::set<uint32_t>& filter) const {
  std::vector<uint32_t> out;
  for (const TLoggedMessage& m : m_log)
    if ((!wnd || m.Wnd == wnd) && (filter.empty() || filter.count(m.Msg))) out.push_back(m.Msg);
  return out;
}

std::vector<TLoggedMessage> WindowTest::Logged(HWND wnd, uint32_t msg) const {
  std::vector<TLoggedMessage> out;
  for (const TLoggedMessage& m : m_log)
    if ((!wnd || m.Wnd == wnd) && m.Msg == msg) out.push_back(m);
  return out;
}

}  // namespace tsm
