// The converter driven from outside as a person would use it: a UI script
// (TM_SCRIPT) runs the built program from a program folder of its own (the
// program, Converter.ini, the real encoder) on short clips that ffmpeg
// makes. Jobs are added through the parameters dialog with the sources
// picked in the skinned file dialog and the folder in the folder dialog; a
// pending job is removed, a running one stopped, the batch converts the rest,
// and the window is closed while a job runs. The script's window dumps tell
// what the grid showed; the files and the process table tell the rest.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <dirent.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "platform/core/ProgramFolder.h"
#include "platform/os/FileSystem.h"
#include "platform/os/tests/OsTestFolders.h"

namespace tsm {
namespace {

long FileSize(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

bool Starts(const std::string& text, const std::string& head) { return text.compare(0, head.size(), head) == 0; }

// A window dump with the line breaks and indentation taken out, so a grid
// row reads ["a","b",...].
std::string Compact(const std::string& json) {
  std::string out;
  for (size_t i = 0; i < json.size(); ++i) {
    if (json[i] == '\n') {
      while (i + 1 < json.size() && json[i + 1] == ' ') ++i;
      continue;
    }
    out += json[i];
  }
  return out;
}

// Processes whose command line mentions text (the encoder and the shells
// of the program folder), other than this one.
int ProcessesMentioning(const std::string& text) {
  int found = 0;
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) return 0;
  while (dirent* e = ::readdir(proc)) {
    const int pid = std::atoi(e->d_name);
    if (pid <= 0 || pid == ::getpid()) continue;
    std::string line = FileText("/proc/" + std::string(e->d_name) + "/cmdline");
    for (char& c : line)
      if (c == '\0') c = ' ';
    const std::string state = FileText("/proc/" + std::string(e->d_name) + "/stat");
    const bool zombie = state.find(") Z") != std::string::npos;
    if (!zombie && line.find(text) != std::string::npos) ++found;
  }
  ::closedir(proc);
  return found;
}

class ConverterScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tm_convscript.XXXXXX";
    m_dir = std::string(::mkdtemp(pattern)) + "/";
    m_program = m_dir + "prog/";
    ::mkdir(m_program.c_str(), 0700);
    ::mkdir((m_dir + "src").c_str(), 0700);
    ::mkdir((m_dir + "out").c_str(), 0700);
    const std::string built = ProgramFolder();
    if (::link((built + "tesmaro").c_str(), (m_program + "tesmaro").c_str()) != 0)
      std::system(("cp '" + built + "tesmaro' '" + m_program + "'").c_str());
    for (const char* file : {"Converter.ini", "fonts.conf", "help.html"})
      std::system(("cp '" + built + file + "' '" + m_program + "' 2>/dev/null").c_str());
    ::symlink("/usr/bin/mencoder", (m_program + "mencoder.exe").c_str());
  }

