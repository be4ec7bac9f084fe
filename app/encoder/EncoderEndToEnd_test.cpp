// End to end: the runner with the real /bin/sh and the real encoder (the
// program folder's mencoder.exe) on short clips that the tests make from raw
// frames. Every wait is bounded.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <thread>

#include "app/encoder/CommandLine.h"
#include "app/encoder/ConverterConfig.h"
#include "app/encoder/EncoderFiles.h"
#include "app/encoder/EncoderRunner.h"
#include "app/encoder/EncoderShell.h"
#include "app/encoder/TestJobs.h"
#include "app/encoder/TestRunnerHost.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/ProcessTable.h"

namespace tsm {

namespace {

using namespace std::chrono_literals;

std::string TempFolder() {
  char pattern[] = "/tmp/tm_e2e.XXXXXX";
  return std::string(::mkdtemp(pattern)) + "/";
}

void RemoveFolder(const std::string& folder) { std::system(("rm -rf '" + folder + "'").c_str()); }

// Runs a shell command with the program folder first in PATH; its output.
std::string RunShell(const std::string& command, int* status = nullptr) {
  const std::string full = "PATH='" + ExcludeTrailingPathDelimiter(ProgramFolder()) + "':\"$PATH\" " + command + " 2>&1";
  FILE* p = ::popen(full.c_str(), "r");
  std::string out;
  if (p == nullptr) return out;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
  const int rc = ::pclose(p);
  if (status != nullptr) *status = rc;
  return out;
}

// A source clip: moving I420 frames (and a stereo tone when withAudio),
// encoded to MPEG-4 AVI with a key frame every second.
std::string MakeClip(const std::string& folder, const std::string& name, double seconds, int width, int height,
                     int fps, bool withAudio) {
  const std::string raw = folder + name + ".yuv";
  {
    std::ofstream f(raw, std::ios::binary);
    const int frames = static_cast<int>(seconds * fps);
    std::string frame(static_cast<size_t>(width * height * 3 / 2), '\0');
    for (int i = 0; i < frames; ++i) {
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) frame[static_cast<size_t>(y * width + x)] = static_cast<char>((x + y + i * 5) & 0xFF);
      std::fill(frame.begin() + width * height, frame.end(), static_cast<char>((i * 3) & 0xFF));
      f.write(frame.data(), static_cast<std::streamsize>(frame.size()));
    }
  }
  std::string audio;
  if (withAudio) {
    const std::string wav = folder + name + ".wav";
    const int rate = 22050;
    const auto samples = static_cast<uint32_t>(seconds * rate);
    std::ofstream f(wav, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4); u32(36 + samples * 4); f.write("WAVEfmt ", 8); u32(16); u16(1); u16(2);
    u32(rate); u32(rate * 4); u16(4); u16(16); f.write("data", 4); u32(samples * 4);
    for (uint32_t s = 0; s < samples; ++s) {
      const auto v = static_cast<int16_t>(6000 * std::sin(s * 0.07));
      u16(static_cast<uint16_t>(v));
      u16(static_cast<uint16_t>(v));
    }
    audio = " -audiofile '" + wav + "' -oac pcm";
  }
  const std::string clip = folder + name + ".avi";
  int status = 0;
  const std::string log = RunShell("mencoder.exe -demuxer rawvideo -rawvideo w=" + IntToStr(width) + ":h=" + IntToStr(height) +
                                  ":fps=" + IntToStr(fps) + ":format=i420 '" + raw + "'" + audio +
                                  (withAudio ? "" : " -nosound") + " -ovc lavc -lavcopts vcodec=mpeg4:keyint=" +
                                  IntToStr(fps) + " -of avi -o '" + clip + "'",
                              &status);
  EXPECT_EQ(status, 0) << log;
  ::unlink(raw.c_str());
  return clip;
}

// Duration of an AVI from its main header: frames times frame time.
double AviSeconds(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  char header[56] = {};
  f.read(header, sizeof header);
  if (std::string(header + 24, 4) != "avih") return -1;
  uint32_t usPerFrame, frames;
  std::memcpy(&usPerFrame, header + 32, 4);
  std::memcpy(&frames, header + 48, 4);
  return frames * (usPerFrame / 1e6);
}

// A process named like the encoder that this program did not start.
class TForeignProcess {
 public:
  TForeignProcess(const std::string& folder, const std::string& name) {
    const std::string link = folder + name;
    ::symlink("/bin/sleep", link.c_str());
    m_pid = ::fork();
    if (m_pid == 0) {
      ::execl(link.c_str(), name.c_str(), "60", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    std::this_thread::sleep_for(50ms);
  }
  ~TForeignProcess() {
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
  }
  bool Alive() const {
    int status;
    return ::waitpid(m_pid, &status, WNOHANG) == 0;
  }
  pid_t Pid() const { return m_pid; }

 private:
  pid_t m_pid = -1;
};

class EncoderEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = TempFolder();
    ASSERT_TRUE(FileExists(ProgramFolder() + kEncoderFileName)) << "the build links mencoder.exe beside the tests";
    auto shell = std::make_unique<TEncoderShell>(ProgramFolder());
    m_shell = shell.get();
    m_runner = std::make_unique<TEncoderRunner>(m_host, std::move(shell));
    m_runner->SetJobTable(&m_table.table);
    m_runner->StartShell();
  }
  void TearDown() override {
    m_runner->Shutdown();
    RemoveFolder(m_folder);
  }

