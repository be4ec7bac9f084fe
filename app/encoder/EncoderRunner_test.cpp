// The runner's rules against a scripted channel: what the "encoder" prints
// and whether it runs are set by each test, tick by tick.
#include "app/encoder/EncoderRunner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "app/encoder/TestChannel.h"
#include "app/encoder/TestJobs.h"
#include "app/encoder/TestRunnerHost.h"
#include "platform/os/FileSystem.h"

namespace tsm {

namespace {

std::string Pos(int percent) {
  char line[96];
  std::snprintf(line, sizeof line, "Pos:   1.0s     25f (%2d%%)  0.00fps Trem:   0min   0mb  A-V:0.000 [0:0]\r", percent);
  return line;
}

const char kSummary[] =
    "\nFlushing video frames.\nWriting index...\n\nVideo stream:  667.616 kbit/s  (83452 B/s)  size: 247018 bytes"
    "  2.960 secs  74 frames\n\nAudio stream:  127.999 kbit/s  (15999 B/s)  size: 48483 bytes  3.030 secs\n";

class RunnerTest : public ::testing::Test {
 protected:
  RunnerTest() : runner(host, MakeChannel()) {
    table.Add("a.avi");
    table.Add("b.avi");
    table.Move(0);
    runner.SetJobTable(&table.table);
    runner.SetStopWaitMs(0);
  }
  std::unique_ptr<IEncoderChannel> MakeChannel() {
    auto c = std::make_unique<TScriptedChannel>();
    channel = c.get();
    return c;
  }
  void Start(const std::string& name, bool range = false) {
    runner.SetRunningJobName(name);
    TCommandInputs in;
    in.sourcePath = "/src/" + name + ".mpg";
    in.targetFolder = "/out";
    in.targetName = name;
    in.range = range;
    in.durationMinutes = range ? 1 : 0;
    runner.StartConversion(in);
  }
  // One tick with what the encoder printed since the last one.
  void Tick(const std::string& printed, bool running) {
    channel->pending += printed;
    channel->running = running;
    runner.PollTick();
  }

