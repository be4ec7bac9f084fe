// The command-line batch against a plain shell loop.
//
// Ten sources (copies of one clip made by ffmpeg) are converted with one
// shipped template three ways, in alternation when there are several
// rounds: the same encoder command lines in one /bin/sh loop; tesmaro-batch
// one job at a time (its overhead: shells, exit reports, identify runs,
// logs, and the start of the next job); tesmaro-batch --parallel 2.
// Printed: the wall times and the two ratios,
//   batch / loop          (goal: at most 1.01)
//   parallel 2 / batch    (goal: at most 0.6 on two cores)
//
//   batch_bench [jobs = 10] [seconds per clip = 120] [rounds = 1]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/encoder/CommandLine.h"
#include "app/encoder/ConverterConfig.h"
#include "framework/base/SysUtils.h"
#include "platform/os/ChildProcess.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

using namespace tsm;
using Clock = std::chrono::steady_clock;

namespace {

// Runs a program to its end; its exit status.
int Run(const std::vector<std::string>& argv) {
  TChildProcess p;
  if (!p.Start(argv)) return -1;
  std::string out;
  while (p.ReadAvailable(out)) {
    WaitForReadable({p.OutputHandle()}, 1000);
    if (out.size() > (1 << 20)) out.erase(0, out.size() - 4096);
  }
  int status = -1;
  while (!p.TryReap(status)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (status != 0) std::fprintf(stderr, "%s: status %d\n%s\n", argv[0].c_str(), status, out.substr(out.size() > 2000 ? out.size() - 2000 : 0).c_str());
  return status;
}

double Timed(const std::vector<std::string>& argv) {
  const auto t0 = Clock::now();
  Run(argv);
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int jobs = argc > 1 ? std::atoi(argv[1]) : 10;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 120;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 1;
  const std::string program = ProgramFolder();
  char pattern[] = "/tmp/tm_batch_bench.XXXXXX";
  const std::string dir = std::string(::mkdtemp(pattern)) + "/";
  ::setenv("XDG_STATE_HOME", (dir + "state").c_str(), 1);

  const std::string clip = dir + "clip.mp4";
  const std::string d = std::to_string(seconds);
  if (Run({"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "lavfi", "-i",
           "testsrc2=size=320x240:rate=25:duration=" + d, "-f", "lavfi", "-i", "sine=frequency=440:duration=" + d,
           "-t", d, "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", clip}) != 0)
    return 1;
  std::vector<std::string> sources;
  for (int i = 0; i < jobs; ++i) {
    sources.push_back(dir + "source " + std::to_string(i) + ".mp4");
    std::string bytes;
    ReadFileBytes(clip, bytes);
    WriteFileAtomically(sources.back(), bytes);
  }
  // The shipped template 2-4-1: 中品质, 标清 640x480, 普通4:3.
  TConverterConfig config(program);
  TConverterChoices lists;
  config.Load(lists);
  const std::string options = config.ReadParameter(1, 3, 0);
  const std::string quality = lists.quality.items[1], resolution = lists.resolution.items[3],
                    aspect = lists.aspect.items[0];

  std::printf("batch_bench: %d jobs of %d s clips (320x240 H.264 -> %s, %s, %s), %d round(s)\n", jobs, seconds,
              resolution.c_str(), quality.c_str(), aspect.c_str(), rounds);
  double loopSum = 0, batchSum = 0, parallelSum = 0;
  for (int round = 0; round < rounds; ++round) {
    // The plain loop: the same command lines, one shell, PATH as the runner sets it.
    std::system(("rm -rf '" + dir + "loop' '" + dir + "batch' '" + dir + "parallel'; mkdir '" + dir + "loop' '" +
                 dir + "batch' '" + dir + "parallel'").c_str());
    std::string script = "PATH='" + ExcludeTrailingPathDelimiter(program) + "':\"$PATH\"\n";
    for (const std::string& s : sources) {
      TCommandInputs in;
      in.sourcePath = s;
      in.targetFolder = dir + "loop";
      in.targetName = ExtractFileName(s).substr(0, ExtractFileName(s).size() - 4) + ".avi";
      in.options = options;
      script += ComposeCommandLine(in) + " >/dev/null 2>&1\n";
    }
    WriteFileAtomically(dir + "loop.sh", script);
    const double loop = Timed({"/bin/sh", dir + "loop.sh"});

    std::vector<std::string> batch{program + "tesmaro-batch", "-q", "-r", resolution, "--quality", quality,
                                   "-a", aspect, "-o", dir + "batch", "--"};
    batch.insert(batch.end(), sources.begin(), sources.end());
    const double one = Timed(batch);
    batch[9] = dir + "parallel";
    batch.insert(batch.begin() + 1, {"-j", "2"});
    const double two = Timed(batch);
    std::printf("round %d: shell loop %.2f s, tesmaro-batch %.2f s (ratio %.4f), --parallel 2 %.2f s (ratio %.3f)\n",
                round + 1, loop, one, one / loop, two, two / one);
    std::fflush(stdout);
    loopSum += loop;
    batchSum += one;
    parallelSum += two;
  }
  std::printf("overall: batch / loop = %.4f (goal <= 1.01); parallel 2 / batch = %.3f (goal <= 0.6)\n",
              batchSum / loopSum, parallelSum / batchSum);
  std::system(("rm -rf '" + dir + "'").c_str());
  return 0;
}
