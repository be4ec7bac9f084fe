#include "app/joblist/SavedJobs.h"

#include "app/encoder/JobLog.h"
#include "app/jobs/JobTable.h"
#include "framework/base/Exception.h"
#include "platform/core/Utf8.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"

namespace tsm {

namespace {

// An open, empty table with the job fields.
void OpenJobTable(TmtMemTable& table) {
  DefineJobFields(table);
  table.Open();
}

bool IsStoredField(const TField& f) { return f.FieldKind() == TFieldKind::fkData && !f.IsBlob(); }

// Line endings do not count when the text is compared with its reading.
std::string WithLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Why a loaded job is not one of ours; empty when it is.
std::string JobProblem(const TmtMemTable& t, int row) {
  auto text = [&](std::string_view field) { return t.RowText(row, *t.FieldNamed(field)); };
  const std::string number = std::to_string(row + 1);
  if (text(jobfield::kSourceFile).empty() || text(jobfield::kTargetName).empty())
    return "任务 " + number + " 没有源文件或目标文件名";
  const std::string status = text(jobfield::kStatus);
  const std::string progress = text(jobfield::kProgress);
  const std::optional<int> percent = ParseProgress(progress);
  const bool finished = status == kJobFinished;
  if (!finished && status != kJobPending) return "任务 " + number + " 的状态 \"" + status + "\" 无效";
  if (finished ? progress != kProgressFinished : !progress.empty() && (!percent || *percent > 99))
    return "任务 " + number + " 的进度 \"" + progress + "\" 与状态不符";
  return std::string();
}

}  // namespace

std::string SavedJobsPath() { return ProgramStateFolder() + "/" + kSavedJobsFileName; }

std::string PendingJobsText(const TmtMemTable& jobs) {
  TmtMemTable keep("savedJobs");
  OpenJobTable(keep);
  const TField* status = jobs.FieldNamed(jobfield::kStatus);
  for (int row = 0; row < jobs.RowCount(); ++row) {
    if (jobs.RowText(row, *status) == kJobFinished) continue;
    keep.StartAppend();
    for (int i = 0; i < keep.FieldCount(); ++i) {
      TField* to = keep.Fields(i);
      const TField* from = IsStoredField(*to) ? jobs.FindField(to->FieldName()) : nullptr;
      if (from == nullptr || jobs.RowIsNull(row, *from)) continue;
      if (to->DataType() == TFieldType::ftBoolean)
        to->SetBoolean(jobs.RowBoolean(row, *from));
      else
        to->SetText(jobs.RowText(row, *from));
    }
    keep.PostRecord();
  }
  return keep.SaveToText();
}

std::string ReadSavedJobs(std::string_view text, TmtMemTable& jobs) {
  if (!IsValidUtf8(text)) return "不是 UTF-8 文本";
  TmtMemTable read("savedJobs");
  OpenJobTable(read);
  const std::string header = WithLf(read.SaveToText());  // the field names alone
  const std::string lines = WithLf(text);
  if (lines.compare(0, header.size(), header) != 0) return "第一行不是任务列表的字段名";
  try {
    read.LoadFromText(text);
  } catch (const Exception& e) {
    return "无法读取: " + e.Message();
  }
  if (WithLf(read.SaveToText()) != lines) return "内容不完整或有多余的值";
  for (int row = 0; row < read.RowCount(); ++row)
    if (std::string problem = JobProblem(read, row); !problem.empty()) return problem;
  jobs.LoadFromText(text);
  return std::string();
}

std::string LoadSavedJobs(const std::string& path, TmtMemTable& jobs) {
  if (!PathExists(path)) return std::string();
  std::string text;
  std::string problem = ReadFileBytes(path, text) ? ReadSavedJobs(text, jobs) : "无法读取文件";
  if (problem.empty()) return std::string();
  const std::string aside = SetFileAside(path, kSetAsideSuffix);
  return "上次保存的任务列表 " + path + " 已损坏 (" + problem + "), 未能载入。\n" +
         (aside.empty() ? "该文件也无法改名, 请手动移走。" : "该文件已改名为 " + aside + "。");
}

bool SaveSavedJobs(const std::string& path, const TmtMemTable& jobs) {
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !CreateFolders(path.substr(0, slash))) return false;
  return WriteFileAtomically(path, PendingJobsText(jobs));
}

}  // namespace tsm
