#include "tools/windemo/XTools.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ostream>
#include <thread>

#include "tools/windemo/XvfbServer.h"

namespace tsm {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

std::ostream& operator<<(std::ostream& o, const TXWindowGeometry& g) {
  return o << g.Width << "x" << g.Height << "+" << g.X << "+" << g.Y;
}

TXWindowGeometry XWindowGeometry(const std::string& title, const std::vector<std::string>& env) {
  const std::string info = RunCommand({WhichProgram("xwininfo"), "-name", title}, env);
  const auto field = [&](const char* key) {
    const size_t at = info.find(key);
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + std::strlen(key));
  };
  return {field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"), field("Height:")};
}

std::string Xdotool(const std::vector<std::string>& commands, const std::vector<std::string>& env) {
  std::vector<std::string> argv{WhichProgram("xdotool")};
  argv.insert(argv.end(), commands.begin(), commands.end());
  return RunCommand(argv, env);
}

std::unique_ptr<TTestChild> StartWindowManager(const std::string& home, const std::vector<std::string>& env) {
  const std::string bin = home + "/bin";
  mkdir(home.c_str(), 0700);
  mkdir(bin.c_str(), 0700);
  std::ofstream(bin + "/fbsetbg") << "#!/bin/sh\nexit 0\n";
  chmod((bin + "/fbsetbg").c_str(), 0700);
  const char* path = std::getenv("PATH");
  std::vector<std::string> wmEnv = env;
  wmEnv.push_back("HOME=" + home);
  wmEnv.push_back("PATH=" + bin + ":" + (path ? path : "/usr/bin:/bin"));
  auto wm = std::make_unique<TTestChild>(std::vector<std::string>{WhichProgram("fluxbox"), "-log", "/dev/null"}, wmEnv,
                                         TChildOutput::StdoutAndStderr);
  const auto managed = [&] {
    return RunCommand({WhichProgram("xprop"), "-root", "_NET_SUPPORTING_WM_CHECK"}, env).find("window id") !=
           std::string::npos;
  };
  for (const auto end = TClock::now() + 15s; wm->Started() && TClock::now() < end && !managed();)
    std::this_thread::sleep_for(50ms);
  if (!wm->Started() || !managed()) return nullptr;
  return wm;
}

}  // namespace tsm