  TCommandInputs Job(const std::string& source, const std::string& name, const std::string& options) {
    m_table.Add(name);
    m_runner->SetRunningJobName(name);
    TCommandInputs in;
    in.sourcePath = source;
    in.targetFolder = m_folder;
    in.targetName = name;
    in.options = options;
    return in;
  }

  // Ticks every 100 ms, as the dialog's timer will, while the runner polls
  // and until() is false; at most limit.
  void Drive(std::chrono::milliseconds limit, const std::function<bool()>& until = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (m_runner->Polling() && std::chrono::steady_clock::now() < deadline && !(until && until())) {
      std::this_thread::sleep_for(100ms);
      m_runner->PollTick();
    }
  }

  bool OurEncoderAlive() {
    for (const TProcessEntry& e : ProcessesOfRoots(SnapshotProcesses(), m_shell->ShellIds()))
      if (e.Alive() && e.imageName == kEncoderFileName) return true;
    return false;
  }

  static constexpr const char* kOptions =
      "-ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1800:mbd=2:v4mv:aspect=4/3 -vf scale=640:480 -oac mp3lame -lameopts cbr:br=128";

  std::string m_folder;
  TRecordingHost m_host;
  TTestJobs m_table;
  TEncoderShell* m_shell = nullptr;
  std::unique_ptr<TEncoderRunner> m_runner;
};

void ExpectGrowingProgressThenDone(const TTestJobs& table) {
  const auto& log = table.progressLog;
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "100%");
  int last = 0;
  for (size_t i = 0; i + 1 < log.size(); ++i) {
    const int n = StrToInt(log[i].substr(0, log[i].size() - 1));
    EXPECT_GE(n, last) << log[i];
    EXPECT_GE(n, 1);
    EXPECT_LE(n, 99);
    last = n;
  }
}

}  // namespace

TEST_F(EncoderEndToEnd, ConvertsAClipWithAudioWithGrowingProgressToDone) {
  const std::string clip = MakeClip(m_folder, "with audio", 8, 320, 240, 25, true);
  int ended = 0;
  m_runner->OnJobEnded = [&] { ++ended; };
  m_runner->SetAutoStartLatch(true);
  m_runner->StartConversion(Job(clip, "目标 a.avi", kOptions));
  Drive(30s);
  EXPECT_TRUE(m_host.errors.empty()) << m_host.errors[0];
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(m_runner->AutoStartLatch());
  EXPECT_EQ(m_table.Progress(0), "100%");
  EXPECT_EQ(m_table.Status(0), "已完成");
  ExpectGrowingProgressThenDone(m_table);
  std::string seen;
  for (const std::string& p : m_table.progressLog) seen += p + " ";
  EXPECT_GE(m_table.progressLog.size(), 2u) << "no progress seen before the end";
  RecordProperty("progress", seen);
  EXPECT_NEAR(AviSeconds(m_folder + "目标 a.avi"), 8.0, 0.2);
}

TEST_F(EncoderEndToEnd, ConvertsAClipWithoutAudio) {
  const std::string clip = MakeClip(m_folder, "silent", 2, 160, 120, 25, false);
  m_runner->StartConversion(Job(clip, "silent out.avi", kOptions));
  Drive(20s);
  EXPECT_TRUE(m_host.errors.empty());
  EXPECT_EQ(m_table.Status(0), "已完成");
  EXPECT_NEAR(AviSeconds(m_folder + "silent out.avi"), 2.0, 0.2);
}

