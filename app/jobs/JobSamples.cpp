#include "app/jobs/JobSamples.h"

#include "app/jobs/JobTable.h"

namespace tsm {

void AppendSampleJob(TmtMemTable& table, int i) {
  static const char* const kFolders[] = {"/home/user/视频", "/media/disk/录像/2024", "/srv/share/clips"};
  static const char* const kProfiles[] = {"640x480", "720x576", "320x240"};
  static const char* const kQuality[] = {"高", "中", "低"};
  static const char* const kAspect[] = {"4:3", "16:9", "原始"};
  const std::string n = std::to_string(i + 1);
  table.StartAppend();
  const auto set = [&](std::string_view field, const std::string& value) { table.FieldNamed(field)->SetText(value); };
  set(jobfield::kSourceFile, std::string(kFolders[i % 3]) + "/片段" + n + ".mpg");
  set(jobfield::kTargetFolder, "/home/user/转换");
  set(jobfield::kTargetName, "片段" + n + ".avi");
  const int progress = i % 7 == 0 ? 100 : i % 5 == 0 ? (i * 13) % 99 + 1 : 0;
  set(jobfield::kProgress, progress ? ProgressText(progress) : "");
  set(jobfield::kStatus, std::string(StatusForProgress(progress)));
  set(jobfield::kResolution, kProfiles[i % 3]);
  set(jobfield::kQuality, kQuality[i % 3]);
  set(jobfield::kAspect, kAspect[i % 3]);
  const bool range = i % 4 == 1;
  table.FieldNamed(jobfield::kRangeOnly)->SetBoolean(range);
  if (range) {
    set(jobfield::kRangeStartHours, "0");
    set(jobfield::kRangeStartMinutes, std::to_string(i % 60));
    set(jobfield::kRangeHours, "1");
    set(jobfield::kRangeMinutes, "30");
  }
  table.PostRecord();
}

std::unique_ptr<TmtMemTable> MakeJobTable(int jobs) {
  auto table = std::make_unique<TmtMemTable>();
  DefineJobFields(*table);
  table->Open();
  for (int i = 0; i < jobs; ++i) AppendSampleJob(*table, i);
  table->MoveFirst();
  return table;
}

}  // namespace tsm
