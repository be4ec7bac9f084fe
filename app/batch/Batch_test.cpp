// tesmaro-batch: its options, and the program itself run end to end with
// the real shell and encoder on short clips that the tests make (ffmpeg, a
// test-only dependency). Every wait is bounded.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "app/batch/BatchOptions.h"
#include "app/encoder/JobCommand.h"
#include "framework/base/SysUtils.h"
#include "platform/os/ChildProcess.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
#include "platform/os/ProcessTable.h"

namespace tsm {

namespace {

using namespace std::chrono_literals;

TBatchOptions Parse(std::vector<std::string> args, std::string* error = nullptr) {
  TParsedArguments p = ParseBatchArguments(args, false);
  if (error != nullptr) *error = p.error;
  return p.options;
}

}  // namespace

TEST(BatchOptions, LongShortGroupedAbbreviatedAndAfterTheSources) {
  const TBatchOptions o = Parse({"a.mp4", "--resol=标清 640x480", "--quality", "高品质", "-a普通4:3", "-nqo", "/out",
                                 "-j", "auto", "--start", "0:5", "-d1:30", "--", "-x.mp4", "--quiet"});
  EXPECT_EQ(o.sources, (std::vector<std::string>{"a.mp4", "-x.mp4", "--quiet"}));
  EXPECT_EQ(*o.resolution, "标清 640x480");
  EXPECT_EQ(*o.quality, "高品质");
  EXPECT_EQ(*o.aspect, "普通4:3");
  EXPECT_EQ(*o.output, "/out");
  EXPECT_TRUE(o.dryRun);
  EXPECT_TRUE(o.quiet);
  EXPECT_TRUE(o.parallelAuto);
  EXPECT_EQ(o.start->minutes, 5);
  EXPECT_EQ(o.duration->hours, 1);
  EXPECT_EQ(o.duration->minutes, 30);
  EXPECT_EQ(Parse({"--jobs", "l.tsv", "-j3"}).parallel, 3);
}

TEST(BatchOptions, BadUsageIsNamed) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus", "a"}, "unrecognized option '--bogus'"},
      {{"--s", "a"}, "option '--s' is ambiguous"},  // --start, --save-jobs
      {{"-z", "a"}, "invalid option -- 'z'"},
      {{"a", "--output"}, "option '--output' requires an argument"},
      {{"--quiet=1", "a"}, "option '--quiet' doesn't allow an argument"},
      {{}, "missing source file operand"},
      {{"--jobs", "l.tsv", "a.mp4"}, "--jobs cannot be combined with source files"},
      {{"--start", "0:1", "a"}, "--start needs --duration"},
      {{"--duration", "0:0", "a"}, "--duration must be longer than 0:0"},
      {{"--duration", "11:0", "a"}, "invalid --duration \"11:0\": expected H:M (hours 0-10, minutes 0-60)"},
      {{"-j", "0", "a"}, "invalid --parallel \"0\": expected 1 to 64 or auto"},
  };
  for (const auto& [args, message] : cases) {
    std::string error;
    Parse(args, &error);
    EXPECT_EQ(error, message);
  }
  std::string error;
  Parse({"--help"}, &error);  // needs no source
  EXPECT_EQ(error, "");
  EXPECT_EQ(ParseBatchArguments({"--bogus"}, true).error, "无法识别的选项 \"--bogus\"");
}

TEST(JobCommand, TargetNamesAndSelfContainedCommands) {
  EXPECT_EQ(DeriveTargetName("/v/movie.rmvb"), "movie.avi");
  EXPECT_EQ(DeriveTargetName("/v/a.b.mp4"), "a.b.avi");
  EXPECT_EQ(DeriveTargetName("/v.d/movie"), ".avi");  // as the windows derive it
  EXPECT_TRUE(IsValidTargetName("a \"b\" $x `y`;?*:<>|.avi"));
  EXPECT_FALSE(IsValidTargetName("a/b.avi"));
  EXPECT_FALSE(IsValidTargetName(".."));
  EXPECT_FALSE(IsValidTargetName(std::string(256, 'a')));
  TCommandInputs in;
  in.sourcePath = "/v/a\nb $x.mp4";
  in.targetFolder = "/o";
  in.targetName = "it's.avi";
  in.options = "-ovc copy";
  EXPECT_EQ(SelfContainedCommandLine(in, "/p q/mencoder.exe"),
            "\"/p q/mencoder.exe\" -noodml $'/v/a\\012b $x.mp4' -of avi -o \"/o/it's.avi\" -ovc copy");
}

