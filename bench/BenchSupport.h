#pragma once
// What the benchmarks that run the encoder share: running a program to its
// end, and making test clips with ffmpeg.

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/ChildProcess.h"
#include "platform/os/FileSystem.h"

namespace tsm::bench {

// Runs a program to its end, its output read and dropped (the last of it is
// printed when the program fails); its exit status, -1 when it cannot start.
inline int RunToEnd(const std::vector<std::string>& argv) {
  TChildProcess p;
  if (!p.Start(argv)) return -1;
  std::string out;
  while (p.ReadAvailable(out)) {
    WaitForReadable({p.OutputHandle()}, 1000);
    if (out.size() > (1 << 20)) out.erase(0, out.size() - 4096);
  }
  int status = -1;
  while (!p.TryReap(status)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (status != 0)
    std::fprintf(stderr, "%s: status %d\n%s\n", argv[0].c_str(), status,
                 out.substr(out.size() > 2000 ? out.size() - 2000 : 0).c_str());
  return status;
}

// Wall time of RunToEnd, in seconds.
inline double TimedRun(const std::vector<std::string>& argv) {
  const auto t0 = std::chrono::steady_clock::now();
  RunToEnd(argv);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A 320x240 H.264 clip of the given length with a 440 Hz tone, at path;
// false when ffmpeg is missing or fails.
inline bool MakeClip(const std::string& path, int seconds) {
  const std::string d = std::to_string(seconds);
  return RunToEnd({"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "lavfi", "-i",
                   "testsrc2=size=320x240:rate=25:duration=" + d, "-f", "lavfi", "-i",
                   "sine=frequency=440:duration=" + d, "-t", d, "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt",
                   "yuv420p", "-c:a", "aac", path}) == 0;
}

// count copies of the clip in folder, named "source <n>.mp4"; their paths.
inline std::vector<std::string> CopySources(const std::string& clip, const std::string& folder, int count) {
  std::string bytes;
  ReadFileBytes(clip, bytes);
  std::vector<std::string> sources;
  for (int i = 0; i < count; ++i) {
    sources.push_back(folder + "source " + std::to_string(i) + ".mp4");
    WriteFileAtomically(sources.back(), bytes);
  }
  return sources;
}

}  // namespace tsm::bench
