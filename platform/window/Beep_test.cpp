// The beep is counted on every backend and silent without a display.

#include <gtest/gtest.h>

#include "platform/window/Beep.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

namespace tsm {
namespace {

TEST(BeepTest, EveryBeepIsCountedWithOrWithoutAWindowSystem) {
  const uint64_t before = BeepCount();
  MessageBeep();
  TWindowSystem::Initialize(std::make_unique<THeadlessBackend>());
  MessageBeep(0x10);
  TWindowSystem::Shutdown();
  EXPECT_EQ(BeepCount(), before + 2);
}

}  // namespace
}  // namespace tsm
