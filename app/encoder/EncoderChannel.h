#pragma once
// The runner's way to the processes: the command shell it writes to and
// reads from, and the running test and ending of the encoder and shells.
// TEncoderShell is the real one; tests substitute scripted ones.

#include <cstddef>
#include <string>
#include <string_view>

namespace tsm {

class IEncoderChannel {
 public:
  virtual ~IEncoderChannel() = default;
  // Starts a new shell with new pipes; an earlier shell keeps running until
  // it is ended by name. Raises EInOutError when the shell cannot start.
  virtual void StartShell() = 0;
  // True while the newest shell runs and takes input.
  virtual bool ShellAlive() = 0;
  // True when the job's shell (see BytesWaiting) has ended: it will report
  // nothing more.
  virtual bool JobShellGone() { return false; }
  // Writes text to the newest shell's input in one write; that shell becomes
  // the job's shell. False when there is no shell or it has gone.
  virtual bool SendCommand(std::string_view text) = 0;
  // Bytes waiting in the output pipe of the job's shell: the shell the last
  // command went to, whatever shells were started since (the newest one
  // before any command was sent). A job's encoder writes to its own shell's
  // pipe, which must be read until the job ends or the encoder blocks.
  virtual size_t BytesWaiting() = 0;
  // Reads at most size waiting bytes of the job's shell without blocking;
  // the count read, 0 when nothing waits, -1 on an error.
  virtual long ReadOutput(char* buffer, size_t size) = 0;
  // True while a live process with the image name runs among the shells
  // this channel started and everything they started.
  virtual bool IsRunning(const std::string& imageName) = 0;
  // Ends those of the above whose image name equals name exactly (case
  // included); no other process is ever signalled. Returns the count.
  virtual int EndProcessesByName(const std::string& name) = 0;
  // Closes the pipe ends of every shell started.
  virtual void CloseHandles() = 0;

  // True when the channel's shell runs further commands that the runner
  // sends after the job's command line: then the runner asks the shell to
  // report the command's exit status on a line of its own, which is also
  // the moment the job has ended.
  virtual bool ReportsExitStatus() const { return false; }
  // A descriptor that becomes readable when the job's shell has output or
  // has gone (to wait on instead of polling); -1 when there is none.
  virtual int OutputHandle() const { return -1; }
  // The bell of the job's shell: a descriptor that becomes readable once
  // the shell has run BellCommand(), which the runner sends after a job's
  // exit report. A program can then sleep through a job's progress output
  // and still learn of its end at once. -1, and an empty command, when the
  // channel has none; ClearBell takes what rang it.
  virtual int BellHandle() const { return -1; }
  virtual std::string BellCommand() const { return std::string(); }
  virtual void ClearBell() {}
};

}  // namespace tsm
