// The runner with a shell that reports each command's exit status, and a
// scripted media probe: a job ends the moment the report comes, and only a
// job whose encoder succeeded and whose output checks out is done. Every
// end leaves a log and an outcome.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "app/encoder/EncoderRunner.h"
#include "app/encoder/MediaProbe.h"
#include "app/encoder/TestChannel.h"
#include "app/encoder/TestJobs.h"
#include "app/encoder/TestRunnerHost.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

namespace tsm {

namespace {

class TScriptedProbe : public IMediaProbe {
 public:
  void Start(TProbeKind kind, const std::string& path) override { started.push_back({kind, path}); }
  bool Poll(TProbeKind kind, TProbeResult& result) override {
    if (!ready) return false;
    const bool ran = std::any_of(started.begin(), started.end(), [&](const auto& s) { return s.first == kind; });
    result.seconds = !ran ? -1 : kind == TProbeKind::Source ? sourceSeconds : outputSeconds;
    result.text = kind == TProbeKind::Source ? "ID_LENGTH\n" : "copied\n";
    return true;
  }
  void AddWaitHandles(std::vector<int>& fds) const override { fds.push_back(99); }
  void Cancel() override {
    started.clear();
    ++cancels;
  }

  std::vector<std::pair<TProbeKind, std::string>> started;
  bool ready = true;
  double sourceSeconds = 8, outputSeconds = 8;
  int cancels = 0;
};

const char kSummary[] =
    "\nVideo stream:  667.616 kbit/s  (83452 B/s)  size: 247018 bytes  2.960 secs  74 frames\n";

class VerifyTest : public ::testing::Test {
 protected:
  VerifyTest() {
    char pattern[] = "/tmp/tm_verify_test.XXXXXX";
    dir = ::mkdtemp(pattern);
    auto c = std::make_unique<TScriptedChannel>();
    channel = c.get();
    channel->reportsExit = true;
    runner = std::make_unique<TEncoderRunner>(host, std::move(c));
    auto p = std::make_unique<TScriptedProbe>();
    probe = p.get();
    runner->SetMediaProbe(std::move(p));
    runner->SetLogBook(std::make_unique<TJobLogBook>(dir + "/logs"));
    runner->SetJobTable(&table.table);
    runner->SetStopWaitMs(0);
    runner->OnJobOutcome = [this](const TJobOutcome& o) { outcomes.push_back(o); };
    table.Add("a.avi");
  }
  ~VerifyTest() override { std::system(("rm -rf '" + dir + "'").c_str()); }

  void Start(bool range = false) {
    runner->SetRunningJobName("a.avi");
    TCommandInputs in;
    in.sourcePath = dir + "/a.mpg";
    in.targetFolder = dir;
    in.targetName = "a.avi";
    in.range = range;
    in.startMinutes = range ? 1 : 0;
    in.durationMinutes = range ? 2 : 0;
    runner->StartConversion(in);
  }
  void Print(const std::string& text) {
    channel->pending += text;
    runner->PollTick();
  }
  void Output(const std::string& bytes) { ASSERT_TRUE(WriteFileAtomically(dir + "/a.avi", bytes)); }
  std::string Log() const {
    std::string text;
    EXPECT_FALSE(outcomes.empty());
    if (!outcomes.empty()) ReadFileBytes(outcomes.back().logPath, text);
    return text;
  }

