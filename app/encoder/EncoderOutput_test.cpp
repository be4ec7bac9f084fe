#include "app/encoder/EncoderOutput.h"

#include <gtest/gtest.h>

#include <string>

namespace tsm {

namespace {

const char kVideoSummary[] = "Video stream:  795.180 kbit/s  (99397 B/s)  size: 194819 bytes  1.960 secs  51 frames";

std::string Pos(int percent) {
  char line[64];
  std::snprintf(line, sizeof line, "Pos:   1.0s     25f (%2d%%)  0.00fps\r", percent);
  return line;
}

}  // namespace

TEST(EncoderOutput, LinesAreJudgedWhenCompleteWhereverTheReadsCutThem) {
  TEncoderOutput output;
  output.Reset({"/v/a.avi", "/out/a.avi"});
  EXPECT_EQ(output.Take("Pos:   1.0s     25f (1").progress.kind, TProgressKind::None);  // not ended yet
  EXPECT_EQ(output.Take("2%)  0.00fps\r").progress.percent, 12);
  EXPECT_FALSE(output.Take("\nVideo str").summary);
  EXPECT_TRUE(output.Take(std::string("eam:") + (kVideoSummary + 13) + "\n").summary);
  // A line cut in its middle is never read from the cut on.
  EXPECT_FALSE(output.Take("Failed to open /v/x ").summary);
  EXPECT_FALSE(output.Take(std::string(kVideoSummary) + ".\n").summary);
  // Reset drops what a job left unended.
  output.Take("Pos:   1.0s     25f (3");
  output.Reset({});
  EXPECT_EQ(output.Take("3%)\r").progress.kind, TProgressKind::None);
}

TEST(EncoderOutput, PathsWithLineBreaksAreNotTakenForLines) {
  const std::string folder = std::string("/v/x\n") + kVideoSummary + "\n" + Pos(97);
  const std::string source = folder + "/clip.avi";
  const std::string name = std::string("n\n============ ") + std::string(kUnsupportedSourceText) + " ===\n.avi";
  TEncoderOutput output;
  output.Reset({source, "/out/" + name});
  const std::string printed = "File not found: '" + source + "'\nFailed to open " + source +
                              ".\nCannot open output file '/tmp/" + name + "'.\nExiting...\n";
  // Whole, and in reads of every length: nothing but ordinary lines.
  for (size_t step : {printed.size(), size_t{1}, size_t{3}, size_t{7}, size_t{64}}) {
    output.Reset({source, "/out/" + name});
    for (size_t at = 0; at < printed.size(); at += step) {
      const TOutputFacts facts = output.Take(std::string_view(printed).substr(at, step));
      EXPECT_FALSE(facts.summary) << step << " at " << at;
      EXPECT_FALSE(facts.unsupported) << step << " at " << at;
      EXPECT_EQ(facts.progress.kind, TProgressKind::None) << step << " at " << at;
    }
  }
  // The encoder's own lines around them still count.
  output.Reset({source});
  EXPECT_TRUE(output.Take("Playing " + source + ".\n" + kVideoSummary + "\n").summary);
}

TEST(EncoderOutput, AnOverlongUnendedLineIsDroppedWithoutMakingALineStart) {
  TEncoderOutput output;
  output.Reset({});
  output.Take(std::string(TEncoderOutput::kLineLimit + 1, 'x'));
  EXPECT_FALSE(output.Take(std::string(kVideoSummary) + "\n").summary);  // the rest of that line
  EXPECT_TRUE(output.Take(std::string(kVideoSummary) + "\n").summary);
}

}  // namespace tsm
