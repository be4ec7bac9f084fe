// Pairing of presses and releases read from a native backend.

#include "platform/window/PointerTracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tsm {

namespace {

constexpr uint32_t kLeft = MouseButtonBit(TMouseButton::Left);
constexpr uint32_t kRight = MouseButtonBit(TMouseButton::Right);

// "down L 1,2" / "up R 3,4" / "move 5,6" / "wheel -120 7,8"
std::string Describe(const TRawInput& in) {
  const char* b = in.Button == TMouseButton::Left ? "L" : in.Button == TMouseButton::Right ? "R" : "M";
  const std::string at = std::to_string(in.Pos.X) + "," + std::to_string(in.Pos.Y);
  switch (in.Kind) {
    case TRawInput::TKind::ButtonDown: return std::string("down ") + b + " " + at;
    case TRawInput::TKind::ButtonUp: return std::string("up ") + b + " " + at;
    case TRawInput::TKind::MouseMove: return "move " + at;
    case TRawInput::TKind::Wheel: return "wheel " + std::to_string(in.Delta) + " " + at;
    default: return "other";
  }
}

class PointerTracker : public ::testing::Test {
 protected:
  std::vector<std::string> m_out;
  TPointerTracker m_tracker{[this](TRawInput in) { m_out.push_back(Describe(in)); }};
};

}  // namespace

TEST_F(PointerTracker, OrderlyPressMoveReleasePassesThrough) {
  m_tracker.Press(TMouseButton::Left, {10, 20}, 0);
  EXPECT_EQ(m_tracker.Held(), kLeft);
  m_tracker.Motion({15, 25}, kLeft);
  m_tracker.Release(TMouseButton::Left, {16, 26}, kLeft);
  m_tracker.Wheel({16, 26}, -120);
  EXPECT_EQ(m_tracker.Held(), 0u);
  EXPECT_EQ(m_out, (std::vector<std::string>{"down L 10,20", "move 15,25", "up L 16,26", "wheel -120 16,26"}));
}

TEST_F(PointerTracker, MotionWithoutTheHeldButtonReleasesItFirst) {
  // The release went to another program; the next motion shows the button up.
  m_tracker.Press(TMouseButton::Left, {10, 20}, 0);
  m_tracker.Motion({300, 400}, 0);
  EXPECT_EQ(m_out, (std::vector<std::string>{"down L 10,20", "up L 300,400", "move 300,400"}));
  EXPECT_EQ(m_tracker.Held(), 0u);
}

TEST_F(PointerTracker, SecondPressOfAHeldButtonReleasesItFirst) {
  m_tracker.Press(TMouseButton::Left, {10, 20}, 0);
  m_tracker.Press(TMouseButton::Left, {50, 60}, 0);
  EXPECT_EQ(m_out, (std::vector<std::string>{"down L 10,20", "up L 50,60", "down L 50,60"}));
  EXPECT_EQ(m_tracker.Held(), kLeft);
}

TEST_F(PointerTracker, ButtonsAreTrackedIndependently) {
  m_tracker.Press(TMouseButton::Left, {1, 1}, 0);
  m_tracker.Press(TMouseButton::Right, {2, 2}, kLeft);  // left still down: nothing synthesised
  EXPECT_EQ(m_tracker.Held(), kLeft | kRight);
  // The right release reports left already up: left's release was lost.
  m_tracker.Release(TMouseButton::Right, {3, 3}, kRight);
  EXPECT_EQ(m_out, (std::vector<std::string>{"down L 1,1", "down R 2,2", "up L 3,3", "up R 3,3"}));
  EXPECT_EQ(m_tracker.Held(), 0u);
}

TEST_F(PointerTracker, ReleaseOfAButtonNeverSeenPressedIsDropped) {
  m_tracker.Release(TMouseButton::Left, {5, 5}, kLeft);
  m_tracker.Release(TMouseButton::Right, {5, 5}, kRight);
  EXPECT_TRUE(m_out.empty());
}

TEST_F(PointerTracker, ReconcileReleasesOnlyWhatTheQuerySaysIsUp) {
  m_tracker.Press(TMouseButton::Left, {1, 1}, 0);
  m_tracker.Press(TMouseButton::Right, {1, 1}, kLeft);
  m_out.clear();
  m_tracker.Reconcile({9, 9}, kLeft | kRight);
  EXPECT_TRUE(m_out.empty());
  m_tracker.Reconcile({9, 9}, kRight);
  EXPECT_EQ(m_out, (std::vector<std::string>{"up L 9,9"}));
  EXPECT_EQ(m_tracker.Held(), kRight);
  // The real release arriving afterwards is not reported twice.
  m_tracker.Release(TMouseButton::Left, {9, 9}, kLeft | kRight);
  EXPECT_EQ(m_out.size(), 1u);
}

}  // namespace tsm
