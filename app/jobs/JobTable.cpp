#include "app/jobs/JobTable.h"

#include "framework/base/SysUtils.h"

namespace tsm {

namespace {

struct TJobColumn {
  std::string_view name;
  int size;
  std::string_view label;
  int width;
};

// Sizes are bytes of UTF-8. The job list holds the same texts as one whose
// sizes count a double-byte code page (a Chinese character in 2 bytes): each
// size is 3/2 of that one, rounded up, because a Chinese character takes 3
// bytes here. So "源文件" holds 100 Chinese characters and "转化品质" 5.
constexpr TJobColumn kTextColumns[] = {
    {jobfield::kSourceFile, 300, "源文件", 35},      {jobfield::kTargetFolder, 300, "目标路径", 27},
    {jobfield::kTargetName, 150, "目标文件名", 11},  {jobfield::kProgress, 8, "进度", 6},
    {jobfield::kStatus, 15, "状态", 7},              {jobfield::kResolution, 30, "分辨率", 11},
    {jobfield::kQuality, 15, "转化品质", 12},        {jobfield::kAspect, 15, "宽高比", 12},
    {jobfield::kRangeStartHours, 15, "开始时", 12},  {jobfield::kRangeStartMinutes, 15, "开始分", 12},
    {jobfield::kRangeHours, 15, "持续时", 12},       {jobfield::kRangeMinutes, 15, "持续分", 12},
};
}  // namespace

void DefineJobFields(TmtMemTable& table) {
  for (const TJobColumn& c : kTextColumns) {
    TStringField* f = table.AddStringField(c.name, c.size);
    f->SetDisplayLabel(c.label);
    f->SetDisplayWidth(c.width);
    f->SetVisible(true);
  }
  table.AddBooleanField(jobfield::kRangeOnly)->SetVisible(false);
}

std::string ProgressText(int percent) { return std::to_string(percent) + "%"; }

std::string_view StatusForProgress(int percent) { return percent == 100 ? kJobFinished : kJobPending; }

std::optional<int> ParseProgress(std::string_view progress) {
  const std::string s = Trim(progress);
  if (s.size() < 2 || s.back() != '%') return std::nullopt;
  const std::string digits = s.substr(0, s.size() - 1);
  for (char c : digits)
    if (c < '0' || c > '9') return std::nullopt;
  int32_t value;
  if (!TryStrToInt(digits, value)) return std::nullopt;
  return value;
}

bool IsFinishedProgress(std::string_view progress) { return Trim(progress) == kProgressFinished; }

bool IsStartedProgress(std::string_view progress) { return !Trim(progress).empty(); }

bool LocateJob(TmtMemTable& table, std::string_view targetName) {
  const TField* name = table.FieldNamed(jobfield::kTargetName);
  if (table.RecordTotal() > 0 && table.State() != TableState::Insert && name->GetText() == targetName)
    return true;
  return table.FindRecord(jobfield::kTargetName, TVariant(targetName));
}

void WriteJobProgress(TmtMemTable& table, int percent) {
  table.StartEdit();
  table.FieldNamed(jobfield::kProgress)->SetText(ProgressText(percent));
  table.FieldNamed(jobfield::kStatus)->SetText(StatusForProgress(percent));
}

bool UpdateJobProgress(TmtMemTable& table, std::string_view targetName, int percent) {
  if (!LocateJob(table, targetName)) return false;
  WriteJobProgress(table, percent);
  return true;
}

bool FindFirstPendingJob(TmtMemTable& table) {
  return table.FindRecord(jobfield::kStatus, TVariant(kJobPending));
}

int FirstPendingRow(const TmtMemTable& table) {
  const TField& status = *table.FieldNamed(jobfield::kStatus);
  for (int row = 0; row < table.RowCount(); ++row)
    if (table.RowText(row, status) == kJobPending) return row;
  return -1;
}

}  // namespace tsm