  std::string dir;
  TRecordingHost host;
  TScriptedChannel* channel = nullptr;
  TScriptedProbe* probe = nullptr;
  TTestJobs table;
  std::unique_ptr<TEncoderRunner> runner;
  std::vector<TJobOutcome> outcomes;
};

}  // namespace

TEST_F(VerifyTest, TheCommandCarriesAMarkedExitReportAndTheSourceIsMeasuredAtTheStart) {
  Start();
  ASSERT_EQ(channel->sent.size(), 1u);
  const std::string mark = channel->ExitMark();
  ASSERT_FALSE(mark.empty());
  EXPECT_EQ(channel->sent[0], "mencoder.exe -noodml \"" + dir + "/a.mpg\" -of avi -o \"" + dir +
                                  "/a.avi\" \nprintf '\\n%s %d\\n' " + mark + " \"$?\"\n");
  ASSERT_EQ(probe->started.size(), 1u);
  EXPECT_EQ(probe->started[0], std::make_pair(TProbeKind::Source, dir + "/a.mpg"));
  Start();
  EXPECT_NE(channel->ExitMark(), mark);  // a new mark for every job
  std::vector<int> fds;
  runner->AddWaitHandles(fds);
  EXPECT_TRUE(fds.empty());  // the scripted channel has no descriptor; the probe is not read yet
  Output("x");
  probe->ready = false;
  Print(std::string(kSummary) + channel->ExitReport(0));
  runner->AddWaitHandles(fds);
  EXPECT_EQ(fds, std::vector<int>{99});  // now the identify runs are waited on
}

TEST_F(VerifyTest, AVerifiedJobIsDoneTheMomentTheReportArrivesWithoutTheProcessTable) {
  Start();
  int runningTests = 0;
  channel->onRunningTest = [&] { ++runningTests; };
  channel->running = true;  // the process table would still say so
  Print("Pos:   2.0s     50f (40%)\r");
  EXPECT_EQ(table.Progress(0), "41%");
  EXPECT_DOUBLE_EQ(runner->Position(), 2.0);
  Output(std::string(5000, 'v'));
  probe->outputSeconds = 7.5;  // within a second of the source's 8
  Print(std::string(kSummary) + channel->ExitReport(0));
  EXPECT_EQ(runningTests, 0);
  EXPECT_EQ(table.Status(0), "已完成");
  EXPECT_EQ(table.Progress(0), "100%");
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_TRUE(outcomes[0].Done());
  EXPECT_EQ(outcomes[0].outputBytes, 5000);
  EXPECT_DOUBLE_EQ(outcomes[0].expectedSeconds, 8);
  EXPECT_EQ(probe->started.back(), std::make_pair(TProbeKind::Output, dir + "/a.avi"));
  const std::string log = Log();
  EXPECT_NE(log.find("Pos:   2.0s     50f (40%)\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Video stream:"), std::string::npos);
  EXPECT_EQ(log.find("@tesmaro-exit"), std::string::npos);  // the report is noted as the status
  EXPECT_NE(log.find("exit status: 0\n"), std::string::npos);
  EXPECT_NE(log.find("result: 已完成 / done\n"), std::string::npos);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(VerifyTest, NoJobThatFailsACheckIsEverDone) {
  struct TCase {
    std::string printed;  // before the report
    int status;
    const char* output;   // nullptr: no file
    double seconds;
    TJobFailure failure;
    const char* message;
  };
  const TCase cases[] = {
      {"Pos:   2.0s     50f (40%)\r", 137, "partial", 2, TJobFailure::ExitStatus, "转换失败!"},  // killed
      {kSummary, 1, "x", 8, TJobFailure::ExitStatus, "转换失败!"},
      {"Exiting...\n", 0, "x", 8, TJobFailure::NoSummary, "转换失败!"},
      {kSummary, 0, nullptr, 8, TJobFailure::NoOutput, "转换失败!"},      // deleted meanwhile
      {kSummary, 0, "", 8, TJobFailure::EmptyOutput, "转换失败!"},        // every write failed
      {kSummary, 0, "junk", -1, TJobFailure::UnreadableOutput, "转换失败!"},
      {kSummary, 0, "cut", 3.2, TJobFailure::WrongLength, "转换失败!"},   // truncated
      {"============ Sorry, this file format is not recognized/supported ============\n", 1, nullptr, -1,
       TJobFailure::Unsupported, "不支持的源文件格式!"},
  };
  for (const TCase& c : cases) {
    host.errors.clear();
    outcomes.clear();
    DeleteFile(dir + "/a.avi");
    Start();
    if (c.output != nullptr) Output(c.output);
    probe->outputSeconds = c.seconds;
    Print(c.printed);
    EXPECT_TRUE(outcomes.empty()) << "judged before the encoder ended";
    Print(channel->ExitReport(c.status));
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].failure, c.failure) << c.printed;
    EXPECT_EQ(host.errors, std::vector<std::string>{c.message});
    EXPECT_EQ(table.Status(0), "未完成");
    EXPECT_NE(table.Progress(0), "100%");
    EXPECT_FALSE(runner->Polling());
    EXPECT_NE(Log().find("result: " + DescribeOutcome(outcomes[0], true)), std::string::npos);
  }
}