namespace {

std::string TempFolder() {
  char pattern[] = "/tmp/tm_batch.XXXXXX";
  return std::string(::mkdtemp(pattern)) + "/";
}

// A short source made by ffmpeg: a moving test picture with a tone.
std::string MakeSource(const std::string& path, double seconds) {
  TChildProcess p;
  const std::string d = std::to_string(seconds);
  EXPECT_TRUE(p.Start({"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "lavfi", "-i",
                       "testsrc2=size=160x120:rate=25:duration=" + d, "-f", "lavfi", "-i",
                       "sine=frequency=440:duration=" + d, "-t", d, "-c:v", "mpeg4", "-c:a", "libmp3lame", path}));
  std::string out;
  while (p.ReadAvailable(out)) WaitForReadable({p.OutputHandle()}, 100);
  int status = -1;
  while (!p.TryReap(status)) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(status, 0) << out;
  return path;
}

struct TRunResult {
  int status = -1;
  std::string out;  // standard output and error together
};

class BatchEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = TempFolder();
    ::setenv("XDG_STATE_HOME", (m_folder + "state").c_str(), 1);
    ::setenv("LANG", "C.UTF-8", 1);
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ASSERT_TRUE(FileExists(ProgramFolder() + "tesmaro-batch"));
  }
  void TearDown() override { std::system(("rm -rf '" + m_folder + "'").c_str()); }

  // Runs the program (at most limit); during() is called once when the
  // output first holds the text.
  TRunResult Batch(std::vector<std::string> args, std::chrono::seconds limit = 60s, const std::string& when = "",
                   const std::function<void(pid_t)>& during = nullptr) {
    args.insert(args.begin(), ProgramFolder() + "tesmaro-batch");
    TChildProcess p;
    TRunResult r;
    EXPECT_TRUE(p.Start(args));
    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool called = false;
    while (std::chrono::steady_clock::now() < deadline && p.ReadAvailable(r.out)) {
      WaitForReadable({p.OutputHandle()}, 50);
      if (during && !called && r.out.find(when) != std::string::npos) {
        called = true;
        during(p.Pid());
      }
    }
    if (p.Running() && !p.TryReap(r.status)) {
      for (int i = 0; i < 2000 && !p.TryReap(r.status); ++i) std::this_thread::sleep_for(5ms);
      if (p.Running()) p.Kill();
    }
    EXPECT_TRUE(!during || called) << r.out;
    return r;
  }

  std::string m_folder;
};

}  // namespace

TEST_F(BatchEndToEnd, ABatchOfThreeWithAnUnsupportedSourceExitsOneWithTheRightSummary) {
  MakeSource(m_folder + "one.mp4", 2);
  ASSERT_TRUE(WriteFileAtomically(m_folder + "two.mp4", std::string(6000, 'x')));
  MakeSource(m_folder + "three.mkv", 2);
  const TRunResult r = Batch({m_folder + "one.mp4", m_folder + "two.mp4", m_folder + "three.mkv"});
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("1   done "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("2   FAILED    0:00:0"), std::string::npos);
  EXPECT_NE(r.out.find("    unsupported source file format\n    log: " + m_folder + "state/tesmaro/logs/"),
            std::string::npos);
  EXPECT_NE(r.out.find("3   done "), std::string::npos);
  EXPECT_NE(r.out.find("2 done, 1 failed, 0 stopped, 0 not run, 0 skipped"), std::string::npos);
  EXPECT_TRUE(FileExists(m_folder + "one.avi"));
  EXPECT_FALSE(PathExists(m_folder + "two.avi"));  // a failed job leaves nothing
  EXPECT_TRUE(FileExists(m_folder + "three.avi"));
  EXPECT_EQ(ListFolder(m_folder + "state/tesmaro/logs").size(), 3u);
}