  void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }

  // A clip made by ffmpeg: a moving test picture with a tone, or for long
  // clips a still colour (quick to make, as slow to convert as any).
  bool MakeClip(const std::string& name, int seconds, bool still = false) {
    const std::string d = std::to_string(seconds);
    const std::string video = still ? "color=c=teal:size=320x240:rate=25:duration=" + d + " -c:v mpeg4"
                                    : "testsrc2=size=320x240:rate=25:duration=" + d;
    const std::string command = "ffmpeg -hide_banner -loglevel error -nostdin -y -f lavfi -i " + video +
                                " -f lavfi -i sine=frequency=440:duration=" + d + " -t " + d + " '" + m_dir + "src/" +
                                name + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }

  // Runs the program on the script (in the test's folder, where dumps go);
  // its exit status (-1: killed after the time limit) and log.
  int Run(const std::string& script, std::string& log, int limitSeconds = 240) {
    std::ofstream(m_dir + "script.tms") << script;
    const std::string err = m_dir + "stderr.txt";
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (::chdir(m_dir.c_str()) != 0) ::_exit(126);
      const int fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(fd, 2);
      ::setenv("TM_SCRIPT", (m_dir + "script.tms").c_str(), 1);
      ::setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);  // a lock of its own
      ::setenv("XDG_STATE_HOME", (m_dir + "state").c_str(), 1);
      ::unsetenv("TM_DIALOG_LOG");
      ::unsetenv("TM_DIALOG_ANSWER");
      ::unsetenv("DISPLAY");
      ::unsetenv("WAYLAND_DISPLAY");
      ::execl((m_program + "tesmaro").c_str(), "tesmaro", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    int result = -1;
    for (int i = 0; i < limitSeconds * 50; ++i) {
      int status = 0;
      if (::waitpid(pid, &status, WNOHANG) == pid) {
        result = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (result == -1) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    log = FileText(err);
    return result;
  }

  // The grid row of a dump that starts with the job's three paths.
  std::string Row(const std::string& dump, const std::string& source, const std::string& name) {
    const std::string all = Compact(FileText(m_dir + dump));
    const std::string head = "[\"" + m_dir + "src/" + source + "\",\"" + m_dir + "out\",\"" + name + "\",";
    const size_t at = all.find(head);
    if (at == std::string::npos) return "(no row)";
    const size_t end = all.find(']', at);
    return all.substr(at + head.size(), end - at - head.size());
  }

  std::string m_dir;
  std::string m_program;
};

// Screen points of the dialog's browse buttons and of the folder dialog's
// path edit: the windows are centred on the 1024 x 768 headless screen.
constexpr const char* kSourceBrowse = "click 765 331\n";
constexpr const char* kFolderBrowse = "click 765 359\n";
constexpr const char* kFolderPathEdit = "click 495 265\n";

TEST_F(ConverterScriptTest, APersonAddsStopsRemovesConvertsAndClosesWhileRunning) {
  ASSERT_TRUE(MakeClip("long.mkv", 600, true));
  ASSERT_TRUE(MakeClip("one.avi", 2));
  ASSERT_TRUE(MakeClip("two.mp4", 2));
  ASSERT_TRUE(MakeClip("four.avi", 1));
  const std::string pickFolder = std::string(kFolderBrowse) + "expect-window \"选择目标文件存放路径\"\n" +
                                 kFolderPathEdit + "type \"" + m_dir + "out\"\nkey Enter\nclick-text \"确定\"\n" +
                                 "expect-no-window \"选择目标文件存放路径\"\n";
  auto pick = [&](const std::string& source) {
    return std::string(kSourceBrowse) + "expect-window \"源文件\"\ntype \"" + m_dir + "src/" + source +
           "\"\nkey Enter\nexpect-no-window \"源文件\"\n";
  };
  std::string script =
      "expect-window \"Tesmaro 2.0\"\n"
      "expect-disabled \"开始转换文件\"\n"
      "click-text \"增加转换文件\"\n"
      "expect-window \"转换参数\"\n" +
      pick("long.mkv") +
      "expect-text \"long.avi\"\n" + pickFolder +
      "expect-text \"" + m_dir + "out\"\n"
      "click-text \"保存\"\n" +
      pick("one.avi") + "click-text \"保存\"\n" + pick("two.mp4") + "click-text \"保存\"\n" + pick("four.avi") +
      "click-text \"保存\"\n"
      "click-text \"关闭\"\n"
      "expect-no-window \"转换参数\"\n"
      "dump added.json\n"
      // A pending job removed after the question.
      "click-text \"four.avi\"\n"
      "click-text \"移去转换文件\"\n"
      "expect-text \"您确定移去当前文件的转换吗?\"\n"
      "click-text \"是(Y)\"\n"
      "expect-no-text \"four.avi\"\n"
      // The long job runs first; stopped after the question.
      "click-text \"开始转换文件\"\n"
      "expect-disabled \"增加转换文件\"\n"
      "sleep 2500\n"
      "dump running.json\n"
      "click-text \"停止转换文件\"\n"
      "expect-text \"您确定要停止转换吗?\"\n"
      "click-text \"是(Y)\"\n"
      "expect-no-window \"确认\"\n"
      "expect-enabled \"开始转换文件\"\n"
      "dump stopped.json\n"
      // The stopped job removed (not running: nothing else ends), then the
      // batch converts the two others by itself.
      "click-text \"long.avi\"\n"
      "click-text \"移去转换文件\"\n"
      "click-text \"是(Y)\"\n"
      "expect-no-text \"long.avi\"\n"
      "click-text \"开始转换文件\"\n"
      "wait-text \"已完成\" 60000\n"
      "sleep 6000\n"
      "expect-no-text \"未完成\"\n"
      "expect-enabled \"增加转换文件\"\n"
      "dump done.json\n"
      "shot done.png\n"
      // The long job again, and the window closed while it runs.
      "click-text \"增加转换文件\"\n" +
      pick("long.mkv") + pickFolder +  // the folder remembered is the one Converter.ini holds: none yet
      "click-text \"保存\"\nclick-text \"关闭\"\n"
      "click-text \"开始转换文件\"\n"
      "sleep 2000\n"
      "dump closing.json\n"
      "quit\n";
  std::string log;
  const int status = Run(script, log);
  EXPECT_EQ(status, 0) << log;

  // The dialog saved each job pending, with the folder from the folder dialog.
  EXPECT_TRUE(Starts(Row("added.json", "one.avi", "one.avi"), "\"\",\"未完成\","));
  EXPECT_NE(Row("added.json", "four.avi", "four.avi"), "(no row)");
  // Running: the long job shows a percentage; stopped: it keeps it, pending.
  const std::string running = Row("running.json", "long.mkv", "long.avi");
  EXPECT_NE(running.find("%\",\"未完成\""), std::string::npos) << running;
  const std::string stopped = Row("stopped.json", "long.mkv", "long.avi");
  EXPECT_NE(stopped.find("%\",\"未完成\""), std::string::npos) << stopped;
  // The two short ones converted, one after the other.
  EXPECT_TRUE(Starts(Row("done.json", "one.avi", "one.avi"), "\"100%\",\"已完成\","));
  EXPECT_TRUE(Starts(Row("done.json", "two.mp4", "two.avi"), "\"100%\",\"已完成\","));
  EXPECT_EQ(Row("done.json", "four.avi", "four.avi"), "(no row)");
  EXPECT_GT(FileSize(m_dir + "out/one.avi"), 10000);
  EXPECT_GT(FileSize(m_dir + "out/two.avi"), 10000);
  EXPECT_FALSE(FileExists(m_dir + "out/four.avi"));
  // Closing while the long job ran: partial output deleted, encoder and
  // shells gone, the choices written back.
  EXPECT_NE(Row("closing.json", "long.mkv", "long.avi").find("%\",\"未完成\""), std::string::npos);
  EXPECT_FALSE(FileExists(m_dir + "out/long.avi"));
  EXPECT_EQ(ProcessesMentioning(m_dir), 0);
  const std::string ini = FileText(m_program + "Converter.ini");
  EXPECT_NE(ini.find("TargetFile=" + m_dir + "out\n"), std::string::npos) << ini.substr(0, 1500);
  EXPECT_NE(ini.find("SounceFile=" + m_dir + "src\n"), std::string::npos);
}

TEST_F(ConverterScriptTest, DroppedFilesBecomeJobsThatSurviveARestartAndAFailedOneShowsItsLog) {
  ASSERT_TRUE(MakeClip("good.mp4", 2));
  std::ofstream(m_dir + "src/坏 的.mkv") << "no video at all";
  std::string ini = FileText(m_program + "Converter.ini");
  ini.replace(ini.find("TargetFile="), 11, "TargetFile=" + m_dir + "out");
  std::ofstream(m_program + "Converter.ini", std::ios::binary) << ini;
  const std::string recorder = m_dir + "opener";
  std::ofstream(recorder) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << m_dir << "opened'\n";
  ::chmod(recorder.c_str(), 0755);
  ::setenv("TM_DOCUMENT_OPENER", recorder.c_str(), 1);

  std::string log;
  ASSERT_EQ(Run("drop 400 300 \"" + m_dir + "src/good.mp4\" \"" + m_dir + "src/坏 的.mkv\"\n"
                "expect-no-window \"转换参数\"\n"
                "expect-text \"good.avi\"\n"
                "expect-text \"坏 的.avi\"\n"
                "quit\n",
                log),
            0)
      << log;
  const std::string saved = FileText(m_dir + "state/tesmaro/jobs.tsv");
  EXPECT_NE(saved.find(m_dir + "src/坏 的.mkv\t" + m_dir + "out\t坏 的.avi\t\t未完成"), std::string::npos) << saved;

  // The next start shows them; the batch converts the good one and fails
  // on the other, whose log the grid's menu opens.
  ASSERT_EQ(Run("expect-text \"good.avi\"\n"
                "click-text \"开始转换文件\"\n"
                "wait-text \"不支持的源文件格式!\" 120000\n"
                "key Escape\n"
                "click-text \"good.avi\" right\n"
                "expect-disabled \"查看日志\"\n"
                "key Escape\n"
                "click-text \"坏 的.avi\" right\n"
                "expect-enabled \"查看日志\"\n"
                "click-text \"查看日志\"\n"
                "sleep 500\n"
                "quit\n",
                log),
            0)
      << log;
  ::unsetenv("TM_DOCUMENT_OPENER");
  const std::string opened = FileText(m_dir + "opened");
  EXPECT_TRUE(Starts(opened, m_dir + "state/tesmaro/logs/")) << opened;
  EXPECT_NE(FileText(opened).find("src/坏 的.mkv"), std::string::npos);
  EXPECT_GT(FileSize(m_dir + "out/good.avi"), 0);
  const std::string left = FileText(m_dir + "state/tesmaro/jobs.tsv");
  EXPECT_EQ(left.find("good.mp4"), std::string::npos) << left;  // converted: not kept
  EXPECT_NE(left.find("坏 的.mkv"), std::string::npos) << left;
}

}  // namespace
}  // namespace tsm
