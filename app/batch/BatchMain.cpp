// tesmaro-batch: converts video files from a terminal or a script with the
// engine the windows use (Converter.ini, the command line, the encoder
// runner with its verification and logs, the job table's text format).
//
// Exit status: 0 every job done, 1 some job failed, 2 bad usage, a bad
// configuration or problems found by the check of the batch (nothing run),
// 128 + n when ended by signal n (130 for Ctrl+C).

#include <cstdio>
#include <string>
#include <vector>

#include "app/batch/BatchOptions.h"
#include "app/batch/BatchPlan.h"
#include "app/batch/BatchRun.h"
#include "app/batch/BatchTexts.h"
#include "app/encoder/ConverterConfig.h"
#include "app/encoder/EncoderFiles.h"
#include "app/encoder/JobCommand.h"
#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"

using namespace tsm;

namespace {

constexpr int kUsage = 2;

bool g_zh = false;

std::string Msg(const std::string& chinese, const std::string& english) { return g_zh ? chinese : english; }

int Fail(const std::string& text, int status = kUsage) {
  std::fprintf(stderr, "tesmaro-batch: %s\n", text.c_str());
  return status;
}

void ListProblems(const std::vector<std::string>& problems, const std::string& heading) {
  std::fprintf(stderr, "tesmaro-batch: %s\n", heading.c_str());
  for (const std::string& p : problems) std::fprintf(stderr, "  %s\n", p.c_str());
}

void ListProfiles(const TConverterChoices& lists) {
  const struct {
    const char *zh, *en;
    const TProfileList& list;
  } groups[] = {{"分辨率 (--resolution)", "resolutions (--resolution)", lists.resolution},
                {"转换品质 (--quality)", "qualities (--quality)", lists.quality},
                {"宽高比 (--aspect)", "aspects (--aspect)", lists.aspect}};
  for (const auto& g : groups) {
    std::printf("%s:\n", g_zh ? g.zh : g.en);
    for (size_t i = 0; i < g.list.items.size(); ++i)
      if (!g.list.items[i].empty())
        std::printf("  %s %s\n", static_cast<int>(i) == g.list.itemIndex ? "*" : " ", g.list.items[i].c_str());
  }
  std::printf("%s\n", Msg("(* 上次选择的项目, 也是默认值)", "(* the entry chosen last, the default)").c_str());
}

int Main(const std::vector<std::string>& args) {
  g_zh = ChineseMessages();
  const TParsedArguments parsed = ParseBatchArguments(args, g_zh);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "tesmaro-batch: %s\n%s", parsed.error.c_str(), TryHelpText(g_zh).c_str());
    return kUsage;
  }
  const TBatchOptions& o = parsed.options;
  if (o.help) {
    std::fputs(HelpText(g_zh).c_str(), stdout);
    return 0;
  }
  const std::string programFolder = ProgramFolder();
  TConverterConfig config(programFolder);
  if (o.version) {
    std::fputs(VersionText(config.Exists() ? config.Version() : std::string()).c_str(), stdout);
    return 0;
  }
  if (!config.Exists())
    return Fail(Msg("程序被破坏,请重新安装或修复! (" + config.FileName() + " 不存在)",
                    "the program is damaged, reinstall or repair it: " + config.FileName() + " is missing"));
  TConverterChoices lists;
  try {
    config.Load(lists);
  } catch (const Exception& e) {
    return Fail(config.FileName() + ": " + e.Message());
  }
  if (o.listProfiles) {
    ListProfiles(lists);
    return 0;
  }

  TBatchPlan plan;
  if (const std::string error = plan.Build(o, config, lists, g_zh); !error.empty()) return Fail(error);
  const std::vector<std::string> problems = plan.Check(config, lists, o.overwrite, g_zh);

  if (o.printCommands) {
    const std::string encoder = programFolder + kEncoderFileName;
    int bad = 0;
    for (const TBatchJob& job : plan.jobs) {
      if (job.skipped) continue;
      TCommandInputs inputs;
      std::string reason;
      if (!JobCommandInputs(job.record, config, lists, inputs, reason, g_zh)) {
        std::fprintf(stderr, "tesmaro-batch: %s: %s\n", job.record.source.c_str(), reason.c_str());
        ++bad;
        continue;
      }
      std::printf("%s\n", SelfContainedCommandLine(inputs, encoder).c_str());
    }
    return bad > 0 ? kUsage : 0;
  }
  if (o.saveJobsFile || o.dryRun) {
    if (o.dryRun)
      for (size_t i = 0; i < plan.jobs.size(); ++i) {
        const TBatchJob& job = plan.jobs[i];
        if (job.skipped)
          std::printf("%zu: %s\n", i + 1, Msg("已完成, 跳过", "already done, skipped").c_str());
        else if (!job.inputs.options.empty())
          std::printf("%zu: %s\n", i + 1, ComposeCommandLine(job.inputs).c_str());
      }
    if (!problems.empty())
      ListProblems(problems, o.dryRun ? Msg("批次检查发现以下问题:", "the check of the batch found these problems:")
                                      : Msg("注意, 批次检查发现以下问题:", "note, the check of the batch found these problems:"));
    if (o.saveJobsFile) {
      const std::vector<std::string> tooLong = plan.TooLongForJobList(g_zh);
      if (!tooLong.empty()) {
        ListProblems(tooLong, Msg("任务列表没有保存:", "the job list was not saved:"));
        return kUsage;
      }
      if (!WriteFileAtomically(*o.saveJobsFile, plan.JobListText()))
        return Fail(Msg("无法写入 ", "cannot write ") + *o.saveJobsFile);
    }
    return o.dryRun && !problems.empty() ? kUsage : 0;
  }

  if (!FileExists(programFolder + kEncoderFileName))
    return Fail(Msg("程序被破坏,请重新安装或修复! (编码器 " + programFolder + kEncoderFileName + " 不存在)",
                    "the program is damaged, reinstall or repair it: the encoder " + programFolder +
                        kEncoderFileName + " is missing"));
  if (!problems.empty()) {
    ListProblems(problems, Msg("批次检查发现以下问题, 没有转换任何文件:",
                               "the check of the batch found these problems; nothing was converted:"));
    return kUsage;
  }
  TBatchRun run(plan, o, g_zh, stdout, stderr);
  const int status = run.Run(programFolder);
  // A job list gets its results: the next run takes up the pending jobs.
  if (o.jobsFile && !WriteFileAtomically(*o.jobsFile, plan.JobListText()))
    std::fprintf(stderr, "tesmaro-batch: %s%s\n", Msg("无法写回任务列表 ", "cannot write the job list back to ").c_str(),
                 o.jobsFile->c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return Main(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tesmaro-batch: %s\n", e.what());
    return kUsage;
  }
}
