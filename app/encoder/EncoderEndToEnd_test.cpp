// End to end: the runner with the real /bin/sh and the real encoder (the
// program folder's mencoder.exe) on short clips that the tests make, from raw
// frames or, in the formats people have, with ffmpeg; ffprobe measures what
// the encoder wrote. Every wait is bounded.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

#include "app/encoder/CommandLine.h"
#include "app/encoder/ConverterConfig.h"
#include "app/encoder/EncoderFiles.h"
#include "app/encoder/EncoderRunner.h"
#include "app/encoder/EncoderShell.h"
#include "app/encoder/MediaProbe.h"
#include "app/encoder/ProgressText.h"
#include "app/encoder/TestJobs.h"
#include "app/encoder/TestRunnerHost.h"
#include "framework/base/SysUtils.h"
#include "platform/os/ChildProcess.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
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

// A source clip made by ffmpeg: a moving test picture of size at 25 frames
// a second (and a tone unless the arguments say -an), encoded by args.
std::string MakeSource(const std::string& folder, const std::string& fileName, double seconds,
                       const std::string& size, const std::string& args) {
  const std::string path = folder + fileName;
  const std::string d = std::to_string(seconds);
  int status = 0;
  const std::string log = RunShell("ffmpeg -hide_banner -loglevel error -nostdin -y -f lavfi -i testsrc2=size=" + size +
                                       ":rate=25:duration=" + d + " -f lavfi -i sine=frequency=440:duration=" + d +
                                       " -t " + d + " " + args + " '" + path + "'",
                                   &status);
  EXPECT_EQ(status, 0) << fileName << "\n" << log;
  return path;
}

// What ffprobe finds in an AVI file: the first video stream's length (frames
// over frame rate), frame rate and display aspect, and the first audio
// stream's length (end of its last packet); -1 where it has none.
struct TMediaInfo {
  double videoSeconds = -1;
  double fps = -1;
  double aspect = -1;
  double audioSeconds = -1;
};

double Ratio(const std::string& text, char separator) {
  const size_t at = text.find(separator);
  if (at == std::string::npos) return std::atof(text.c_str());
  const double den = std::atof(text.c_str() + at + 1);
  return den == 0 ? -1 : std::atof(text.substr(0, at).c_str()) / den;
}

