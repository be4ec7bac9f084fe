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
  EXPECT_EQ(ReadProgress("Pos:   1.0s     25f (ab%)\r").kind, TProgressKind::NotANumber);
  EXPECT_EQ(ReadProgress("Pos:   1.0s     25f (00%)\r").kind, TProgressKind::NotANumber);  // neither "0" nor non-zero
  EXPECT_EQ(ReadProgress("Pos:1234.5s 123456f ( 7%)\r"), Percent(7));  // the fields fill their width
  EXPECT_EQ(ReadProgress("Pos: 1.0s no parenthesis\r").kind, TProgressKind::None);  // not the progress form
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
  EXPECT_EQ(ReadProgress("Pos:   0.1s      2f ( 4%)\r\n\nSkipping frame!\nPos:   1.9s     47f (47%)\n\nFlushing video frames.\n"),
            Percent(47));
}

TEST(ProgressText, EndSummaryIsAudioOrVideoStream) {
  EXPECT_TRUE(HasEndSummary("\nVideo stream:  223.360 kbit/s  (27920 B/s)  size: 83760 bytes  3.000 secs  77 frames\n"));
  EXPECT_TRUE(HasEndSummary("\nAudio stream:  155.736 kbit/s  (19466 B/s)  size: 39665 bytes  2.038 secs\n"));
  // A run that encoded no frame still prints its summary.
  EXPECT_TRUE(HasEndSummary("Video stream:     -nan kbit/s  (-2147483648 B/s)  size: 0 bytes  0.000 secs  1 frames"));
  EXPECT_FALSE(HasEndSummary("Audio stream:  127.999 kbit/s"));  // cut short
  EXPECT_FALSE(HasEndSummary("Writing index...\nWriting header...\n"));
}

TEST(ProgressText, NamesCarryingTheEncodersWordsAreNotItsLines) {
  // The encoder echoes paths in its messages, inside a line.
  const std::string echoes =
      "File not found: '/v/Audio stream:  155.736 kbit/s  (19466 B/s)  size: 39665 bytes  2.038 secs/a.avi'\n"
      "Failed to open /v/Video stream: out/x.avi.\n"
      "Cannot open output file '/v/Pos:   1.0s     25f (50%)/x.avi'.\n"
      "Failed to open /v/============ Sorry, this file format is not recognized/supported ===/a.avi.\n";
  EXPECT_FALSE(HasEndSummary(echoes));
  EXPECT_FALSE(HasUnsupportedSource(echoes));
  EXPECT_EQ(ReadProgress(echoes).kind, TProgressKind::None);
  // The encoder's own lines.
  EXPECT_TRUE(HasUnsupportedSource(
      "LAVF_header: av_open_input_stream() failed\n"
      "============ Sorry, this file format is not recognized/supported =============\n"));
  EXPECT_FALSE(HasUnsupportedSource("Sorry, this file format is not recognized/supported by /v/a.avi\n"));
  EXPECT_FALSE(IsEndSummaryLine(" Video stream:  1.000 kbit/s  (125 B/s)  size: 1 bytes  1.000 secs  1 frames"));
  EXPECT_FALSE(IsEndSummaryLine("Video stream:  1.000 kbit/s  (125 B/s)  size: 1 bytes  1.000 secs  1 frames/x.avi"));
  EXPECT_FALSE(IsProgressLine("Pos: /v/x.avi (50%)"));
}

}  // namespace tsm