TEST_F(VerifyTest, ARangeJobMustPlayForItsDurationCutWhereTheSourceEnds) {
  probe->sourceSeconds = 100;  // 1:00 to 3:00 of a 100 s source: 40 s
  Output("x");
  Start(true);
  probe->outputSeconds = 120;
  Print(std::string(kSummary) + channel->ExitReport(0));
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(outcomes[0].failure, TJobFailure::WrongLength);
  EXPECT_DOUBLE_EQ(outcomes[0].expectedSeconds, 40);
  outcomes.clear();
  Start(true);
  probe->outputSeconds = 40.2;
  Print(std::string(kSummary) + channel->ExitReport(0));
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_TRUE(outcomes[0].Done());
}

TEST_F(VerifyTest, WhileTheIdentifyRunsGoTheJobIsNeitherDoneNorFailed) {
  Output("x");
  Start();
  probe->ready = false;
  Print(std::string(kSummary) + channel->ExitReport(0));
  EXPECT_TRUE(runner->Verifying());
  EXPECT_TRUE(runner->Polling());
  runner->PollTick();
  EXPECT_TRUE(outcomes.empty());
  EXPECT_EQ(table.Status(0), "未完成");
  probe->ready = true;
  runner->PollTick();
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_TRUE(outcomes[0].Done());
  EXPECT_FALSE(runner->Verifying());
}

TEST_F(VerifyTest, AStopDuringVerificationDeletesTheUnverifiedOutputAndAnnouncesAStoppedJob) {
  Output("complete perhaps");
  Start();
  probe->ready = false;
  Print(std::string(kSummary) + channel->ExitReport(0));
  ASSERT_TRUE(runner->Verifying());
  runner->SilentStop();
  EXPECT_FALSE(PathExists(dir + "/a.avi"));
  EXPECT_FALSE(runner->Verifying());
  EXPECT_FALSE(runner->Polling());
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(outcomes[0].failure, TJobFailure::Stopped);
  EXPECT_EQ(table.Status(0), "未完成");
  EXPECT_NE(Log().find("result: 已停止 / stopped"), std::string::npos);
}

TEST_F(VerifyTest, AStopWaitsForTheEncoderToGoBeforeDeletingThePartialFile) {
  Output("partial");
  Start();
  channel->running = true;
  Print("Pos:   2.0s     50f (40%)\r");
  // The shell reports the end a few reads after the encoder was ended: the
  // file must still be there until then.
  int readsAfterEnd = 0;
  channel->onBytesWaiting = [&] {
    if (channel->running || ++readsAfterEnd != 5) return;
    EXPECT_TRUE(PathExists(dir + "/a.avi"));
    channel->pending += channel->ExitReport(137);
  };
  runner->SilentStop();
  EXPECT_FALSE(PathExists(dir + "/a.avi"));
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(outcomes[0].failure, TJobFailure::Stopped);
  EXPECT_EQ(outcomes[0].exitStatus, 137);
}

}  // namespace tsm

namespace tsm {

// The source's identify run goes on beside its encoder and runs in the
// background; the output's only when the program asks (the batch, whose
// next encoder runs beside it). Stand-ins for both programs print the
// priority they run at (field 19 of their stat line) as their output.
TEST(MediaProbePriority, TheSourceRunIsInTheBackgroundTheOutputRunOnlyWhenAsked) {
  char pattern[] = "/tmp/tm_probe.XXXXXX";
  const std::string folder = std::string(::mkdtemp(pattern)) + "/";
  const std::string script = "#!/bin/sh\ncut -d' ' -f19 /proc/$$/stat\n";
  for (const char* name : {"mencoder.exe", "mplayer"}) {
    ASSERT_TRUE(WriteFileAtomically(folder + name, script));
    ::chmod((folder + name).c_str(), 0755);
  }
  const auto runText = [](TMediaProbe& probe, TProbeKind kind) {
    probe.Start(kind, "/nowhere");
    TProbeResult result;
    for (int i = 0; i < 5000 && !probe.Poll(kind, result); ++i) ::usleep(1000);
    return result.text;
  };
  const std::string ours = std::to_string(::getpriority(PRIO_PROCESS, 0)) + "\n";
  TMediaProbe probe(folder);
  EXPECT_EQ(runText(probe, TProbeKind::Source), "19\n");
  EXPECT_EQ(runText(probe, TProbeKind::Output), ours);
  probe.SetOutputChecksInBackground(true);
  EXPECT_EQ(runText(probe, TProbeKind::Output), "19\n");
  std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace tsm