TMediaInfo Probe(const std::string& path) {
  TMediaInfo info;
  std::map<std::string, std::string> v;
  // The frame count of the AVI index: repeated frames are stored as empty
  // chunks there, which decoding would not count.
  const std::string video = RunShell("ffprobe -v error -select_streams v:0 -show_entries "
                                     "stream=width,height,sample_aspect_ratio,r_frame_rate,nb_frames "
                                     "-of default=noprint_wrappers=1 '" + path + "'");
  for (size_t start = 0; start < video.size();) {
    const size_t end = std::min(video.find('\n', start), video.size());
    const std::string line = video.substr(start, end - start);
    const size_t eq = line.find('=');
    if (eq != std::string::npos) v[line.substr(0, eq)] = line.substr(eq + 1);
    start = end + 1;
  }
  if (v.count("r_frame_rate") != 0) {
    info.fps = Ratio(v["r_frame_rate"], '/');
    info.videoSeconds = info.fps > 0 ? std::atof(v["nb_frames"].c_str()) / info.fps : -1;
    const double sar = Ratio(v["sample_aspect_ratio"], ':');
    info.aspect = std::atof(v["width"].c_str()) / std::atof(v["height"].c_str()) * (sar > 0 ? sar : 1.0);
  }
  const std::string audio = RunShell("ffprobe -v error -select_streams a:0 -show_entries packet=pts_time,duration_time "
                                     "-of csv=p=0 '" + path + "' | tail -n 1");
  if (const size_t comma = audio.find(','); comma != std::string::npos)
    info.audioSeconds = std::atof(audio.c_str()) + std::atof(audio.c_str() + comma + 1);
  return info;
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
    // Logs of runners made as the program makes them stay in the test's folder.
    ::setenv("XDG_STATE_HOME", (m_folder + "state").c_str(), 1);
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

TEST_F(EncoderEndToEnd, TheLiveShellIsReusedAndAGoneOneReplaced) {
  EXPECT_TRUE(m_runner->ShellAlive());
  EXPECT_FALSE(m_runner->EnsureShell());
  ASSERT_EQ(m_shell->ShellIds().size(), 1u);
  const pid_t first = m_shell->ShellIds()[0];
  ASSERT_EQ(::kill(first, SIGKILL), 0);
  for (int i = 0; i < 100 && m_runner->ShellAlive(); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_FALSE(m_runner->ShellAlive());
  EXPECT_TRUE(m_runner->EnsureShell());
  EXPECT_TRUE(m_runner->ShellAlive());
  ASSERT_EQ(m_shell->ShellIds().size(), 1u);  // the gone one was collected
  EXPECT_NE(m_shell->ShellIds()[0], first);
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

TEST_F(EncoderEndToEnd, NamesCarryingTheEncodersWordsDoNotChangeTheOutcome) {
  // Folders whose names are what the encoder prints; "/" in its texts makes
  // nested folders. The encoder echoes these paths in its error messages.
  const std::string summaryFolder = m_folder + "Audio stream:  155.736 kbit/s  (19466 B/s)  size: 39665 bytes  2.038 secs";
  const std::string clipFolder = m_folder + "Audio stream: clips";
  ASSERT_EQ(std::system(("mkdir -p '" + summaryFolder + "' '" + clipFolder + "'").c_str()), 0);
  const std::string clip = MakeClip(clipFolder + "/", "ok", 1, 64, 48, 25, true);
  const std::string lineBreak = m_folder + "x\nVideo stream:  795.180 kbit/s  (99397 B/s)  size: 194819 bytes  1.960 secs  51 frames\n";
  struct TCase {
    std::string source, targetFolder;
  };
  const TCase failing[] = {
      {clip, m_folder + "Video stream: out/missing"},
      {summaryFolder + "/missing.avi", m_folder},
      {m_folder + "Pos:   1.0s     25f (98%)/missing.avi", m_folder},
      {m_folder + "============ Sorry, this file format is not recognized/supported ====/missing.avi", m_folder},
      {lineBreak + "missing.avi", lineBreak + "out"},
  };
  int n = 0;
  for (const TCase& c : failing) {
    m_host.errors.clear();
    m_runner->SetAutoStartLatch(true);
    TCommandInputs in = Job(c.source, "t" + IntToStr(n) + ".avi", kOptions);
    in.targetFolder = c.targetFolder;
    m_runner->StartConversion(in);
    Drive(20s);
    EXPECT_EQ(m_host.errors, (std::vector<std::string>{"转换失败!"})) << c.source << " -> " << c.targetFolder;
    EXPECT_EQ(m_table.Status(n), "未完成") << c.source;
    EXPECT_TRUE(m_table.progressLog.empty()) << c.source << ": " << m_table.progressLog.front();
    EXPECT_TRUE(m_runner->AutoStartLatch());
    ++n;
  }
  // The same names on a job that works end it as done.
  m_host.errors.clear();
  m_runner->StartConversion(Job(clip, "good.avi", kOptions));
  Drive(20s);
  EXPECT_TRUE(m_host.errors.empty());
  EXPECT_EQ(m_table.Status(n), "已完成");
}

TEST_F(EncoderEndToEnd, AShellStartedDuringAJobDoesNotStopItsReading) {
  // More progress lines than a pipe holds are printed after the new shell.
  const std::string clip = MakeSource(m_folder, "long.avi", 80, "64x48", "-c:v mpeg4 -g 25 -c:a libmp3lame");
  m_runner->StartConversion(Job(clip, "long out.avi", "-ovc lavc -lavcopts vcodec=mpeg4 -oac mp3lame"));
  Drive(20s, [&] { return !m_table.progressLog.empty(); });
  ASSERT_FALSE(m_table.progressLog.empty());
  m_runner->StartShell();  // the dialog shown again while the job runs
  ASSERT_EQ(m_shell->ShellIds().size(), 2u);
  Drive(40s);
  EXPECT_TRUE(m_host.errors.empty());
  EXPECT_EQ(m_table.Status(0), "已完成");
  ExpectGrowingProgressThenDone(m_table);
  // The next job goes to the new shell and is read from there.
  m_runner->StartConversion(Job(MakeClip(m_folder, "short", 1, 64, 48, 25, false), "next.avi", kOptions));
  Drive(20s);
  EXPECT_EQ(m_table.Status(1), "已完成");
}

TEST_F(EncoderEndToEnd, FindsTheEncoderWhateverTheProgramFoldersPathHolds) {
  const std::string program = m_folder + "with:colon 'quote\" $HOME 中文/";
  ASSERT_EQ(::mkdir(program.c_str(), 0755), 0);
  ASSERT_EQ(::symlink((ProgramFolder() + kEncoderFileName).c_str(), (program + kEncoderFileName).c_str()), 0);
  const std::string clip = MakeClip(m_folder, "colon", 1, 64, 48, 25, true);
  TRecordingHost host;
  TEncoderRunner runner(host, program);
  runner.SetJobTable(&m_table.table);
  runner.StartShell();
  TCommandInputs in = Job(clip, "colon out.avi", kOptions);
  runner.SetRunningJobName("colon out.avi");
  runner.StartConversion(in);
  EXPECT_EQ(runner.CommandLine().rfind("mencoder.exe -noodml \"", 0), 0u);  // the command line is unchanged
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (runner.Polling() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(100ms);
    runner.PollTick();
  }
  EXPECT_TRUE(host.errors.empty()) << host.errors.front();
  EXPECT_EQ(m_table.Status(0), "已完成");
  EXPECT_NEAR(AviSeconds(m_folder + "colon out.avi"), 1.0, 0.2);
  runner.Shutdown();
}

namespace {

double LabelAspect(const std::string& label, double sourceAspect) {
  if (label == "普通4:3") return 4.0 / 3.0;
  if (label == "宽屏16:9") return 16.0 / 9.0;
  EXPECT_EQ(label, "原始");
  return sourceAspect;
}

}  // namespace

// Every option template of the shipped Converter.ini on one short source:
// the output has the template's display aspect (the source's for "原始"),
// the source's length and frame rate, and sound exactly when the source has
// it. The sources alternate: 16:9 with sound, and 2:1 from non-square
// pixels without sound.
TEST(ShippedConverterIni, EveryTemplateKeepsLengthRateAndItsAspect) {
  const std::string folder = TempFolder();
  struct TSource {
    std::string path;
    double aspect;
    bool sound;
  };
  const TSource sources[] = {
      {MakeSource(folder, "wide.mp4", 2, "256x144", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac"), 16.0 / 9.0,
       true},
      {MakeSource(folder, "two to one.mp4", 2, "320x240", "-vf setsar=3/2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -an"),
       2.0, false},
  };
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
        const std::string key = TConverterConfig::ParameterKey(q, r, a);
        const std::string options = config.ReadParameter(q, r, a);
        ASSERT_FALSE(options.empty()) << key;
        EXPECT_EQ(options.find("trell"), std::string::npos) << key;  // about 5.6 times slower
        EXPECT_EQ(options.find("-quiet"), std::string::npos) << key;  // would hide the progress lines
        EXPECT_EQ(options.find("-aspect"), std::string::npos) << key;
        EXPECT_NE(options.find("-demuxer lavf"), std::string::npos) << key;
        const TSource& source = sources[(q + r + a) % 2];
        TCommandInputs in;
        in.sourcePath = source.path;
        in.targetFolder = folder;
        in.targetName = "t.avi";
        in.options = options;
        int status = 0;
        const std::string log = RunShell(ComposeCommandLine(in), &status);
        ++runs;
        EXPECT_EQ(status, 0) << key << "\n" << log;
        EXPECT_TRUE(HasEndSummary(log)) << key;
        const TMediaInfo out = Probe(folder + "t.avi");
        const double aspect = LabelAspect(choices.aspect.items[static_cast<size_t>(a)], source.aspect);
        EXPECT_NEAR(out.aspect, aspect, 0.01) << key << " " << choices.aspect.items[static_cast<size_t>(a)];
        EXPECT_NEAR(out.fps, 25.0, 0.001) << key;
        EXPECT_NEAR(out.videoSeconds, 2.0, 0.2) << key;
        if (source.sound) {
          EXPECT_NEAR(out.audioSeconds, 2.0, 0.3) << key;
        } else {
          EXPECT_EQ(out.audioSeconds, -1) << key;
        }
        ::unlink((folder + "t.avi").c_str());
      }
  EXPECT_EQ(runs, 45);
  RemoveFolder(folder);
}

// Sources in the formats people have, made as a common encoder makes them,
// converted by one shipped template (2-4-1: 640x480, 4:3) through the runner:
// each comes out at 25 frames a second, at its full length with its sound,
// with progress up to "100%". A file in no format stays unsupported.
TEST_F(EncoderEndToEnd, ShippedTemplateConvertsSourcesInCommonFormats) {
  const std::string h264 = "-c:v libx264 -preset ultrafast -pix_fmt yuv420p ";
  const std::pair<const char*, std::string> formats[] = {
      {"h264.mp4", h264 + "-c:a aac"},
      {"h264.mkv", h264 + "-c:a libvorbis"},
      {"h264 aac.ts", h264 + "-c:a aac"},
      {"h264 mp2.ts", h264 + "-c:a mp2"},
      {"h265.mp4", "-c:v libx265 -preset ultrafast -x265-params log-level=none -pix_fmt yuv420p -c:a aac"},
      {"vp8.webm", "-c:v libvpx -deadline realtime -cpu-used 8 -b:v 300k -c:a libvorbis"},
      {"vp9.webm", "-c:v libvpx-vp9 -deadline realtime -cpu-used 8 -b:v 300k -c:a libopus"},
      {"av1.mp4", "-c:v libsvtav1 -preset 12 -pix_fmt yuv420p -c:a aac"},
      {"mpeg2.mpg", "-c:v mpeg2video -c:a mp2 -f vob"},
      {"dvd.vob", "-c:v mpeg2video -c:a ac3 -f vob"},
      {"vcd.dat", "-s 352x288 -c:v mpeg1video -b:v 1150k -c:a mp2 -ar 44100 -b:a 224k -f vcd"},
      {"mpeg1.mpg", "-c:v mpeg1video -c:a mp2 -f mpeg"},
      {"wmv.wmv", "-c:v wmv2 -c:a wmav2"},
      {"flv.flv", "-c:v flv1 -c:a libmp3lame -ar 44100"},
      {"mjpeg.mov", "-c:v mjpeg -pix_fmt yuvj420p -c:a pcm_s16le"},
      {"h263.3gp", "-s 176x144 -c:v h263 -c:a aac -ar 8000 -ac 1 -b:a 12k"},
      {"real.rm", "-c:v rv20 -c:a ac3"},
      {"mpeg4.avi", "-c:v mpeg4 -c:a libmp3lame"},
  };
  const double seconds = 4;
  TConverterConfig config(ProgramFolder());
  const std::string options = config.ReadParameter(1, 3, 0);
  ASSERT_EQ(TConverterConfig::ParameterKey(1, 3, 0), "2-4-1");
  int row = 0;
  for (const auto& [name, args] : formats) {
    const std::string source = MakeSource(m_folder, name, seconds, "320x180", args);
    m_host.errors.clear();
    const std::string target = std::string("from ") + name + ".avi";
    m_runner->StartConversion(Job(source, target, options));
    Drive(30s);
    EXPECT_TRUE(m_host.errors.empty()) << name << ": " << m_host.errors.front();
    EXPECT_EQ(m_table.Status(row), "已完成") << name;
    ExpectGrowingProgressThenDone(m_table);
    const TMediaInfo out = Probe(m_folder + target);
    EXPECT_NEAR(out.fps, 25.0, 0.001) << name;
    EXPECT_NEAR(out.videoSeconds, seconds, 0.2) << name;
    EXPECT_NEAR(out.audioSeconds, seconds, 0.45) << name;
    EXPECT_NEAR(out.aspect, 4.0 / 3.0, 0.01) << name;
    ::unlink(source.c_str());
    ::unlink((m_folder + target).c_str());
    ++row;
  }
  const std::string bogus = m_folder + "no format.avi";
  ASSERT_TRUE(WriteFileAtomically(bogus, std::string(4096, 'x')));
  m_host.errors.clear();
  m_runner->StartConversion(Job(bogus, "bogus.avi", options));
  Drive(20s);
  EXPECT_EQ(m_host.errors, (std::vector<std::string>{"不支持的源文件格式!"}));
}

// The runner as the program makes it (its own shell, identify runs, kept
// logs): jobs whose encoder was killed, whose output went missing or was
// never written, or which came out short, are never done; a good job is,
// with the lengths measured.
class VerifiedRunner : public EncoderEndToEnd {
 protected:
  void SetUp() override {
    EncoderEndToEnd::SetUp();
    m_verified = std::make_unique<TEncoderRunner>(m_host, ProgramFolder());
    m_verified->SetJobTable(&m_table.table);
    m_verified->StartShell();
    m_verified->OnJobOutcome = [this](const TJobOutcome& o) { m_outcomes.push_back(o); };
  }
  void TearDown() override {
    m_verified->Shutdown();
    EncoderEndToEnd::TearDown();
  }
  // Polls every 20 ms until the job is judged (at most limit), calling
  // during() while the encoder runs.
  void Run(const TCommandInputs& in, const std::function<void()>& during = nullptr) {
    m_verified->SetRunningJobName(in.targetName);
    m_verified->StartConversion(in);
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    bool called = false;
    while (m_verified->Polling() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(20ms);
      m_verified->PollTick();
      if (during && !called && !m_table.progressLog.empty() && m_verified->EncoderRunning()) {
        called = true;
        during();
      }
    }
    EXPECT_TRUE(!during || called) << "the job ended before it could be disturbed";
  }
  // The process id of the encoder our shells run.
  pid_t OurEncoder() {
    const std::vector<TProcessEntry> all = SnapshotProcesses();
    for (const TProcessEntry& shell : all)
      if (shell.parentPid == ::getpid() && shell.imageName == kShellImageName)
        for (const TProcessEntry& e : ProcessesOfRoots(all, {shell.pid}))
          if (e.Alive() && e.imageName == kEncoderFileName) return e.pid;
    return -1;
  }

  std::unique_ptr<TEncoderRunner> m_verified;
  std::vector<TJobOutcome> m_outcomes;
};

TEST_F(VerifiedRunner, AGoodJobIsDoneWithItsLengthsMeasuredAndLogged) {
  const std::string clip = MakeClip(m_folder, "good", 3, 160, 120, 25, true);
  Run(Job(clip, "good out.avi", kOptions));
  ASSERT_EQ(m_outcomes.size(), 1u);
  EXPECT_TRUE(m_outcomes[0].Done()) << DescribeOutcome(m_outcomes[0], false);
  EXPECT_EQ(m_table.Status(0), "已完成");
  EXPECT_NEAR(m_outcomes[0].expectedSeconds, 3.0, 0.1);
  EXPECT_NEAR(m_outcomes[0].outputSeconds, 3.0, 0.2);
  EXPECT_EQ(m_outcomes[0].exitStatus, 0);
  EXPECT_EQ(m_outcomes[0].logPath.rfind(m_folder + "state/tesmaro/logs/", 0), 0u) << m_outcomes[0].logPath;
  std::string log;
  ASSERT_TRUE(ReadFileBytes(m_outcomes[0].logPath, log));
  EXPECT_NE(log.find("Video stream:"), std::string::npos);
  EXPECT_NE(log.find("ID_LENGTH=3.00"), std::string::npos) << log;
}

// A program that reads the progress output only now and then sleeps on the
// end handles in between: the job's end must wake it, not a time limit.
TEST_F(VerifiedRunner, AJobsEndWakesAWaiterThatSleepsThroughItsOutput) {
  const std::string clip = MakeClip(m_folder, "bell", 3, 160, 120, 25, true);
  const TCommandInputs in = Job(clip, "bell out.avi", kOptions);
  m_verified->SetRunningJobName(in.targetName);
  m_verified->StartConversion(in);
  int encodingWakes = 0, timeouts = 0, rounds = 0;
  while (m_verified->Polling() && ++rounds < 1000) {
    std::vector<int> fds;
    m_verified->AddWaitHandles(fds, false);
    ASSERT_FALSE(fds.empty());
    const bool encoding = !m_verified->Verifying();
    // Far longer than the job: only a descriptor ends this wait in time.
    if (WaitForReadable(fds, 60000) <= 0) ++timeouts;
    else if (encoding) ++encodingWakes;
    m_verified->PollTick();
  }
  ASSERT_EQ(m_outcomes.size(), 1u);
  EXPECT_TRUE(m_outcomes[0].Done()) << DescribeOutcome(m_outcomes[0], false);
  EXPECT_EQ(timeouts, 0);
  // The encoder printed some hundred progress lines meanwhile; the identify
  // runs that follow are read as they print.
  EXPECT_EQ(encodingWakes, 1);
}

TEST_F(VerifiedRunner, AKilledEncodersJobIsNeverDone) {
  const std::string clip = MakeClip(m_folder, "killed", 30, 320, 240, 25, true);
  Run(Job(clip, "killed out.avi", kOptions), [&] {
    const pid_t encoder = OurEncoder();
    ASSERT_GT(encoder, 0);  // never kill(-1)
    ASSERT_EQ(::kill(encoder, SIGKILL), 0);
  });
  ASSERT_EQ(m_outcomes.size(), 1u);
  EXPECT_EQ(m_outcomes[0].failure, TJobFailure::ExitStatus);
  EXPECT_EQ(m_outcomes[0].exitStatus, 128 + SIGKILL);
  EXPECT_EQ(m_host.errors, std::vector<std::string>{"转换失败!"});
  EXPECT_EQ(m_table.Status(0), "未完成");
  std::string log;
  ASSERT_TRUE(ReadFileBytes(m_outcomes[0].logPath, log));
  EXPECT_NE(log.find("编码器被信号 9 终止 / the encoder was ended by signal 9"), std::string::npos);
}

// The shell ended from outside (with its encoder) reports no exit status:
// the job must still end, failed, and not wait for ever.
TEST_F(VerifiedRunner, AJobWhoseShellWasKilledEndsFailed) {
  const std::string clip = MakeClip(m_folder, "shell killed", 30, 320, 240, 25, true);
  Run(Job(clip, "shell killed out.avi", kOptions), [&] {
    const pid_t encoder = OurEncoder();
    ASSERT_GT(encoder, 0);
    pid_t group = -1;
    for (const TProcessEntry& e : SnapshotProcesses())
      if (e.pid == encoder) group = e.groupId;
    ASSERT_GT(group, 1);  // the shell's own group, never ours
    ASSERT_NE(group, ::getpgrp());
    ASSERT_EQ(::kill(-group, SIGKILL), 0);
  });
  ASSERT_EQ(m_outcomes.size(), 1u);
  EXPECT_EQ(m_outcomes[0].failure, TJobFailure::NoSummary) << DescribeOutcome(m_outcomes[0], false);
  EXPECT_EQ(m_outcomes[0].exitStatus, -1);
  EXPECT_FALSE(m_verified->Polling());
  EXPECT_EQ(m_table.Status(0), "未完成");
}

TEST_F(VerifiedRunner, OutputsThatWentMissingWereNeverWrittenOrCameOutShortAreNeverDone) {
  const std::string clip = MakeClip(m_folder, "source", 12, 320, 240, 25, true);
  // Deleted while the encoder writes it.
  Run(Job(clip, "deleted.avi", kOptions), [&] { ASSERT_TRUE(DeleteFile(m_folder + "deleted.avi")); });
  // Every write refused, as on a full disk: the encoder still prints its summary.
  ASSERT_EQ(::symlink("/dev/full", (m_folder + "full.avi").c_str()), 0);
  Run(Job(clip, "full.avi", kOptions));
  // Cut short: only the first 50 frames.
  Run(Job(clip, "short.avi", std::string(kOptions) + " -frames 50"));
  ASSERT_EQ(m_outcomes.size(), 3u);
  EXPECT_EQ(m_outcomes[0].failure, TJobFailure::NoOutput);
  EXPECT_FALSE(m_outcomes[1].Done());
  EXPECT_EQ(m_outcomes[2].failure, TJobFailure::WrongLength);
  EXPECT_NEAR(m_outcomes[2].outputSeconds, 2.0, 0.2);
  EXPECT_NEAR(m_outcomes[2].expectedSeconds, 12.0, 0.1);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(m_table.Status(row), "未完成") << row;
  EXPECT_EQ(m_host.errors.size(), 3u);
}

TEST_F(EncoderEndToEnd, TheOutputIdentifyRunSeesATruncatedFilesTrueLength) {
  const std::string clip = MakeClip(m_folder, "whole", 6, 160, 120, 25, true);
  TMediaProbe probe(ProgramFolder());
  auto measure = [&](TProbeKind kind, const std::string& path) {
    probe.Start(kind, path);
    TProbeResult r;
    for (int i = 0; i < 1000 && !probe.Poll(kind, r); ++i) std::this_thread::sleep_for(10ms);
    return r.seconds;
  };
  EXPECT_NEAR(measure(TProbeKind::Source, clip), 6.0, 0.05);
  EXPECT_NEAR(measure(TProbeKind::Output, clip), 6.0, 0.1);
  ASSERT_EQ(::truncate(clip.c_str(), FileSize(clip) / 2), 0);  // the header still says 6 s
  const double cut = measure(TProbeKind::Output, clip);
  EXPECT_GT(cut, 1.0);
  EXPECT_LT(cut, 4.5);
  EXPECT_EQ(measure(TProbeKind::Output, m_folder + "missing.avi"), -1);
}

}  // namespace tsm