TEST_F(EncoderEndToEnd, RangeJobsConvertTheChosenMinutes) {
  const std::string clip = MakeClip(m_folder, "long", 70, 32, 24, 10, true);
  TCommandInputs first = Job(clip, "first minute.avi", "-ovc lavc -lavcopts vcodec=mpeg4 -oac mp3lame");
  first.range = true;
  first.durationMinutes = 1;
  m_runner->StartConversion(first);
  Drive(30s);
  EXPECT_TRUE(m_host.errors.empty());
  EXPECT_EQ(m_table.Status(0), "已完成");
  EXPECT_NEAR(AviSeconds(m_folder + "first minute.avi"), 60.0, 0.5);

  TCommandInputs rest = Job(clip, "from one minute.avi", "-ovc lavc -lavcopts vcodec=mpeg4 -oac mp3lame");
  rest.range = true;
  rest.startMinutes = 1;
  rest.durationMinutes = 1;
  m_runner->StartConversion(rest);
  Drive(30s);
  EXPECT_TRUE(m_host.errors.empty());
  EXPECT_EQ(m_table.Status(1), "已完成");
  EXPECT_NEAR(AviSeconds(m_folder + "from one minute.avi"), 10.0, 0.5);
}

TEST_F(EncoderEndToEnd, UnsupportedSourceIsReportedAndNotFinished) {
  const std::string bogus = m_folder + "not a video.avi";
  ASSERT_TRUE(WriteFileAtomically(bogus, std::string(4096, 'x')));
  for (bool range : {false, true}) {
    m_host.errors.clear();
    TCommandInputs in = Job(bogus, range ? "r.avi" : "n.avi", kOptions);
    in.range = range;
    in.durationMinutes = 1;
    m_runner->StartConversion(in);
    Drive(20s);
    EXPECT_EQ(m_host.errors, (std::vector<std::string>{"不支持的源文件格式!"}));
    EXPECT_FALSE(m_runner->Polling());
    EXPECT_EQ(m_table.Status(range ? 1 : 0), "未完成");
  }
}

TEST_F(EncoderEndToEnd, AFailingEncoderIsReportedAndNotFinished) {
  const std::string clip = MakeClip(m_folder, "ok", 1, 64, 48, 25, true);
  // An option set the encoder refuses, and a missing template (no -ovc at all).
  for (const std::string options : {"-ovc lavc -lavcopts vcodec=nosuchcodec -oac mp3lame", ""}) {
    m_host.errors.clear();
    m_runner->StartConversion(Job(clip, "bad" + IntToStr(m_table.progressLog.size()) + ".avi", options));
    Drive(20s);
    EXPECT_EQ(m_host.errors, (std::vector<std::string>{"转换失败!"})) << options;
    EXPECT_FALSE(m_runner->Polling());
  }
  EXPECT_EQ(m_table.Status(0), "未完成");
  EXPECT_EQ(m_table.Status(1), "未完成");
}

TEST_F(EncoderEndToEnd, StopEndsOnlyOurEncoderAndDeletesThePartialFile) {
  TForeignProcess foreignEncoder(m_folder, kEncoderFileName);
  TForeignProcess foreignShell(m_folder, "cmd.exe");
  const std::string clip = MakeClip(m_folder, "stop me", 30, 320, 240, 25, true);
  m_runner->SetAutoStartLatch(true);
  m_runner->StartConversion(Job(clip, "partial.avi", kOptions));
  Drive(20s, [&] { return !m_table.progressLog.empty(); });
  ASSERT_TRUE(m_runner->EncoderRunning()) << "the clip converted before the stop";
  ASSERT_TRUE(FileExists(m_folder + "partial.avi"));

  const auto before = std::chrono::steady_clock::now();
  m_runner->SilentStop();
  EXPECT_GE(std::chrono::steady_clock::now() - before, 1000ms);
  EXPECT_FALSE(OurEncoderAlive());
  EXPECT_FALSE(m_runner->EncoderRunning());
  EXPECT_FALSE(PathExists(m_folder + "partial.avi"));
  EXPECT_FALSE(m_runner->Polling());
  EXPECT_TRUE(m_runner->AutoStartLatch());
  EXPECT_EQ(m_table.Status(0), "未完成");
  EXPECT_NE(m_table.Progress(0), "");  // the last progress stays
  EXPECT_TRUE(foreignEncoder.Alive());
  EXPECT_TRUE(foreignShell.Alive());

  // The shell still takes the next job after a stop.
  const std::string small = MakeClip(m_folder, "after stop", 1, 64, 48, 25, false);
  m_runner->StartConversion(Job(small, "after.avi", kOptions));
  Drive(20s);
  EXPECT_EQ(m_table.Status(1), "已完成");
  EXPECT_TRUE(foreignEncoder.Alive());
}

