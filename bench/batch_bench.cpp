// The command-line batch against a plain shell loop.
//
// Sources (copies of one clip made by ffmpeg) are converted with one shipped
// template in alternating rounds: the same encoder command lines in one
// /bin/sh loop; tesmaro-batch one job at a time (its overhead: shells, exit
// reports, identify runs, logs, and the start of the next job); and, with
// the real encoder, tesmaro-batch --parallel 2. Printed per round and
// overall:
//   batch / loop          (goal: at most 1.01)
//   parallel 2 / batch    (goal: at most 0.6 on two cores)
//
// The real encoder's own time varies by a few per cent from run to run,
// more than the overhead to be measured. With --steady the encoder is a
// stand-in (steady_encoder) that takes the same time for every job while
// printing a real encoding's output and leaving its output file, which is
// verified for real: the loop and the batch then differ only by what the
// batch adds.
//
//   batch_bench [jobs = 10] [seconds per clip = 60] [rounds = 3]
//   batch_bench --steady [jobs = 10] [seconds per job = 2] [rounds = 3]

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/encoder/CommandLine.h"
#include "app/encoder/ConverterConfig.h"
#include "bench/BenchSupport.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

using namespace tsm;
using namespace tsm::bench;

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

bool CopyFile(const std::string& from, const std::string& to, mode_t mode) {
  std::string bytes;
  return ReadFileBytes(from, bytes) && WriteFileAtomically(to, bytes) && ::chmod(to.c_str(), mode) == 0;
}

// One shell script that runs the commands one after the other, PATH as the
// runner sets it.
std::string LoopScript(const std::string& programFolder, const std::vector<TCommandInputs>& jobs) {
  std::string script = "PATH='" + ExcludeTrailingPathDelimiter(programFolder) + "':\"$PATH\"\n";
  for (const TCommandInputs& in : jobs) script += ComposeCommandLine(in) + " >/dev/null 2>&1\n";
  return script;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool steady = !args.empty() && args[0] == "--steady";
  if (steady) args.erase(args.begin());
  const int jobs = args.size() > 0 ? std::atoi(args[0].c_str()) : 10;
  const double seconds = args.size() > 1 ? std::atof(args[1].c_str()) : steady ? 2 : 60;
  const int rounds = args.size() > 2 ? std::atoi(args[2].c_str()) : 3;
  char pattern[] = "/tmp/tm_batch_bench.XXXXXX";
  const std::string dir = std::string(::mkdtemp(pattern)) + "/";
  ::setenv("XDG_STATE_HOME", (dir + "state").c_str(), 1);

  // Steady jobs convert a short clip; real ones a clip of the given length.
  const std::string clip = dir + "clip.mp4";
  if (!MakeClip(clip, steady ? 10 : static_cast<int>(seconds))) {
    std::fprintf(stderr, "batch_bench: ffmpeg could not make the clip\n");
    return 1;
  }
  const std::vector<std::string> sources = CopySources(clip, dir, jobs);

  // The shipped template 2-4-1: 中品质, 标清 640x480, 普通4:3.
  const std::string built = ProgramFolder();
  TConverterConfig config(built);
  TConverterChoices lists;
  config.Load(lists);
  const std::string options = config.ReadParameter(1, 3, 0);
  const std::string quality = lists.quality.items[1], resolution = lists.resolution.items[3],
                    aspect = lists.aspect.items[0];
  auto job = [&](const std::string& source, const std::string& folder) {
    TCommandInputs in;
    in.sourcePath = source;
    in.targetFolder = folder;
    in.targetName = ChangeFileExt(ExtractFileName(source), ".avi");
    in.options = options;
    return in;
  };

  std::string program = built;
  if (steady) {
    // A program folder of its own: the batch program and its Converter.ini,
    // with the stand-in as its encoder; the stand-in replays one real
    // encoding of the clip.
    program = dir + "program/";
    ::mkdir(program.c_str(), 0700);
    if (!CopyFile(built + "tesmaro-batch", program + "tesmaro-batch", 0755) ||
        !CopyFile(built + "Converter.ini", program + "Converter.ini", 0644) ||
        ::symlink((built + "steady_encoder").c_str(), (program + "mencoder.exe").c_str()) != 0) {
      std::fprintf(stderr, "batch_bench: cannot make the stand-in's program folder\n");
      return 1;
    }
    const std::string encoder = ResolvedPath(built + "mencoder.exe");
    const std::string reference = "PATH='" + ExcludeTrailingPathDelimiter(built) + "':\"$PATH\" " +
                                  ComposeCommandLine(job(clip, dir)) + " > '" + dir + "reference.txt' 2>&1";
    if (RunToEnd({"/bin/sh", "-c", reference}) != 0 || std::rename((dir + "clip.avi").c_str(), (dir + "reference.avi").c_str()) != 0) {
      std::fprintf(stderr, "batch_bench: the reference encoding failed\n");
      return 1;
    }
    ::setenv("TM_STEADY_ENCODER", encoder.c_str(), 1);
    ::setenv("TM_STEADY_CONSOLE", (dir + "reference.txt").c_str(), 1);
    ::setenv("TM_STEADY_OUTPUT", (dir + "reference.avi").c_str(), 1);
    ::setenv("TM_STEADY_SECONDS", std::to_string(seconds).c_str(), 1);
  }

  std::vector<TCommandInputs> loopJobs;
  for (const std::string& s : sources) loopJobs.push_back(job(s, dir + "loop"));
  WriteFileAtomically(dir + "loop.sh", LoopScript(program, loopJobs));

  char kind[64];
  std::snprintf(kind, sizeof kind, steady ? "steady stand-in encoder, %.1f s a job" : "%.0f s clips, real encoder",
                seconds);
  std::printf("batch_bench: %d jobs, %s (320x240 H.264 -> %s, %s, %s), %d round(s)\n", jobs, kind,
              resolution.c_str(), quality.c_str(), aspect.c_str(), rounds);
  double loopSum = 0, batchSum = 0, parallelSum = 0;
  std::vector<double> ratios;
  for (int round = 0; round < rounds; ++round) {
    std::system(("cd '" + dir + "' && rm -rf loop batch parallel && mkdir loop batch parallel").c_str());
    const double loop = TimedRun({"/bin/sh", dir + "loop.sh"});
    std::vector<std::string> batch{program + "tesmaro-batch", "-q", "-r", resolution, "--quality", quality,
                                   "-a", aspect, "-o", dir + "batch", "--"};
    batch.insert(batch.end(), sources.begin(), sources.end());
    const double one = TimedRun(batch);
    loopSum += loop;
    batchSum += one;
    ratios.push_back(one / loop);
    std::printf("round %d: shell loop %.3f s, tesmaro-batch %.3f s (ratio %.4f, %+.0f ms)", round + 1, loop, one,
                one / loop, (one - loop) * 1000);
    if (!steady) {
      batch[9] = dir + "parallel";
      batch.insert(batch.begin() + 1, {"-j", "2"});
      const double two = TimedRun(batch);
      parallelSum += two;
      std::printf(", --parallel 2 %.2f s (ratio %.3f)", two, two / one);
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  std::printf("overall: batch / loop = %.4f, median of rounds %.4f (goal <= 1.01); batch adds %.0f ms to %d jobs\n",
              batchSum / loopSum, Median(ratios), (batchSum - loopSum) * 1000 / rounds, jobs);
  if (!steady) std::printf("parallel 2 / batch = %.3f (goal <= 0.6)\n", parallelSum / batchSum);
  std::system(("rm -rf '" + dir + "'").c_str());
  return 0;
}