TEST_F(BatchEndToEnd, CtrlCStopsTheEncoderLeavesNoPartialFileAndExits130) {
  MakeSource(m_folder + "long.mp4", 60);
  ASSERT_TRUE(CreateFolders(m_folder + "out"));
  const TRunResult r = Batch({"--save-jobs", m_folder + "list.tsv", "-o", m_folder + "out", m_folder + "long.mp4"});
  ASSERT_EQ(r.status, 0) << r.out;
  const TRunResult run = Batch({"--jobs", m_folder + "list.tsv"}, 60s, "%", [](pid_t batch) {
    ::kill(batch, SIGINT);  // once
  });
  EXPECT_EQ(run.status, 130) << run.out;
  EXPECT_FALSE(PathExists(m_folder + "out/long.avi"));
  EXPECT_NE(run.out.find("0 done, 0 failed, 1 stopped"), std::string::npos) << run.out;
  for (const TProcessEntry& e : SnapshotProcesses())  // no encoder of ours is left
    EXPECT_FALSE(e.Alive() && e.imageName == "mencoder.exe" && e.parentPid == 1) << e.pid;
  // What was done is written back: the job is still pending.
  std::string list;
  ASSERT_TRUE(ReadFileBytes(m_folder + "list.tsv", list));
  EXPECT_NE(list.find("\t未完成\t"), std::string::npos) << list;
}

TEST_F(BatchEndToEnd, ThePreCheckListsEveryProblemOfAJobListAtOnceAndRunsNothing) {
  MakeSource(m_folder + "a.mp4", 1);
  MakeSource(m_folder + "b.avi", 1);
  ASSERT_TRUE(WriteFileAtomically(m_folder + "exists.avi", "x"));
  ASSERT_TRUE(CreateFolders(m_folder + "locked"));
  ::chmod((m_folder + "locked").c_str(), 0555);
  const std::string f = m_folder;
  auto line = [](const std::string& src, const std::string& dir, const std::string& name, const std::string& res) {
    return src + "\t" + dir + "\t" + name + "\t\t未完成\t" + res + "\t中品质\t普通4:3\t\t\t\t\tFalse\r\n";
  };
  const std::string list = "sourse_file\tmbl\tmbw\tjindu\tzhuangtai\tfbl\tzhpz\tkgb\tkss\tksf\tcxs\tcxf\tfzhfw\r\n" +
                           line(f + "missing.mp4", f, "m.avi", "标清 640x480") +         // 1 missing source
                           line(f + "a.mp4", f, "same.avi", "标清 640x480") +            // 2 and 3 one target
                           line(f + "a.mp4", f, "same.avi", "标清 640x480") +
                           line(f + "b.avi", f, "b.avi", "标清 640x480") +               // 4 target = source
                           line(f + "a.mp4", f, "exists.avi", "标清 640x480") +          // 5 target exists
                           line(f + "a.mp4", f + "nowhere", "n.avi", "标清 640x480") +   // 6 no folder
                           line(f + "a.mp4", f + "locked", "l.avi", "标清 640x480") +    // 7 not writable
                           line(f + "a.mp4", f, "r.avi", "8K 7680x4320");                // 8 unknown profile
  ASSERT_TRUE(WriteFileAtomically(f + "list.tsv", list));
  const TRunResult r = Batch({"--jobs", f + "list.tsv"});
  ::chmod((m_folder + "locked").c_str(), 0755);
  EXPECT_EQ(r.status, 2) << r.out;
  const std::string expected[] = {
      "job 1: the source does not exist: " + f + "missing.mp4",
      "jobs 2, 3 have the same target: " + f + "same.avi",
      "job 4: the target is its own source: " + f + "b.avi",
      "job 5: the target exists (--overwrite replaces it): " + f + "exists.avi",
      "job 6: the target folder does not exist: " + f + "nowhere",
      "job 8: no resolution \"8K 7680x4320\" in Converter.ini",
      "nothing was converted",
  };
  for (const std::string& e : expected) EXPECT_NE(r.out.find(e), std::string::npos) << e << "\n" << r.out;
  if (::geteuid() != 0) {  // root may write anywhere
    EXPECT_NE(r.out.find("job 7: the target folder is not writable: " + f + "locked"), std::string::npos);
  }
  EXPECT_EQ(r.out.find("started"), std::string::npos);
  for (const char* name : {"m.avi", "same.avi", "r.avi", "locked/l.avi"}) EXPECT_FALSE(PathExists(f + name)) << name;
  EXPECT_FALSE(PathExists(f + "state/tesmaro/logs"));
  std::string after;
  ASSERT_TRUE(ReadFileBytes(f + "list.tsv", after));
  EXPECT_EQ(after, list);  // a list that did not run is not rewritten
}