TEST_F(EncoderEndToEnd, ShutdownEndsTheEncoderAndEveryShellButNothingElse) {
  TForeignProcess foreignEncoder(m_folder, kEncoderFileName);
  TForeignProcess foreignShell(m_folder, "cmd.exe");
  m_runner->StartShell();  // a second showing of the dialog: a second shell
  const std::vector<pid_t> shells = m_shell->ShellIds();
  ASSERT_EQ(shells.size(), 2u);
  const std::string clip = MakeClip(m_folder, "long run", 30, 320, 240, 25, true);
  m_runner->StartConversion(Job(clip, "cut.avi", kOptions));
  Drive(20s, [&] { return m_runner->EncoderRunning(); });
  ASSERT_TRUE(m_runner->EncoderRunning());

  m_runner->Shutdown();
  EXPECT_FALSE(OurEncoderAlive());
  EXPECT_TRUE(m_shell->ShellIds().empty());  // all ended and collected
  for (pid_t pid : shells) EXPECT_NE(::kill(pid, 0), 0);
  EXPECT_TRUE(foreignEncoder.Alive());
  EXPECT_TRUE(foreignShell.Alive());
}

// The option templates of the shipped Converter.ini convert a clip with
// sound and one without; 16:9 templates store that aspect. Every quality and
// resolution pair runs once, the aspect turning with it (15 runs, all three
// aspects met); TM_ALL_TEMPLATES=1 runs all 45 templates.
TEST(ShippedConverterIni, TemplatesConvert) {
  const bool all = std::getenv("TM_ALL_TEMPLATES") != nullptr;
  const std::string folder = TempFolder();
  const std::string withAudio = MakeClip(folder, "a", 0.4, 96, 72, 25, true);
  const std::string silent = MakeClip(folder, "s", 0.4, 96, 72, 25, false);
  TConverterConfig config(ProgramFolder());
  ASSERT_TRUE(config.Exists());
  EXPECT_EQ(config.Version(), "2.0");
  TConverterChoices choices;
  config.Load(choices);
  EXPECT_EQ(choices.resolution.items.size(), 5u);
  ASSERT_EQ(choices.quality.items.size(), 3u);
  ASSERT_EQ(choices.aspect.items.size(), 3u);
  int runs = 0;
  for (int q = 0; q < 3; ++q)
    for (int r = 0; r < static_cast<int>(choices.resolution.items.size()); ++r)
      for (int a = 0; a < 3; ++a) {
        const std::string options = config.ReadParameter(q, r, a);
        ASSERT_FALSE(options.empty()) << TConverterConfig::ParameterKey(q, r, a);
        EXPECT_EQ(options.find("trell"), std::string::npos);  // about 5.6 times slower
        EXPECT_EQ(options.find("-quiet"), std::string::npos);  // would hide the progress lines
        EXPECT_EQ(options.find("-aspect"), std::string::npos);
        if (!all && a != (q + r) % 3) continue;
        // The two sources alternate.
        const bool sound = (q + r + a) % 2 == 0;
        TCommandInputs in;
        in.sourcePath = sound ? withAudio : silent;
        in.targetFolder = folder;
        in.targetName = "t.avi";
        in.options = options;
        int status = 0;
        const std::string log = RunShell(ComposeCommandLine(in), &status);
        ++runs;
        EXPECT_EQ(status, 0) << options << "\n" << log;
        EXPECT_NE(log.find("Video stream:"), std::string::npos) << options;
        EXPECT_EQ(log.find("Audio stream:") != std::string::npos, sound) << options;
        if (choices.aspect.items[static_cast<size_t>(a)] == "宽屏16:9") {
          EXPECT_NE(log.find("aspect is 16:9"), std::string::npos) << options;
        }
      }
  EXPECT_EQ(runs, all ? 45 : 15);
  RemoveFolder(folder);
}

}  // namespace tsm
