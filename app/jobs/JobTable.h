#pragma once
// The job table: one record per conversion job in a TmtMemTable, its schema
// (field order = the job list's column order), the values of the status and
// progress fields, and how a running job's record is found again.
//
//   #  field        class          Size  caption       width  shown
//   1  sourse_file  TStringField   300   "源文件"       35     yes  source video path
//   2  mbl          TStringField   300   "目标路径"     27     yes  target folder
//   3  mbw          TStringField   150   "目标文件名"   11     yes  target file name
//   4  jindu        TStringField     8   "进度"          6     yes  progress
//   5  zhuangtai    TStringField    15   "状态"          7     yes  status
//   6  fbl          TStringField    30   "分辨率"       11     yes  resolution profile
//   7  zhpz         TStringField    15   "转化品质"     12     yes  quality preset
//   8  kgb          TStringField    15   "宽高比"       12     yes  aspect-ratio preset
//   9  kss          TStringField    15   "开始时"       12     yes  range start, hours
//  10  ksf          TStringField    15   "开始分"       12     yes  range start, minutes
//  11  cxs          TStringField    15   "持续时"       12     yes  range duration, hours
//  12  cxf          TStringField    15   "持续分"       12     yes  range duration, minutes
//  13  fzhfw        TBooleanField    -   -              -      no   only a time range is converted
// The table's hidden "RecId" field stands before these (field index 0).
// Sizes are UTF-8 bytes, 3/2 of what a double-byte code page needs for the
// same characters: "源文件" holds 100 Chinese characters, "转化品质" 5.
//
// Status and progress:
//   zhuangtai  jindu               meaning
//   "未完成"   ""                  pending, never started since it was saved
//   "未完成"   "1%" .. "99%"       started; the last progress stays after a stop
//   "已完成"   "100%"              converted
// "100%" occurs only together with "已完成".

#include <optional>
#include <string>
#include <string_view>

#include "memtable/MemTable.h"

namespace tsm {

namespace jobfield {
inline constexpr std::string_view kSourceFile = "sourse_file";
inline constexpr std::string_view kTargetFolder = "mbl";
inline constexpr std::string_view kTargetName = "mbw";
inline constexpr std::string_view kProgress = "jindu";
inline constexpr std::string_view kStatus = "zhuangtai";
inline constexpr std::string_view kResolution = "fbl";
inline constexpr std::string_view kQuality = "zhpz";
inline constexpr std::string_view kAspect = "kgb";
inline constexpr std::string_view kRangeStartHours = "kss";
inline constexpr std::string_view kRangeStartMinutes = "ksf";
inline constexpr std::string_view kRangeHours = "cxs";
inline constexpr std::string_view kRangeMinutes = "cxf";
inline constexpr std::string_view kRangeOnly = "fzhfw";
}  // namespace jobfield

inline constexpr std::string_view kJobPending = "未完成";
inline constexpr std::string_view kJobFinished = "已完成";
inline constexpr std::string_view kProgressFinished = "100%";

// Adds the 13 job fields to a closed table that has no fields of its own yet.
void DefineJobFields(TmtMemTable& table);

// "n%"; the progress text of a percentage (0..100).
std::string ProgressText(int percent);
// "已完成" for 100, "未完成" for anything else.
std::string_view StatusForProgress(int percent);
// The percentage of a progress text (trimmed): nothing for an empty text or
// one that is not a whole number followed by "%".
std::optional<int> ParseProgress(std::string_view progress);
// The trimmed progress text is "100%".
bool IsFinishedProgress(std::string_view progress);
// The trimmed progress text is not empty: the job was started at some time.
bool IsStartedProgress(std::string_view progress);

// Makes the record of the job with this target name current: the current
// record when its "mbw" equals the name (exactly), otherwise the first such
// record in table order (FindRecord, which stores a pending change first).
// False when no record has the name; the cursor then stays.
bool LocateJob(TmtMemTable& table, std::string_view targetName);

// Writes a progress into the current record without posting it: StartEdit
// (nothing happens when the table is in Edit already), "jindu" := the
// percentage followed by "%", "zhuangtai" := "已完成" for 100, else
// "未完成". The table stays in Edit, the sign of a running conversion.
void WriteJobProgress(TmtMemTable& table, int percent);

// LocateJob, then WriteJobProgress when the job was found. A progress for a
// job that is no longer in the table is dropped (false) rather than written
// into whatever record happens to be current.
bool UpdateJobProgress(TmtMemTable& table, std::string_view targetName, int percent);

// Makes the first pending job ("zhuangtai" = "未完成", exact) in table order
// current; false when there is none.
bool FindFirstPendingJob(TmtMemTable& table);
// The row of the first pending job, read without moving the cursor; -1
// when there is none.
int FirstPendingRow(const TmtMemTable& table);

}  // namespace tsm
