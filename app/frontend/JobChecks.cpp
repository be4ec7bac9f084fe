#include "app/frontend/JobChecks.h"

#include <map>

#include "app/frontend/ConverterTexts.h"
#include "app/jobs/JobTable.h"
#include "framework/base/SysUtils.h"
#include "platform/core/Utf8.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

namespace tsm {

namespace {

bool TooLong(const TmtMemTable& jobs, std::string_view field, const std::string& text) {
  return static_cast<int>(text.size()) > jobs.FieldNamed(field)->Size();
}

// Canonical target paths of the jobs' rows, each folder resolved once.
class TTargetPaths {
 public:
  std::string Of(const std::string& folder, const std::string& name) {
    auto found = m_folders.find(folder);
    if (found == m_folders.end()) found = m_folders.emplace(folder, CanonicalPath(folder + "/x")).first;
    const std::string& canonicalX = found->second;
    return canonicalX.substr(0, canonicalX.size() - 1) + name;
  }

 private:
  std::map<std::string, std::string> m_folders;
};

}  // namespace

std::string JobTargetPath(std::string_view folder, std::string_view name) { return Trim(folder) + "/" + Trim(name); }

std::string CanonicalPath(std::string_view path) {
  const std::string text(path);
  const size_t slash = text.rfind('/');
  if (slash != std::string::npos) {
    const std::string folder = slash == 0 ? std::string("/") : text.substr(0, slash);
    const std::string name = text.substr(slash + 1);
    if (name != "." && name != "..") {
      const std::string resolved = ResolvedPath(folder);
      if (!resolved.empty()) return (resolved == "/" ? std::string() : resolved) + "/" + name;
    }
  }
  const std::string resolved = ResolvedPath(text);
  return resolved.empty() ? AbsolutePath(text) : resolved;
}

bool SamePath(std::string_view a, std::string_view b) {
  return CanonicalPath(a) == CanonicalPath(b) || SameFile(std::string(a), std::string(b));
}

std::string WithAviExtension(std::string_view name) {
  std::string n = Trim(name);
  if (n.size() < 4 || n.compare(n.size() - 4, 4, ".avi") != 0) n += ".avi";
  return n;
}

bool IsValidFileName(std::string_view name) {
  return Utf8Length(name) <= 260 && name.find_first_of("\\/:*?\"<>|") == std::string_view::npos;
}

TJobCheck CheckSave(const TJobEntry& entry, const TmtMemTable& jobs, TBookmark editing) {
  const std::string resolution = Trim(entry.resolution), folder = Trim(entry.folder), name = Trim(entry.name);
  const std::string source = Trim(entry.source), quality = Trim(entry.quality), aspect = Trim(entry.aspect);
  if (resolution.empty() || TooLong(jobs, jobfield::kResolution, resolution))
    return {texts::kBadResolution, TJobControl::Resolution};
  if (folder.empty() || TooLong(jobs, jobfield::kTargetFolder, folder))
    return {texts::kBadTargetFolder, TJobControl::TargetFolder};
  if (name.empty() || TooLong(jobs, jobfield::kTargetName, name)) return {texts::kBadName, TJobControl::TargetName};
  if (!FileExists(source) || TooLong(jobs, jobfield::kSourceFile, source))
    return {texts::kBadSource, TJobControl::Source};
  if (TooLong(jobs, jobfield::kQuality, quality)) return {texts::kBadQuality, TJobControl::Quality};
  if (TooLong(jobs, jobfield::kAspect, aspect)) return {texts::kBadAspect, TJobControl::Aspect};

  TTargetPaths paths;
  const std::string target = paths.Of(folder, name);
  const TField& folderField = *jobs.FieldNamed(jobfield::kTargetFolder);
  const TField& nameField = *jobs.FieldNamed(jobfield::kTargetName);
  const TField& statusField = *jobs.FieldNamed(jobfield::kStatus);
  bool finished = false;
  for (int row = 0; row < jobs.RowCount(); ++row) {
    if (paths.Of(jobs.RowText(row, folderField), jobs.RowText(row, nameField)) != target) continue;
    if (editing == 0 || jobs.RowBookmark(row) != editing) return {texts::kDuplicateTarget, TJobControl::TargetName};
    finished = finished || jobs.RowText(row, statusField) == kJobFinished;
  }
  if (SamePath(JobTargetPath(folder, name), source)) return {texts::kTargetIsSource, TJobControl::TargetFolder};
  if (finished) return {texts::kTargetFinished, TJobControl::Source};
  return {};
}

TJobCheck CheckStart(const TJobEntry& entry, std::string& runName) {
  const std::string folder = Trim(entry.folder), name = Trim(entry.name);
  if (!FileExists(Trim(entry.source))) return {texts::kBadSource, TJobControl::None};
  if (folder.empty() || name.empty()) return {texts::kNoTarget, TJobControl::TargetFolder};
  if (!IsValidFileName(name)) return {texts::kBadTargetName, TJobControl::TargetName};
  const std::string run = WithAviExtension(name);
  if (SamePath(JobTargetPath(folder, run), Trim(entry.source))) return {texts::kTargetIsSource, TJobControl::TargetFolder};
  runName = run;
  return {};
}

}  // namespace tsm