TEST_F(BatchEndToEnd, HostileFileNamesConvertCorrectly) {
  const std::string names[] = {"it's \"quoted\".mp4", "cost $HOME `id`.mp4", "a; rm -rf x.mp4", "line\nbreak.mp4",
                               "-dash.mp4", "中文 电影.mp4"};
  std::vector<std::string> args{"--"};
  for (const std::string& n : names) args.push_back(MakeSource(m_folder + n, 1));
  // Relative names too, from the folder (a leading "-" stays a name after "--").
  ASSERT_EQ(::chdir(m_folder.c_str()), 0);
  args.push_back("-dash.mp4");
  args[args.size() - 2] = m_folder + "中文 电影.mp4";
  ASSERT_TRUE(CreateFolders(m_folder + "out $x"));
  args.insert(args.begin(), {"-o", m_folder + "out $x"});
  const TRunResult r = Batch(args, 120s);
  // "-dash.mp4" comes twice (absolute and relative): one target, refused.
  EXPECT_EQ(r.status, 2) << r.out;
  EXPECT_NE(r.out.find("have the same target: " + m_folder + "out $x/-dash.avi"), std::string::npos) << r.out;
  args.pop_back();
  const TRunResult ok = Batch(args, 120s);
  EXPECT_EQ(ok.status, 0) << ok.out;
  for (const std::string& n : names) {
    const std::string target = m_folder + "out $x/" + DeriveTargetName(n);
    EXPECT_GT(FileSize(target), 1000) << n;
  }
  EXPECT_NE(ok.out.find("6 done, 0 failed"), std::string::npos) << ok.out;
  EXPECT_FALSE(PathExists(m_folder + "x"));
  ASSERT_EQ(::chdir("/"), 0);
}

TEST_F(BatchEndToEnd, AKilledEncoderIsAFailedJobNeverDone) {
  MakeSource(m_folder + "long.mp4", 60);
  const TRunResult r = Batch({m_folder + "long.mp4"}, 60s, "%", [](pid_t batch) {
    for (const TProcessEntry& e : ProcessesOfRoots(SnapshotProcesses(), {batch}))
      if (e.Alive() && e.imageName == "mencoder.exe" && e.pid > 0) ::kill(e.pid, SIGKILL);
  });
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("the encoder was ended by signal 9"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0 done, 1 failed"), std::string::npos);
  EXPECT_FALSE(PathExists(m_folder + "long.avi"));
}

TEST_F(BatchEndToEnd, JobListsRoundTripAndHelpVersionAndCommands) {
  MakeSource(m_folder + "a.mp4", 1);
  TRunResult r = Batch({"--save-jobs", m_folder + "l.tsv", "--start", "0:0", "--duration", "0:1", m_folder + "a.mp4"});
  ASSERT_EQ(r.status, 0) << r.out;
  r = Batch({"--dry-run", "--jobs", m_folder + "l.tsv"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("1: mencoder.exe  -ss 0:0:0 -endpos 0:1:0 -noodml \"" + m_folder + "a.mp4\" -of avi -o \"" +
                       m_folder + "a.avi\" -demuxer lavf "),
            std::string::npos)
      << r.out;
  r = Batch({"--jobs", m_folder + "l.tsv"});
  EXPECT_EQ(r.status, 0) << r.out;  // a 1 s source: the range is cut where it ends
  std::string list;
  ASSERT_TRUE(ReadFileBytes(m_folder + "l.tsv", list));
  EXPECT_NE(list.find("\t100%\t已完成\t"), std::string::npos) << list;
  r = Batch({"--jobs", m_folder + "l.tsv"});  // nothing pending any more
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("0 done, 0 failed, 0 stopped, 0 not run, 1 skipped"), std::string::npos) << r.out;

  r = Batch({"--print-commands", m_folder + "a.mp4"});
  EXPECT_EQ(r.out.rfind("\"" + ProgramFolder() + "mencoder.exe\" -noodml \"" + m_folder + "a.mp4\"", 0), 0u) << r.out;
  r = Batch({"--version"});
  EXPECT_EQ(r.out, "tesmaro-batch (Tesmaro) 2.0\n");
  r = Batch({"--help"});
  EXPECT_EQ(r.out.rfind("Usage: tesmaro-batch [OPTION]... SOURCE...", 0), 0u);
  ::setenv("LANG", "zh_CN.UTF-8", 1);
  r = Batch({"--help"});
  EXPECT_EQ(r.out.rfind("用法: tesmaro-batch [选项]... 源文件...", 0), 0u);
  r = Batch({"--bogus"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "tesmaro-batch: 无法识别的选项 \"--bogus\"\n请尝试执行 \"tesmaro-batch --help\" 来获取更多信息。\n");
}

}  // namespace tsm
