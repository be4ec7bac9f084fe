#include "app/joblist/DroppedFiles.h"

#include <set>
#include <utility>

#include "app/jobs/JobTable.h"
#include "framework/base/SysUtils.h"
#include "platform/os/PathInfo.h"

namespace tsm {

namespace {

// A target as a comparable path: folder and name joined, made absolute.
std::string TargetPath(const std::string& folder, const std::string& name) {
  return AbsolutePath(folder + "/" + name);
}

bool Fits(const TmtMemTable& jobs, std::string_view field, const std::string& value) {
  return static_cast<int>(value.size()) <= jobs.FieldNamed(field)->Size();
}

}  // namespace

bool TDropChoices::Complete() const {
  return !Trim(resolution).empty() && !Trim(quality).empty() && !Trim(aspect).empty() && !Trim(targetFolder).empty();
}

TDropDecision DecideDrop(const std::vector<std::string>& paths, const TDropChoices& choices,
                         const TmtMemTable& jobs) {
  TDropDecision d;
  std::vector<std::pair<std::string, std::string>> problems;  // file, why
  for (const std::string& path : paths)
    if (!IsReadableFile(path)) problems.emplace_back(path, "无法读取");

  if (problems.empty() && !paths.empty() && !choices.Complete()) {
    d.action = TDropAction::OpenDialog;
    d.source = paths.front();
    return d;
  }

  if (problems.empty()) {
    std::set<std::string> targets;
    const TField* folderField = jobs.FieldNamed(jobfield::kTargetFolder);
    const TField* nameField = jobs.FieldNamed(jobfield::kTargetName);
    for (int row = 0; row < jobs.RowCount(); ++row)
      targets.insert(TargetPath(Trim(jobs.RowText(row, *folderField)), Trim(jobs.RowText(row, *nameField))));
    const std::string folder = Trim(choices.targetFolder);
    for (const std::string& path : paths) {
      TJobRecord job;
      job.source = path;
      job.folder = folder;
      job.name = DeriveTargetName(job.source);
      job.resolution = Trim(choices.resolution);
      job.quality = Trim(choices.quality);
      job.aspect = Trim(choices.aspect);
      job.status = kJobPending;
      const std::string target = TargetPath(job.folder, job.name);
      if (!Fits(jobs, jobfield::kSourceFile, job.source) || !Fits(jobs, jobfield::kTargetFolder, job.folder) ||
          !Fits(jobs, jobfield::kTargetName, job.name))
        problems.emplace_back(path, "路径太长, 任务列表放不下");
      else if (target == AbsolutePath(job.source) || SameFile(target, job.source))
        problems.emplace_back(path, "源文件和目标文件发生冲突");
      else if (!targets.insert(target).second)
        problems.emplace_back(path, "目标文件 " + target + " 已有任务");
      d.jobs.push_back(std::move(job));
    }
  }

  if (!problems.empty()) {
    d.action = TDropAction::ShowError;
    d.jobs.clear();
    d.error = "以下文件无法加入任务列表:";
    for (size_t i = 0; i < problems.size() && i < kDropErrorLines; ++i)
      d.error += "\n" + problems[i].first + " (" + problems[i].second + ")";
    if (problems.size() > kDropErrorLines)
      d.error += "\n还有 " + std::to_string(problems.size() - kDropErrorLines) + " 个文件";
  }
  return d;
}

}  // namespace tsm
