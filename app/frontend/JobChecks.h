#pragma once
// The checks of the parameters dialog's save and start routines. Each
// answers the first failing check's text and the control that gets the
// focus after the message (None: the focus stays), or a passed result.
//
// Save (in this order):
//   resolution text empty, or too long for its field   "分辨率无效!"          resolution list
//   target folder empty, or too long                    "目标路径无效!"        target folder
//   target name empty, or too long                      "文件名无效!"          target name
//   no file at the source path, or the path too long    "源文件文件名无效!"    source edit
//   quality text too long                               "转换品质无效!"        quality list
//   aspect text too long                                "宽高比无效!"          aspect list
//   another job (not the one edited) has the same       "目标文件文名有重复!"  target name
//     target path
//   the target path is the source's                     "源文件和目标文件发生冲突!"  target folder
//   a finished job has this target path                 "目标文件已转换完毕!"  source edit
// "Too long" is more bytes than the job table's field holds: a text is
// refused rather than cut into a different path.
//
// Start (the batch driver fills the dialog from a job and calls it):
//   no file at the source path                          "源文件文件名无效!"    -
//   folder or name empty                                "目标路径和文件名不能为空!"  target folder
//   the name is not a valid file name                   "目标文件名无效!"      target name
//   the target path (name with ".avi") is the source's  "源文件和目标文件发生冲突!"  target folder
// A valid file name has at most 260 characters and none of \ / : * ? " < > |.
//
// Every text is compared trimmed; paths are compared as the files they
// name (SamePath), so "." and ".." parts, doubled "/" and links never hide
// that two paths are one. Jobs are looked up by row, never by moving the
// job table's cursor.

#include <string>
#include <string_view>

#include "app/frontend/JobEntry.h"
#include "memtable/MemTable.h"

namespace tsm {

enum class TJobControl { None, Resolution, Source, TargetFolder, TargetName, Quality, Aspect };

struct TJobCheck {
  std::string text;  // empty: passed
  TJobControl focus = TJobControl::None;
  bool Passed() const { return text.empty(); }
};

// jobs: the job table; editing: the bookmark of the job being edited (0
// when a new job is added).
TJobCheck CheckSave(const TJobEntry& entry, const TmtMemTable& jobs, TBookmark editing);

// On success the name the job runs under (the trimmed name, with ".avi"
// appended unless it ends in ".avi" exactly) is in runName.
TJobCheck CheckStart(const TJobEntry& entry, std::string& runName);

// The trimmed name, followed by ".avi" unless it ends in ".avi" (case
// counts: "movie.AVI" gives "movie.AVI.avi").
std::string WithAviExtension(std::string_view name);
bool IsValidFileName(std::string_view name);

// The path made absolute with its folder's links, "." and ".." resolved as
// the file system resolves them (the last part is kept as written, so a
// file that does not exist yet has one too); text alone where the folder
// does not exist.
std::string CanonicalPath(std::string_view path);
// Both paths name the same file: equal canonical paths, or one existing
// file under two names (a link, a hard link).
bool SamePath(std::string_view a, std::string_view b);
// The trimmed folder, "/", the trimmed name.
std::string JobTargetPath(std::string_view folder, std::string_view name);

}  // namespace tsm
