#include "app/frontend/SourceFilter.h"

namespace tsm {

namespace {

struct TSourceKind {
  const char* label;
  const char* patterns;
};

// The kinds of source the encoder reads, in the order the picker lists them.
constexpr TSourceKind kKinds[] = {
    {"AVI文件 (*.avi)", "*.avi"},
    {"Real文件 (*.rm;*.rmvb)", "*.rm;*.rmvb"},
    {"Mpeg文件 (*.mpg;*.mpeg;*.mp4)", "*.mpg;*.mpeg;*.mp4"},
    {"Asf文件 (*.asf)", "*.asf"},
    {"WMV文件 (*.wmv)", "*.wmv"},
    {"Mkv文件 (*.mkv)", "*.mkv"},
    {"VCD文件 (*.dat)", "*.dat"},
    {"DVD文件 (*.vob)", "*.vob"},
    {"WebM文件 (*.webm)", "*.webm"},
    {"QuickTime文件 (*.mov)", "*.mov"},
    {"Flash视频文件 (*.flv)", "*.flv"},
    {"M4V文件 (*.m4v)", "*.m4v"},
    {"MPEG-TS文件 (*.ts)", "*.ts"},
    {"3GP文件 (*.3gp)", "*.3gp"},
};

}  // namespace

std::string SourceFileFilter() {
  std::string all;
  for (const TSourceKind& k : kKinds) all += (all.empty() ? "" : ";") + std::string(k.patterns);
  std::string filter = "所有文件(" + all + ")|" + all;
  for (const TSourceKind& k : kKinds) filter += "|" + std::string(k.label) + "|" + k.patterns;
  return filter;
}

}  // namespace tsm
