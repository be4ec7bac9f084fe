// A stand-in for the encoder that takes the same time for every job, so
// that what a batch adds to its jobs can be measured to a few milliseconds
// (the real encoder's own time varies by a few per cent from run to run).
//
// It replays the console output of one real encoding (TM_STEADY_CONSOLE),
// its progress lines spread evenly over TM_STEADY_SECONDS, then copies that
// encoding's output (TM_STEADY_OUTPUT) to the file after "-o" and prints the
// end summary. A copy run ("-ovc copy", the output's identify run) is the
// real encoder's (TM_STEADY_ENCODER), so outputs are measured for real.

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

bool ReadAll(const std::string& path, std::string& out) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[65536];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
  ::close(fd);
  return n == 0;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void SleepUntil(const timespec& start, double seconds) {
  timespec at = start;
  const long long ns = static_cast<long long>(seconds * 1e9);
  at.tv_sec += static_cast<time_t>(ns / 1000000000);
  at.tv_nsec += static_cast<long>(ns % 1000000000);
  if (at.tv_nsec >= 1000000000) {
    at.tv_nsec -= 1000000000;
    ++at.tv_sec;
  }
  while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) != 0) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string target;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "-ovc" && i + 1 < argc && std::string_view(argv[i + 1]) == "copy") {
      const std::string encoder = Env("TM_STEADY_ENCODER");
      argv[0] = const_cast<char*>(encoder.c_str());
      ::execv(encoder.c_str(), argv);
      std::perror("steady_encoder: the real encoder");
      return 127;
    }
    if (a == "-o" && i + 1 < argc) target = argv[i + 1];
  }
  std::string console, output;
  const double seconds = std::atof(Env("TM_STEADY_SECONDS").c_str());
  if (target.empty() || seconds <= 0 || !ReadAll(Env("TM_STEADY_CONSOLE"), console) ||
      !ReadAll(Env("TM_STEADY_OUTPUT"), output)) {
    std::fprintf(stderr, "steady_encoder: needs -o, TM_STEADY_SECONDS, TM_STEADY_CONSOLE and TM_STEADY_OUTPUT\n");
    return 2;
  }
  // Pieces: what comes before the first progress line, each progress line,
  // and the last progress line with the end summary after it.
  std::vector<size_t> starts{0};
  for (size_t at = console.find("Pos:"); at != std::string::npos; at = console.find("Pos:", at + 4))
    if (at > 0) starts.push_back(at);
  starts.push_back(console.size());
  const size_t pieces = starts.size() - 1;

  timespec start;
  ::clock_gettime(CLOCK_MONOTONIC, &start);
  for (size_t i = 0; i < pieces; ++i) {
    if (i > 0) SleepUntil(start, seconds * static_cast<double>(i) / static_cast<double>(pieces));
    if (i + 1 == pieces) {
      const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (fd < 0 || !WriteAll(fd, output) || ::close(fd) != 0) {
        std::fprintf(stderr, "steady_encoder: cannot write %s\n", target.c_str());
        return 1;
      }
    }
    if (!WriteAll(1, std::string_view(console).substr(starts[i], starts[i + 1] - starts[i]))) return 1;
  }
  return 0;
}
