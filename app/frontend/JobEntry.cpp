#include "app/frontend/JobEntry.h"

#include "framework/base/SysUtils.h"

namespace tsm {

TJobRecord TJobEntry::Record() const {
  TJobRecord r;
  r.source = Trim(source);
  r.folder = Trim(folder);
  r.name = Trim(name);
  r.resolution = Trim(resolution);
  r.quality = Trim(quality);
  r.aspect = Trim(aspect);
  r.range = range;
  r.startHours = IntToStr(startHours);
  r.startMinutes = IntToStr(startMinutes);
  r.durationHours = IntToStr(durationHours);
  r.durationMinutes = IntToStr(durationMinutes);
  r.status = std::string(kJobPending);
  return r;
}

TCommandInputs TJobEntry::CommandInputs(const TConverterConfig& config) const {
  TCommandInputs in;
  in.sourcePath = source;
  in.targetFolder = folder;
  in.targetName = name;
  in.options = config.ReadParameter(qualityIndex, resolutionIndex, aspectIndex);
  in.range = range;
  in.startHours = startHours;
  in.startMinutes = startMinutes;
  in.durationHours = durationHours;
  in.durationMinutes = durationMinutes;
  return in;
}

void TJobEntry::ReadRange(const TJobRecord& job) {
  const int h1 = StrToInt(job.startHours), m1 = StrToInt(job.startMinutes);
  const int h2 = StrToInt(job.durationHours), m2 = StrToInt(job.durationMinutes);
  startHours = h1;
  startMinutes = m1;
  durationHours = h2;
  durationMinutes = m2;
}

void StoreJob(TmtMemTable& jobs, const TJobEntry& entry, TBookmark editing) {
  if (editing != 0 && jobs.BookmarkValid(editing)) {
    jobs.SetBookmark(editing);
    jobs.StartEdit();
  } else {
    jobs.StartAppend();
  }
  try {
    entry.Record().Write(jobs);
    jobs.PostRecord();
  } catch (...) {
    jobs.CancelRecord();
    throw;
  }
}

std::string SourceFolderOf(std::string_view sourcePath) {
  const std::string path = Trim(sourcePath);
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace tsm
