#include "app/batch/BatchTexts.h"

#include "platform/os/Terminal.h"

namespace tsm {

bool ChineseMessages() { return MessageLocale().rfind("zh", 0) == 0; }

std::string HelpText(bool zh) {
  if (zh)
    return R"(用法: tesmaro-batch [选项]... 源文件...
  或: tesmaro-batch [选项]... --jobs 任务文件.tsv
用 Tesmaro 的转换引擎把视频文件转换为 AVI, 一个接一个 (或同时几个)。
目标文件名由源文件名得出 (扩展名换成 .avi), 存放在源文件旁边或 --output 目录中。
开始之前先检查整个批次, 一次列出所有问题; 有问题时什么都不转换。

转换参数 (名称与 Converter.ini 中的相同; 默认为上次选择的项目):
  -r, --resolution=名称    分辨率, 例如 "标清 640x480"
      --quality=名称       转换品质, 例如 高品质
  -a, --aspect=名称        宽高比, 例如 普通4:3
  -o, --output=目录        目标路径 (默认: 各源文件所在的目录)
  -s, --start=时:分        只转换一个范围: 从这个时间开始 (需要 --duration)
  -d, --duration=时:分     只转换一个范围: 持续这么长时间
  -f, --overwrite          允许覆盖已存在的目标文件

任务列表 (任务表的制表符分隔文本格式):
      --jobs=文件          运行文件中所有 "未完成" 的任务, 结束后把结果写回文件
      --save-jobs=文件     把将要运行的任务写入文件, 不运行
  -n, --dry-run            只显示每个任务的命令行和检查结果, 不运行
      --print-commands     每个任务输出一行独立的 shell 命令 (编码器的绝对路径,
                           路径已加引号), 可交给 GNU parallel 或集群调度程序
      --list-profiles      列出 Converter.ini 中的分辨率、转换品质和宽高比

运行:
  -j, --parallel=N         同时运行最多 N 个任务 (auto = 处理器个数; 默认 1)
  -q, --quiet              不显示进度和汇总; 失败的任务仍写到标准错误
  -h, --help               显示此帮助并退出
  -V, --version            显示版本信息并退出

进度: 在终端上每个任务一行, 原地更新 (百分比、已用时间、速度、剩余时间);
输出不是终端时逐行输出。每个任务的编码器输出保存在
$XDG_STATE_HOME/tesmaro/logs (默认 ~/.local/state/tesmaro/logs), 保留最新的 200 个;
失败的任务会显示其日志的路径。
一个任务只有在编码器输出了结束摘要、退出状态为 0、目标文件存在且不为空、
并且播放时长与源文件 (或转换范围) 相差不超过一秒时才算 "已完成"。
Ctrl+C 停止正在运行的编码器, 删除未完成的目标文件, 并以状态 130 退出。

退出状态:
  0  所有任务都已完成
  1  有任务失败
  2  用法错误、配置错误, 或批次检查发现问题 (没有运行任何任务)
  130  被 Ctrl+C 中断

示例:
  tesmaro-batch -r "标清 640x480" --quality 高品质 -a 普通4:3 -o ~/avi *.mp4
  tesmaro-batch --save-jobs 周末.tsv -o /srv/avi 第*.mkv
  tesmaro-batch --jobs 周末.tsv -j auto
  tesmaro-batch --print-commands *.mp4 | parallel
)";
  return R"(Usage: tesmaro-batch [OPTION]... SOURCE...
  or:  tesmaro-batch [OPTION]... --jobs FILE.tsv
Convert video files to AVI with the Tesmaro conversion engine, one after
another (or several at once). Each target is named after its source with
the extension .avi, beside the source or in the --output folder.
The whole batch is checked before anything runs; every problem is listed
at once, and nothing is converted while there is one.

Conversion settings (names as in Converter.ini; defaults: the entries chosen last):
  -r, --resolution=NAME    resolution profile, e.g. "标清 640x480"
      --quality=NAME       quality preset, e.g. 高品质
  -a, --aspect=NAME        aspect-ratio preset, e.g. 普通4:3
  -o, --output=DIR         target folder (default: the folder of each source)
  -s, --start=H:M          convert only a range, starting here (needs --duration)
  -d, --duration=H:M       convert only a range this long
  -f, --overwrite          allow replacing targets that exist

Job lists (the job table's tab-separated text format):
      --jobs=FILE          run every pending ("未完成") job of FILE; the results
                           are written back to FILE at the end
      --save-jobs=FILE     write the job list that would run to FILE; run nothing
  -n, --dry-run            show each job's command line and the check; run nothing
      --print-commands     print one self-contained shell command per job
                           (absolute encoder path, quoted paths), one per line,
                           for GNU parallel or a cluster scheduler
      --list-profiles      list the resolutions, qualities and aspects of Converter.ini

Running:
  -j, --parallel=N         run up to N jobs at once (auto = processor count; default 1)
  -q, --quiet              no progress and no summary; failed jobs still go to
                           standard error
  -h, --help               display this help and exit
  -V, --version            output version information and exit

Progress: one line per job that updates in place on a terminal (percentage,
elapsed time, speed, time left); plain lines otherwise. Each job's encoder
output is kept in $XDG_STATE_HOME/tesmaro/logs (default
~/.local/state/tesmaro/logs), the newest 200; the log of each failed job is
named. A job counts as done only when the encoder printed its end summary
and exited with status 0, and the output exists, is not empty and plays
within one second as long as the source (or the range).
Ctrl+C stops the running encoders, deletes their unfinished outputs and
exits with status 130.

Exit status:
  0  every job was done
  1  some job failed
  2  bad usage, a bad configuration, or problems found by the check of the
     batch (nothing was run)
  130  interrupted by Ctrl+C

Examples:
  tesmaro-batch -r "标清 640x480" --quality 高品质 -a 普通4:3 -o ~/avi *.mp4
  tesmaro-batch --save-jobs weekend.tsv -o /srv/avi part*.mkv
  tesmaro-batch --jobs weekend.tsv -j auto
  tesmaro-batch --print-commands *.mp4 | parallel
)";
}

std::string VersionText(const std::string& version) {
  return "tesmaro-batch (Tesmaro) " + (version.empty() ? std::string("?") : version) + "\n";
}

std::string TryHelpText(bool zh) {
  return zh ? "请尝试执行 \"tesmaro-batch --help\" 来获取更多信息。\n"
            : "Try 'tesmaro-batch --help' for more information.\n";
}

}  // namespace tsm
