// The SDL2 backend's drop events become one WM_DROPFILES, on SDL's
// offscreen video driver (no display needed): BEGIN, the files, COMPLETE
// make one drop; a file without BEGIN and COMPLETE is a drop of its own;
// text drops are ignored.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/window/SdlBackend.h"
#include "platform/window/WindowApi.h"

namespace tsm {
namespace {

void Push(uint32_t type, const char* file = nullptr) {
  SDL_Event e{};
  e.type = type;
  e.drop.file = file ? SDL_strdup(file) : nullptr;
  e.drop.windowID = 0;  // none: the window under the pointer takes it
  SDL_PushEvent(&e);
}

TEST(SdlDrop, DropEventsBecomeOneMessageForTheAcceptingWindow) {
  ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
  auto backend = TSdlBackend::Create();
  ::unsetenv("SDL_VIDEODRIVER");
  if (!backend) GTEST_SKIP() << "SDL has no offscreen video driver here";
  TWindowSystem::Initialize(std::move(backend));
  std::vector<std::vector<std::string>> drops;
  TWindowCreateParams p;
  p.Style = WS_POPUP | WS_VISIBLE;
  p.ExStyle = WS_EX_ACCEPTFILES;
  p.Bounds = GetWorkArea();  // wherever the pointer is reported
  p.Proc = [&](HWND h, uint32_t msg, WPARAM w, LPARAM l) -> LRESULT {
    if (msg == WM_DROPFILES) drops.push_back(DragQueryFiles(w));
    return DefWindowProc(h, msg, w, l);
  };
  ASSERT_TRUE(CreateWindowEx(p));
  ProcessPendingMessages();

  Push(SDL_DROPBEGIN);
  Push(SDL_DROPFILE, "/视频/一 集.mp4");
  Push(SDL_DROPTEXT, "some text");
  Push(SDL_DROPFILE, "/v/b.mkv");
  Push(SDL_DROPCOMPLETE);
  Push(SDL_DROPFILE, "/v/alone.avi");
  for (int i = 0; i < 20 && drops.size() < 2; ++i) {
    TWindowSystem::Instance().Backend().Poll();
    ProcessPendingMessages();
  }
  ASSERT_EQ(drops.size(), 2u);
  EXPECT_EQ(drops[0], (std::vector<std::string>{"/视频/一 集.mp4", "/v/b.mkv"}));
  EXPECT_EQ(drops[1], std::vector<std::string>{"/v/alone.avi"});
  TWindowSystem::Shutdown();
}

}  // namespace
}  // namespace tsm
