#pragma once
// Test fixture for window-system behaviour on the headless backend with the
// manual clock: windows whose procedures record every message they get.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"

namespace tsm {

struct TLoggedMessage {
  HWND Wnd;
  uint32_t Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
};

// Answers a message itself (a value) or lets the default procedure run (nullopt).
using TTestHandler = std::function<std::optional<LRESULT>(HWND, uint32_t, WPARAM, LPARAM)>;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  THeadlessBackend& Screen() { return *m_backend; }
  // Creates a window whose procedure logs each message, then asks handler.
  HWND Make(TWindowCreateParams p, TTestHandler handler = {});
  HWND MakeTopLevel(const TRect& bounds, uint32_t style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, TTestHandler handler = {});
  HWND MakeChild(HWND parent, const TRect& bounds, uint32_t style = WS_CHILD | WS_VISIBLE, TTestHandler handler = {});

  // Messages logged for wnd (all windows when null), in order, keeping only
  // those in filter when it is not empty.
  std::vector<uint32_t> Messages(HWND wnd = HWND(), const std::set<uint32_t>& filter = {}) const;
  std::vector<TLoggedMessage> Logged(HWND wnd, uint32_t msg) const;
  int Count(HWND wnd, uint32_t msg) const { return static_cast<int>(Logged(wnd, msg).size()); }
  void ClearLog() { m_log.clear(); }
  void Pump() { ProcessPendingMessages(); }

  std::vector<TLoggedMessage> m_log;

 private:
  THeadlessBackend* m_backend = nullptr;
};

}  // namespace tsm
