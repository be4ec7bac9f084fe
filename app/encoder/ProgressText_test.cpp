#include "app/encoder/ProgressText.h"

#include <gtest/gtest.h>

namespace tsm {

namespace {
TProgressReading Percent(int p) { return {TProgressKind::Percent, p}; }
}  // namespace

TEST(ProgressText, ReadsTheTwoCharactersAfterTheParenthesis) {
  EXPECT_EQ(ReadProgress("Pos:   0.2s      6f ( 5%)  0.00fps Trem:   0min   0mb  A-V:0.000 [0:0]\r"), Percent(5));
  EXPECT_EQ(ReadProgress("Pos:   2.4s     61f (81%)  0.00fps\r"), Percent(81));
  EXPECT_EQ(ReadProgress("Pos:   0.0s      1f ( 0%)\r"), Percent(0));
  EXPECT_EQ(ReadProgress("Pos:   3.0s     75f (100%)\r"), Percent(10));  // only two characters are read
  EXPECT_EQ(ReadProgress("Pos: 1.0s (ab%)\r").kind, TProgressKind::NotANumber);
  EXPECT_EQ(ReadProgress("Pos: 1.0s no parenthesis\r").kind, TProgressKind::NotANumber);
  EXPECT_EQ(ReadProgress("Pos: 1.0s (00%)\r").kind, TProgressKind::NotANumber);  // neither "0" nor non-zero
  EXPECT_EQ(ReadProgress("no progress here (12%)\n").kind, TProgressKind::None);
  EXPECT_EQ(ReadProgress("").kind, TProgressKind::None);
}

TEST(ProgressText, TakesTheNewestCompleteProgressLineNotTheHeaders) {
  const std::string chunk =
      "VIDEO:  [I420]  320x240  12bpp  25.000 fps    0.0 kbps ( 0.0 kbyte/s)\n"
      "videocodec: libavcodec (640x360 fourcc=34504d46 [FMP4])\n"
      "Pos:   0.0s      1f (14%)  0.00fps\rPos:   0.1s      2f (29%)  0.00fps\r"
      "Pos:   0.1s      3f (3";  // cut in the middle of a line
  EXPECT_EQ(ReadProgress(chunk), Percent(29));
  EXPECT_EQ(ReadProgress("Pos:   0.1s      3f (3"), Percent(3));  // no complete line: the last one
  EXPECT_EQ(ReadProgress("Pos: a (4%)\r\n\nSkipping frame!\nPos: b (47%)\n\nFlushing video frames.\n"), Percent(47));
}

TEST(ProgressText, EndSummaryIsAudioOrVideoStream) {
  EXPECT_TRUE(HasEndSummary("\nVideo stream:  223.360 kbit/s  (27920 B/s)  size: 83760 bytes  3.000 secs  77 frames\n"));
  EXPECT_TRUE(HasEndSummary("Audio stream:  127.999 kbit/s"));
  EXPECT_FALSE(HasEndSummary("Writing index...\nWriting header...\n"));
}

}  // namespace tsm
