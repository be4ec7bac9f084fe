// The verdict on a job, the expected length, and reading the identify runs.
#include "app/encoder/JobOutcome.h"

#include <gtest/gtest.h>

#include "app/encoder/MediaProbe.h"

namespace tsm {

namespace {

TJobFacts GoodFacts() {
  TJobFacts f;
  f.summary = true;
  f.exitStatus = 0;
  f.verifyOutput = true;
  f.outputBytes = 1000;
  f.outputSeconds = 10.0;
  f.expectedSeconds = 10.4;
  return f;
}

}  // namespace

TEST(JobOutcome, OnlyAJobPassingEveryCheckIsDoneAndTheFirstFailingCheckIsTheReason) {
  EXPECT_TRUE(JudgeJob(GoodFacts()).Done());
  struct TCase {
    void (*change)(TJobFacts&);
    TJobFailure failure;
  };
  const TCase cases[] = {
      {[](TJobFacts& f) { f.unsupported = true; f.summary = false; f.exitStatus = 1; }, TJobFailure::Unsupported},
      {[](TJobFacts& f) { f.exitStatus = 137; f.summary = false; }, TJobFailure::ExitStatus},  // killed
      {[](TJobFacts& f) { f.exitStatus = 1; }, TJobFailure::ExitStatus},
      {[](TJobFacts& f) { f.summary = false; }, TJobFailure::NoSummary},
      {[](TJobFacts& f) { f.outputBytes = -1; f.outputSeconds = -1; }, TJobFailure::NoOutput},
      {[](TJobFacts& f) { f.outputBytes = 0; }, TJobFailure::EmptyOutput},
      {[](TJobFacts& f) { f.outputSeconds = -1; }, TJobFailure::UnreadableOutput},
      {[](TJobFacts& f) { f.outputSeconds = 9.3; }, TJobFailure::WrongLength},   // cut off
      {[](TJobFacts& f) { f.outputSeconds = 11.5; }, TJobFailure::WrongLength},  // longer than the range
      {[](TJobFacts& f) { f.expectedSeconds = -1; f.outputSeconds = 0; }, TJobFailure::WrongLength},
  };
  for (const TCase& c : cases) {
    TJobFacts f = GoodFacts();
    c.change(f);
    EXPECT_EQ(JudgeJob(f).failure, c.failure) << static_cast<int>(c.failure);
  }
  // Within the tolerance, and an unknown expected length with some output.
  TJobFacts f = GoodFacts();
  f.outputSeconds = 11.4;
  EXPECT_TRUE(JudgeJob(f).Done());
  f.expectedSeconds = -1;
  EXPECT_TRUE(JudgeJob(f).Done());
  // Without verification the files are not looked at; without a report the status is not.
  f = GoodFacts();
  f.verifyOutput = false;
  f.outputBytes = -1;
  f.exitStatus = -1;
  EXPECT_TRUE(JudgeJob(f).Done());
}

TEST(JobOutcome, ExpectedLengthIsTheRangeCutWhereTheSourceEndsOrTheSourcesLength) {
  EXPECT_DOUBLE_EQ(ExpectedSeconds(false, 0, 0, 70.5), 70.5);
  EXPECT_DOUBLE_EQ(ExpectedSeconds(false, 0, 0, -1), -1);
  EXPECT_DOUBLE_EQ(ExpectedSeconds(true, 60, 60, 70), 10);     // the source ends first
  EXPECT_DOUBLE_EQ(ExpectedSeconds(true, 0, 60, 70), 60);
  EXPECT_DOUBLE_EQ(ExpectedSeconds(true, 120, 60, 70), 0);     // starts after the end
  EXPECT_DOUBLE_EQ(ExpectedSeconds(true, 0, 60, -1), 60);      // source length unknown
}

TEST(JobOutcome, ReasonsNameTheFailedCheckWithItsFigures) {
  TJobOutcome o;
  o.failure = TJobFailure::ExitStatus;
  o.exitStatus = 137;
  EXPECT_EQ(DescribeOutcome(o, false), "the encoder was ended by signal 9");
  EXPECT_EQ(DescribeOutcome(o, true), "编码器被信号 9 终止");
  o.exitStatus = 2;
  EXPECT_EQ(DescribeOutcome(o, false), "the encoder exited with status 2");
  o.failure = TJobFailure::WrongLength;
  o.outputSeconds = 3.5;
  o.expectedSeconds = 8;
  EXPECT_EQ(DescribeOutcome(o, false), "the output plays 3.50 s instead of 8.00 s");
  EXPECT_EQ(DescribeOutcome(o, true), "目标文件时长 3.50 秒, 应为 8.00 秒");
  EXPECT_EQ(DescribeOutcome(TJobOutcome(), true), "已完成");
}

TEST(MediaProbe, LengthsAreReadFromTheIdentifyLinesAndTheCopiedVideoSummary) {
  EXPECT_DOUBLE_EQ(ParseIdentifyLength("ID_VIDEO_ID=0\nID_LENGTH=5.00\nID_SEEKABLE=1\n"), 5.0);
  EXPECT_DOUBLE_EQ(ParseIdentifyLength("ID_LENGTH=0.00\n"), -1);  // unknown
  EXPECT_DOUBLE_EQ(ParseIdentifyLength("connect: No such file\n"), -1);
  EXPECT_DOUBLE_EQ(ParseCopiedVideoLength("Writing index...\n\nVideo stream:  613.833 kbit/s  (76729 B/s)  size: "
                                          "73660 bytes  0.960 secs  24 frames\n\nAudio stream:  119.900 kbit/s  "
                                          "(14987 B/s)  size: 21533 bytes  1.437 secs\n"),
                   0.96);
  EXPECT_DOUBLE_EQ(ParseCopiedVideoLength("Audio stream:  119.900 kbit/s  (14987 B/s)  size: 21533 bytes  1.437 secs\n"), -1);
  EXPECT_DOUBLE_EQ(ParseCopiedVideoLength("Video stream:     -nan kbit/s  (-2147483648 B/s)  size: 0 bytes  0.000 secs  0 frames\n"), 0);
  // A file name that reads like the summary is not the summary.
  EXPECT_DOUBLE_EQ(ParseCopiedVideoLength("Cannot open 'Video stream:  1.0 kbit/s  (1 B/s)  size: 1 bytes  9.0 secs  1 frames'\n"), -1);
}

}  // namespace tsm
