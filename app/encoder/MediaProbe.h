#pragma once
// Identify runs: how long a source plays and how long an output really
// plays, measured by separate processes while the user-interface thread
// goes on.
//
//   source: mplayer -identify on the container (ID_LENGTH=<seconds>), read
//           with the same demuxer as the shipped templates; the program
//           beside the encoder the program folder's mencoder.exe leads to.
//   output: the program folder's encoder copies the video of the output
//           to nowhere and prints its end summary, whose video line gives
//           the seconds of video actually present. A cut-off file shows
//           its true length here, whatever its header claims.
// Paths go to the programs as arguments of their own, never through a shell.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/ChildProcess.h"

namespace tsm {

enum class TProbeKind { Source, Output };

struct TProbeResult {
  double seconds = -1;  // -1: not found
  std::string text;     // what the run printed (for the job's log)
};

class IMediaProbe {
 public:
  virtual ~IMediaProbe() = default;
  // Starts a run of that kind on path; a run of the same kind still going
  // is ended first.
  virtual void Start(TProbeKind kind, const std::string& path) = 0;
  // Without blocking: true once the run has ended, with its result. False
  // while it runs. A kind that was never started counts as ended, with no
  // length.
  virtual bool Poll(TProbeKind kind, TProbeResult& result) = 0;
  // Descriptors that become readable while runs print or end.
  virtual void AddWaitHandles(std::vector<int>& fds) const = 0;
  // Ends every run.
  virtual void Cancel() = 0;
};

// The seconds of the last ID_LENGTH line; -1 when there is none or it is 0.
double ParseIdentifyLength(std::string_view text);
// The seconds of the last video end summary line; -1 when there is none or
// it gives no number.
double ParseCopiedVideoLength(std::string_view text);

class TMediaProbe : public IMediaProbe {
 public:
  // programFolder ends in "/".
  explicit TMediaProbe(const std::string& programFolder);
  ~TMediaProbe() override;

  void Start(TProbeKind kind, const std::string& path) override;
  bool Poll(TProbeKind kind, TProbeResult& result) override;
  void AddWaitHandles(std::vector<int>& fds) const override;
  void Cancel() override;

  // The source's run goes on beside its encoder, so it runs in the
  // background (lowest priority) and never takes the encoder's processor.
  // The output's run does too when set here: for a program that starts the
  // next encoder before an output is checked. Otherwise it runs at normal
  // priority, as nothing of ours waits beside it.
  void SetOutputChecksInBackground(bool background) { m_outputInBackground = background; }

  // The argument lists of the two runs.
  std::vector<std::string> SourceCommand(const std::string& path) const;
  std::vector<std::string> OutputCommand(const std::string& path) const;

 private:
  struct TRun {
    std::unique_ptr<TChildProcess> process;
    std::string text;
    bool started = false;
  };
  TRun& RunOf(TProbeKind kind) { return kind == TProbeKind::Source ? m_source : m_output; }
  bool m_outputInBackground = false;

  std::string m_encoder;   // the program folder's encoder
  std::string m_identify;  // the identify program
  TRun m_source, m_output;
};

}  // namespace tsm
