#pragma once
// The texts the job list window and the parameters dialog show, in one
// place so that the windows and their tests use the same words.

namespace tsm::texts {

// Job list window.
inline constexpr const char* kAddJob = "增加转换文件";
inline constexpr const char* kRemoveJob = "移去转换文件";
inline constexpr const char* kStartBatch = "开始转换文件";
inline constexpr const char* kStopBatch = "停止转换文件";
inline constexpr const char* kClose = "关闭";
inline constexpr const char* kConfirmRemove = "您确定移去当前文件的转换吗?";
inline constexpr const char* kMissingTargetFolder = "Invalid of Target file path!";

// Parameters dialog.
inline constexpr const char* kDialogCaption = "转换参数";
inline constexpr const char* kHelp = "帮助";
inline constexpr const char* kSave = "保存";
inline constexpr const char* kStartJob = "开始转换";
inline constexpr const char* kStopJob = "停止转换";
inline constexpr const char* kRangeBox = "转换范围";
inline constexpr const char* kGaugeText = "进度...";
inline constexpr const char* kRangeNote = "选择的范围有可能无效!";
inline constexpr const char* kProgramDamaged = "程序被破坏,请重新安装或修复!";
inline constexpr const char* kShellFailed = "转换程序初始化错误!";
inline constexpr const char* kNoHelp = "帮助文件不存在!";
inline constexpr const char* kConfirmStop = "您确定要停止转换吗?";

// Save checks.
inline constexpr const char* kBadResolution = "分辨率无效!";
inline constexpr const char* kBadTargetFolder = "目标路径无效!";
inline constexpr const char* kBadName = "文件名无效!";
inline constexpr const char* kBadSource = "源文件文件名无效!";
inline constexpr const char* kBadQuality = "转换品质无效!";
inline constexpr const char* kBadAspect = "宽高比无效!";
inline constexpr const char* kDuplicateTarget = "目标文件文名有重复!";
inline constexpr const char* kTargetIsSource = "源文件和目标文件发生冲突!";
inline constexpr const char* kTargetFinished = "目标文件已转换完毕!";

// Start checks (beside kBadSource and kTargetIsSource).
inline constexpr const char* kNoTarget = "目标路径和文件名不能为空!";
inline constexpr const char* kBadTargetName = "目标文件名无效!";

// Pickers.
inline constexpr const char* kSourcePickerTitle = "源文件";
inline constexpr const char* kFolderPickerTitle = "选择目标文件存放路径";

}  // namespace tsm::texts