  TRecordingHost host;
  TScriptedChannel* channel = nullptr;
  TTestJobs table;
  TEncoderRunner runner;
};

}  // namespace

TEST_F(RunnerTest, StartSendsOneLineAndStartsPolling) {
  channel->pending = "left over from before";
  channel->running = true;  // an encoder still running from before
  Start("a.avi");
  EXPECT_EQ(channel->ended, (std::vector<std::string>{"mencoder.exe"}));
  ASSERT_EQ(channel->sent.size(), 1u);
  EXPECT_EQ(channel->sent[0], "mencoder.exe -noodml \"/src/a.avi.mpg\" -of avi -o \"/out/a.avi\" \n");
  EXPECT_EQ(channel->pending, "");
  EXPECT_TRUE(host.timer);
  EXPECT_TRUE(runner.Polling());
  EXPECT_FALSE(runner.Finished());
  EXPECT_EQ(host.gauge, 0);
  EXPECT_EQ(runner.TargetPath(), "/out/a.avi");
}

TEST_F(RunnerTest, ProgressIsPercentPlusOneOnlyGrowsAndStopsBelowOneHundred) {
  Start("b.avi");
  Tick("", true);
  EXPECT_EQ(table.Progress(1), "");
  EXPECT_FALSE(table.Editing());

  Tick(Pos(5), true);
  EXPECT_EQ(runner.Gauge(), 6);
  EXPECT_EQ(table.Progress(1), "6%");  // found by its target name
  EXPECT_EQ(table.Status(1), "未完成");
  EXPECT_TRUE(table.Editing());
  EXPECT_EQ(host.cursor, TScreenCursor::Hourglass);

  Tick(Pos(3), true);  // lower: ignored
  EXPECT_EQ(table.Progress(1), "6%");
  Tick(Pos(5), true);  // equal: written again
  EXPECT_EQ(runner.Gauge(), 6);
  Tick(Pos(98), true);
  EXPECT_EQ(table.Progress(1), "99%");
  Tick(Pos(99), true);  // 99 and above: ignored
  EXPECT_EQ(table.Progress(1), "99%");
  Tick("Pos:   3.0s     75f (100%)\r", true);  // reads as 10
  EXPECT_EQ(table.Progress(1), "99%");
  EXPECT_EQ(table.Progress(0), "");
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(RunnerTest, HeaderParenthesesAreNotProgress) {
  Start("a.avi");
  Tick("videocodec: libavcodec (640x360 fourcc=34504d46 [FMP4])\nPos:   0.0s      1f ( 2%)\r", true);
  EXPECT_EQ(table.Progress(0), "3%");
}

TEST_F(RunnerTest, ANonNumericProgressSkipsTheRestOfTheTick) {
  Start("a.avi");
  Tick(Pos(40), true);
  Tick(std::string("Pos:   2.0s     50f (xx%)\r") + kSummary, false);  // no end test on this tick
  EXPECT_TRUE(runner.Polling());
  EXPECT_EQ(table.Progress(0), "41%");
  Tick("", false);  // the summary was noted: the next tick ends the job
  EXPECT_EQ(table.Progress(0), "100%");
  EXPECT_EQ(table.Status(0), "已完成");
}

TEST_F(RunnerTest, EndWithAudioSummary) {
  int ended = 0;
  runner.OnJobEnded = [&] {
    ++ended;
    EXPECT_FALSE(runner.AutoStartLatch());
  };
  host.startEnabled = false;
  Start("a.avi");
  Tick(Pos(50), true);
  Tick(kSummary, true);  // summary printed, encoder still writing: not yet
  EXPECT_EQ(table.Status(0), "未完成");
  Tick("", false);
  EXPECT_EQ(table.Progress(0), "100%");
  EXPECT_EQ(table.Status(0), "已完成");
  EXPECT_TRUE(table.Editing());  // stays in edit until the next start moves on
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(runner.Finished());
  EXPECT_FALSE(runner.Polling());
  EXPECT_FALSE(host.timer);
  EXPECT_EQ(runner.Gauge(), 0);
  EXPECT_EQ(runner.LastPercentage(), 0);
  EXPECT_EQ(runner.LastOutput(), "");
  EXPECT_TRUE(host.startEnabled);
  EXPECT_FALSE(host.stopEnabled);
  EXPECT_EQ(host.cursor, TScreenCursor::Default);
  EXPECT_TRUE(host.errors.empty());
  runner.PollTick();  // a stray tick after the end changes nothing
  EXPECT_EQ(ended, 1);
}

TEST_F(RunnerTest, VideoOnlySummaryEndsTheJobToo) {
  Start("a.avi");
  Tick(Pos(60), true);
  Tick("\nVideo stream:  223.360 kbit/s  (27920 B/s)  size: 83760 bytes  3.000 secs  77 frames\n", false);
  EXPECT_EQ(table.Status(0), "已完成");
}

TEST_F(RunnerTest, ASummarySplitBetweenTwoReadsIsFound) {
  Start("a.avi");
  Tick(Pos(70) + "\nAudio str", true);
  Tick("eam:  127.999 kbit/s  (15999 B/s)  size: 48483 bytes  3.030 secs\n", true);
  Tick("\n", false);  // blank output does not replace the last output
  EXPECT_EQ(table.Status(0), "已完成");
}

TEST_F(RunnerTest, OutputPrintedJustBeforeTheEncoderEndedIsReadBeforeJudging) {
  Start("a.avi");
  Tick(Pos(90), true);
  // The encoder prints its summary and ends between the read and the test.
  channel->onRunningTest = [&] {
    channel->pending += kSummary;
    channel->running = false;
    channel->onRunningTest = nullptr;
  };
  runner.PollTick();
  EXPECT_EQ(table.Status(0), "已完成");
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(RunnerTest, AnEncoderGoneWithoutSummaryHasFailed) {
  runner.SetAutoStartLatch(true);
  Start("a.avi");
  Tick(Pos(30), true);
  Tick("Exiting... (error)\n", false);
  EXPECT_EQ(host.errors, (std::vector<std::string>{"转换失败!"}));
  EXPECT_FALSE(runner.Polling());
  EXPECT_EQ(table.Progress(0), "31%");
  EXPECT_EQ(table.Status(0), "未完成");
  EXPECT_TRUE(runner.AutoStartLatch());  // the batch does not go on by itself
  EXPECT_EQ(host.cursor, TScreenCursor::Default);
}

TEST_F(RunnerTest, NamesCarryingTheEncodersWordsDoNotChangeTheOutcome) {
  Start("a.avi");
  Tick("Playing /v/Pos:   1.0s     25f (98%)/a.mpg.\n"
       "File not found: '/v/Audio stream:  155.736 kbit/s  (19466 B/s)  size: 39665 bytes  2.038 secs/a.mpg'\n"
       "Failed to open /v/============ Sorry, this file format is not recognized/supported ===/a.mpg.\n",
       true);
  EXPECT_EQ(table.Progress(0), "");
  EXPECT_EQ(host.cursor, TScreenCursor::Default);
  Tick("Cannot open output file '/v/Video stream: out/a.avi'.\n\nExiting...\n", false);
  EXPECT_EQ(host.errors, (std::vector<std::string>{"转换失败!"}));
  EXPECT_EQ(table.Status(0), "未完成");
}

TEST_F(RunnerTest, EvenNinetyEightPercentWithoutSummaryIsNoSuccess) {
  Start("a.avi");
  Tick(Pos(98), true);
  Tick("", false);
  EXPECT_EQ(host.errors, (std::vector<std::string>{"转换失败!"}));
  EXPECT_EQ(table.Status(0), "未完成");
}

TEST_F(RunnerTest, TheShellsOwnErrorCountsAsOutputOfAFailedJob) {
  Start("a.avi");
  Tick("cmd.exe: 1: mencoder.exe: not found\n", false);  // never ran
  EXPECT_EQ(host.errors, (std::vector<std::string>{"转换失败!"}));
}

TEST_F(RunnerTest, UnsupportedSourceStopsPollingAndNeverFinishesTheJob) {
  for (bool range : {false, true}) {
    host.errors.clear();
    table.Move(0);
    Start("a.avi", range);
    Tick("============ Sorry, this file format is not recognized/supported =============\n", false);
    EXPECT_EQ(host.errors, (std::vector<std::string>{"不支持的源文件格式!"})) << range;
    EXPECT_FALSE(runner.Polling());
    EXPECT_EQ(table.Status(0), "未完成");
    runner.PollTick();  // stopped: nothing more
    EXPECT_EQ(host.errors.size(), 1u);
  }
}

TEST_F(RunnerTest, RangeJobWaitsForTheEncoderToStartThenEndsAndMovesOn) {
  Start("a.avi", true);
  Tick("", false);  // the shell has not started the encoder yet
  Tick("", false);
  EXPECT_TRUE(runner.Polling());
  EXPECT_EQ(table.Status(0), "未完成");
  Tick("", true);  // now it runs, silently
  Tick(kSummary, false);
  EXPECT_EQ(table.Progress(0), "100%");
  EXPECT_EQ(table.Status(0), "已完成");
  EXPECT_EQ(table.Row(), 1);  // the finished record was stored by moving on
  EXPECT_FALSE(table.Editing());
}

TEST_F(RunnerTest, RangeJobWhoseEncoderEndsWithoutSummaryFailed) {
  Start("a.avi", true);
  Tick("", true);
  Tick("", false);
  EXPECT_EQ(host.errors, (std::vector<std::string>{"转换失败!"}));
  EXPECT_EQ(table.Status(0), "未完成");
  EXPECT_EQ(table.Row(), 0);
}

TEST_F(RunnerTest, UpdateJobFindsTheRunningJobByItsTargetName) {
  TTestJobs t;
  t.Add("same.avi");
  t.Add("other.avi");
  t.Add("same.avi");
  runner.SetRunningJobName("same.avi");
  t.Move(2);
  runner.UpdateJob(12, t.table);  // the cursor stands on one of them: that one
  EXPECT_EQ(t.Progress(2), "12%");
  EXPECT_EQ(t.Progress(0), "");
  t.Move(1);
  runner.UpdateJob(13, t.table);  // elsewhere: the first in table order
  EXPECT_EQ(t.Row(), 0);
  EXPECT_EQ(t.Progress(0), "13%");
  EXPECT_EQ(t.Progress(1), "");
  runner.UpdateJob(100, t.table);
  EXPECT_EQ(t.Status(0), "已完成");
  runner.SetRunningJobName("removed.avi");
  t.Move(1);
  runner.UpdateJob(50, t.table);  // no such job: no other job is written
  EXPECT_EQ(t.Progress(1), "");
  EXPECT_EQ(t.Row(), 1);
}

TEST_F(RunnerTest, AJobKnownByItsBookmarkGetsItsProgressWhereverTheCursorIs) {
  TTestJobs t;
  t.Add("same.avi");
  t.Add("same.avi");
  t.Add("other.avi");
  runner.SetJobTable(&t.table);
  t.Move(1);
  runner.SetRunningJobBookmark(t.table.Bookmark());
  Start("same.avi", true);
  t.Move(2);  // the user looks at another job
  Tick(Pos(30), true);
  EXPECT_EQ(t.Progress(1), "31%");
  EXPECT_EQ(t.Progress(0), "");  // not the first job of that name
  EXPECT_EQ(t.Row(), 2);
  EXPECT_FALSE(t.Editing());  // stored at once
  Tick(kSummary, false);
  EXPECT_EQ(t.Status(1), "已完成");
  EXPECT_EQ(t.Row(), 2);  // the range job's end does not move the cursor either
  runner.SetJobTable(&table.table);
}

TEST_F(RunnerTest, OneShellServesWhileItLives) {
  EXPECT_TRUE(runner.EnsureShell());
  EXPECT_FALSE(runner.EnsureShell());
  EXPECT_EQ(channel->shells, 1);
  channel->alive = false;  // the shell has gone
  EXPECT_TRUE(runner.EnsureShell());
  EXPECT_EQ(channel->shells, 2);
}

TEST_F(RunnerTest, AShellThatCannotTakeTheCommandFailsAtOnce) {
  channel->sendWorks = false;
  Start("a.avi");
  EXPECT_EQ(host.errors, (std::vector<std::string>{"转换失败!"}));
  EXPECT_FALSE(runner.Polling());
}

TEST_F(RunnerTest, SilentStopEndsTheEncoderDeletesThePartialFileAndKeepsTheLatch) {
  char pattern[] = "/tmp/tm_runner_test.XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  runner.SetRunningJobName("part.avi");
  TCommandInputs in;
  in.sourcePath = "/src/x.mpg";
  in.targetFolder = dir;
  in.targetName = "part.avi";
  runner.StartConversion(in);
  ASSERT_TRUE(WriteFileAtomically(dir + "/part.avi", "partial"));
  Tick(Pos(20), true);
  runner.SetAutoStartLatch(true);
  channel->pending = "more output";
  runner.SilentStop();
  EXPECT_EQ(channel->ended, (std::vector<std::string>{"mencoder.exe"}));
  EXPECT_FALSE(PathExists(dir + "/part.avi"));
  EXPECT_EQ(channel->pending, "");
  EXPECT_FALSE(runner.Polling());
  EXPECT_EQ(host.cursor, TScreenCursor::Default);
  EXPECT_TRUE(host.startEnabled);
  EXPECT_FALSE(host.stopEnabled);
  EXPECT_EQ(runner.Gauge(), 0);
  EXPECT_TRUE(runner.AutoStartLatch());
  EXPECT_EQ(table.Status(0), "未完成");

  // Without a running encoder the target file is left alone.
  ASSERT_TRUE(WriteFileAtomically(dir + "/part.avi", "finished earlier"));
  runner.SilentStop();
  EXPECT_TRUE(PathExists(dir + "/part.avi"));
  std::system(("rm -rf '" + dir + "'").c_str());
}

TEST_F(RunnerTest, ShutdownEndsTheEncoderThenTheShells) {
  runner.StartShell();
  Start("a.avi");
  channel->running = true;
  runner.Shutdown();
  EXPECT_EQ(channel->ended, (std::vector<std::string>{"mencoder.exe", "cmd.exe", "CMD.EXE"}));
  EXPECT_EQ(channel->closes, 1);
  EXPECT_FALSE(host.timer);
}

}  // namespace tsm
