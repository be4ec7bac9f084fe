#include "app/batch/BatchPlan.h"

#include <map>

#include "app/jobs/JobTable.h"
#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

namespace tsm {

namespace {

std::string Msg(bool zh, const std::string& chinese, const std::string& english) { return zh ? chinese : english; }

std::string Names(const TProfileList& list) {
  std::string out;
  for (const std::string& item : list.items)
    if (!item.empty()) out += (out.empty() ? "" : ", ") + item;
  return out;
}

}  // namespace

TBatchPlan::TBatchPlan() {
  DefineJobFields(table);
  table.Open();
}

std::string TBatchPlan::Build(const TBatchOptions& o, const TConverterConfig&, const TConverterChoices& lists,
                              bool zh) {
  jobs.clear();
  if (o.jobsFile) {
    try {
      table.LoadFromTextFile(*o.jobsFile);
    } catch (const Exception& e) {
      return Msg(zh, "无法读取任务列表 " + *o.jobsFile + ": ", "cannot read the job list " + *o.jobsFile + ": ") +
             e.Message();
    }
    for (int row = 0; row < table.RecordTotal(); ++row) {
      table.SetRecordNumber(row + 1);
      TBatchJob job;
      job.record = TJobRecord::FromCurrent(table);
      job.row = row;
      job.skipped = job.record.status == kJobFinished;
      // Relative paths are taken from the current folder, as the shell would.
      if (!job.record.source.empty()) job.record.source = AbsolutePath(job.record.source);
      if (!job.record.folder.empty()) job.record.folder = AbsolutePath(job.record.folder);
      jobs.push_back(std::move(job));
    }
    if (jobs.empty()) return Msg(zh, "任务列表 " + *o.jobsFile + " 中没有任务", "the job list " + *o.jobsFile + " holds no job");
    return std::string();
  }

  // A profile by its option, else the remembered choice.
  struct TPick {
    const std::optional<std::string>& option;
    const TProfileList& list;
    const char *zh, *en, *flag;
    std::string value;
  } picks[] = {{o.resolution, lists.resolution, "分辨率", "resolution", "--resolution", {}},
               {o.quality, lists.quality, "转换品质", "quality", "--quality", {}},
               {o.aspect, lists.aspect, "宽高比", "aspect", "--aspect", {}}};
  for (TPick& p : picks) {
    if (p.option) {
      p.value = Trim(*p.option);
      bool known = false;
      for (const std::string& item : p.list.items) known |= !item.empty() && item == p.value;
      if (!known)
        return Msg(zh, std::string("Converter.ini 中没有") + p.zh + " \"" + p.value + "\"; 可选: " + Names(p.list),
                   std::string("no ") + p.en + " \"" + p.value + "\" in Converter.ini; choose one of: " + Names(p.list));
    } else if (p.list.itemIndex >= 0 && !p.list.text.empty()) {
      p.value = p.list.text;
    } else {
      return Msg(zh, std::string("没有上次选择的") + p.zh + ": 请用 " + p.flag + " 指定 (" + Names(p.list) + ")",
                 std::string("no ") + p.en + " was chosen before: give " + p.flag + " (" + Names(p.list) + ")");
    }
  }
  for (const std::string& source : o.sources) {
    TBatchJob job;
    TJobRecord& r = job.record;
    r.source = AbsolutePath(source);
    r.folder = o.output ? AbsolutePath(*o.output) : ExtractFileDir(r.source);
    if (r.folder.empty()) r.folder = "/";
    r.name = DeriveTargetName(r.source);
    r.resolution = picks[0].value;
    r.quality = picks[1].value;
    r.aspect = picks[2].value;
    r.status = std::string(kJobPending);
    if (o.duration) {
      r.range = true;
      const TClock start = o.start.value_or(TClock{});
      r.startHours = IntToStr(start.hours);
      r.startMinutes = IntToStr(start.minutes);
      r.durationHours = IntToStr(o.duration->hours);
      r.durationMinutes = IntToStr(o.duration->minutes);
    }
    job.row = static_cast<int>(jobs.size());
    r.Append(table);
    jobs.push_back(std::move(job));
  }
  return std::string();
}

std::vector<std::string> TBatchPlan::Check(const TConverterConfig& config, const TConverterChoices& lists,
                                           bool overwrite, bool zh) {
  std::vector<std::string> problems;
  std::map<std::string, std::vector<int>> byTarget;
  for (size_t i = 0; i < jobs.size(); ++i) {
    TBatchJob& job = jobs[i];
    const TJobRecord& r = job.record;
    if (job.skipped) continue;
    const std::string n = Msg(zh, "任务 " + IntToStr(static_cast<int64_t>(i + 1)) + ": ",
                              "job " + IntToStr(static_cast<int64_t>(i + 1)) + ": ");
    auto problem = [&](const std::string& chinese, const std::string& english) {
      problems.push_back(n + Msg(zh, chinese, english));
    };
    std::string reason;
    if (!JobCommandInputs(r, config, lists, job.inputs, reason, zh)) problems.push_back(n + reason);
    const std::string target = r.folder + "/" + r.name;
    if (!FileExists(r.source))
      problem("源文件不存在: " + r.source, "the source does not exist: " + r.source);
    if (!IsValidTargetName(r.name))
      problem("目标文件名无效: \"" + r.name + "\"", "invalid target name \"" + r.name + "\"");
    else if (!DirectoryExists(r.folder))
      problem("目标路径不存在: " + r.folder, "the target folder does not exist: " + r.folder);
    else if (!IsWritableFolder(r.folder))
      problem("目标路径不可写: " + r.folder, "the target folder is not writable: " + r.folder);
    else if (AbsolutePath(target) == AbsolutePath(r.source) || SameFile(target, r.source))
      problem("源文件和目标文件发生冲突: " + target, "the target is its own source: " + target);
    else if (PathExists(target) && !overwrite)
      problem("目标文件已存在 (用 --overwrite 覆盖): " + target,
              "the target exists (--overwrite replaces it): " + target);
    byTarget[AbsolutePath(target)].push_back(static_cast<int>(i + 1));
  }
  for (const auto& [target, numbers] : byTarget) {
    if (numbers.size() < 2) continue;
    std::string list;
    for (int k : numbers) list += (list.empty() ? "" : ", ") + IntToStr(k);
    problems.push_back(Msg(zh, "任务 " + list + " 的目标文件相同: " + target,
                           "jobs " + list + " have the same target: " + target));
  }
  return problems;
}

std::vector<std::string> TBatchPlan::TooLongForJobList(bool zh) const {
  std::vector<std::string> problems;
  const std::string pathBytes = IntToStr(table.FieldNamed(jobfield::kSourceFile)->Size());
  const std::string nameBytes = IntToStr(table.FieldNamed(jobfield::kTargetName)->Size());
  for (size_t i = 0; i < jobs.size(); ++i) {
    const TJobRecord& r = jobs[i].record;
    auto fits = [&](std::string_view field, const std::string& value) {
      return static_cast<int>(value.size()) <= table.FieldNamed(field)->Size();
    };
    if (!fits(jobfield::kSourceFile, r.source) || !fits(jobfield::kTargetFolder, r.folder) ||
        !fits(jobfield::kTargetName, r.name)) {
      const std::string number = IntToStr(static_cast<int64_t>(i + 1));
      problems.push_back(Msg(zh,
                             "任务 " + number + ": 路径太长, 任务列表放不下 (源文件和目标路径最多 " + pathBytes +
                                 " 字节, 文件名最多 " + nameBytes + " 字节)",
                             "job " + number + ": a path too long for a job list (source and folder " + pathBytes +
                                 " bytes at most, name " + nameBytes + ")"));
    }
  }
  return problems;
}

std::string TBatchPlan::JobListText() { return table.SaveToText(); }

void TBatchPlan::SetResult(const TBatchJob& job, const std::string& progress, const std::string& status) {
  table.SetRecordNumber(job.row + 1);
  table.StartEdit();
  table.FieldNamed(jobfield::kProgress)->SetText(progress);
  table.FieldNamed(jobfield::kStatus)->SetText(status);
  table.PostRecord();
}

}  // namespace tsm
