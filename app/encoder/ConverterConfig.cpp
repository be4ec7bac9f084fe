#include "app/encoder/ConverterConfig.h"

#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"

namespace tsm {

void TProfileList::Select(int index) {
  if (index >= 0 && index < static_cast<int>(items.size())) {
    itemIndex = index;
    text = items[static_cast<size_t>(index)];
  } else {
    itemIndex = -1;
  }
}

void TProfileList::SelectText(const std::string& entry) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == entry) {
      Select(static_cast<int>(i));
      return;
    }
  itemIndex = -1;
}

TConverterConfig::TConverterConfig(const std::string& programFolder)
    : m_ini(IncludeTrailingPathDelimiter(programFolder) + kConfigFileName) {}

bool TConverterConfig::Exists() const { return FileExists(m_ini.FileName()); }

std::vector<std::string> TConverterConfig::ParseList(std::string_view value) {
  std::vector<std::string> entries;
  size_t end = value.size();
  while (true) {
    const size_t sep = end == 0 ? std::string_view::npos : value.rfind('\\', end - 1);
    if (sep == std::string_view::npos) {
      entries.emplace_back(value.substr(0, end));
      break;
    }
    entries.emplace_back(value.substr(sep + 1, end - sep - 1));
    end = sep;
  }
  if (entries.size() == 1) entries.emplace_back();
  return entries;
}

std::string TConverterConfig::ParameterKey(int quality, int resolution, int aspect) {
  auto part = [](int index) { return IntToStr(index < 0 ? 0 : index + 1); };
  return part(quality) + "-" + part(resolution) + "-" + part(aspect);
}

void TConverterConfig::Load(TConverterChoices& choices) const {
  choices.resolution.items = ParseList(m_ini.ReadText("Types", "Types"));
  choices.resolution.Select(StrToInt(m_ini.ReadText("Types", "Types-1")));
  choices.quality.items = ParseList(m_ini.ReadText("Quality", "Quality0"));
  choices.quality.Select(StrToInt(m_ini.ReadText("Quality", "Quality-1")));
  choices.aspect.items = ParseList(m_ini.ReadText("Scale", "Scale0"));
  choices.aspect.Select(StrToInt(m_ini.ReadText("Scale", "Scale-1")));
  const std::string target = m_ini.ReadText("FilePath", "TargetFile");
  choices.targetFolder = DirectoryExists(target) ? target : std::string();
  const std::string source = m_ini.ReadText("FilePath", "SounceFile");
  choices.sourceFolder = DirectoryExists(source) ? source : std::string();
}

std::string TConverterConfig::ReadParameter(int quality, int resolution, int aspect) const {
  return m_ini.ReadText("parameter", ParameterKey(quality, resolution, aspect));
}

std::string TConverterConfig::RememberedTargetFolder() const {
  const std::string target = m_ini.ReadText("FilePath", "TargetFile");
  return DirectoryExists(target) ? target : std::string();
}

void TConverterConfig::SaveChoices(int resolutionIndex, int qualityIndex, int aspectIndex,
                                   const std::string& rememberedSourceFolder,
                                   const std::string& targetFolderText) {
  m_ini.WriteText("Types", "Types-1", IntToStr(resolutionIndex));
  m_ini.WriteText("Quality", "Quality-1", IntToStr(qualityIndex));
  m_ini.WriteText("Scale", "Scale-1", IntToStr(aspectIndex));
  if (!Trim(rememberedSourceFolder).empty()) m_ini.WriteText("FilePath", "SounceFile", rememberedSourceFolder);
  m_ini.WriteText("FilePath", "TargetFile", targetFolderText);
}

}  // namespace tsm
