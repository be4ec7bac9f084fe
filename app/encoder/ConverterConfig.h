#pragma once
// Converter.ini: the version text, the three profile lists of the parameters
// dialog with the entry chosen last, the folders used last, and the encoder
// option templates. The dialog owns one TConverterConfig from its creation
// to the shutdown routine.
//
// Sections and keys:
//   [Version]   Ver          version text for the window caption
//   [Types]     Types        resolution list        Types-1    index chosen last
//   [Quality]   Quality0     quality list           Quality-1  index chosen last
//   [Scale]     Scale0       aspect-ratio list      Scale-1    index chosen last
//   [FilePath]  TargetFile   target folder used last
//               SounceFile   folder of the source file saved last
//   [parameter] <q>-<r>-<a>  encoder options for one profile combination
//
// List format: entries separated by "\", shown in reverse order. Indexes
// count in the shown order from 0; -1 means no selection.

#include <string>
#include <string_view>
#include <vector>

#include "framework/base/IniFile.h"

namespace tsm {

inline constexpr const char* kConfigFileName = "Converter.ini";

// One profile list as its combo box holds it.
struct TProfileList {
  std::vector<std::string> items;  // in the shown order
  int itemIndex = -1;              // -1: no selection
  std::string text;                // the text the list shows

  // Selects entry index and shows its text; an index outside the list
  // (-1 included) selects nothing and leaves the text as it was.
  void Select(int index);
  // Selects the first entry equal to text (exact); none: no selection, text kept.
  void SelectText(const std::string& entry);
};

// Everything the dialog takes from the file at its creation.
struct TConverterChoices {
  TProfileList resolution{{}, -1, "ZM4070"};
  TProfileList quality;
  TProfileList aspect;
  std::string targetFolder;  // the target-folder edit
  std::string sourceFolder;  // initial folder of the source-file picker
};

class TConverterConfig {
 public:
  // The file "Converter.ini" in programFolder (which ends in "/").
  explicit TConverterConfig(const std::string& programFolder);

  const std::string& FileName() const { return m_ini.FileName(); }
  bool Exists() const;

  // The entries of a list value in shown order: "A\B\C" gives C, B, A; a
  // value without "\" gives the value and an empty entry; an empty value two
  // empty entries.
  static std::vector<std::string> ParseList(std::string_view value);

  // "<quality+1>-<resolution+1>-<aspect+1>"; an index of -1 enters as 0.
  static std::string ParameterKey(int quality, int resolution, int aspect);

  // Fills choices in this order: resolution list and selection, quality list
  // and selection, aspect list and selection, target folder (when that
  // folder exists, else empty), source folder (likewise). An index value
  // that is not an integer raises EConvertError "'%s' is not a valid integer
  // value" at its step: what was filled before stays, the rest is untouched.
  void Load(TConverterChoices& choices) const;

  std::string Version() const { return m_ini.ReadText("Version", "Ver"); }
  // The option template for a profile combination; empty when missing.
  std::string ReadParameter(int quality, int resolution, int aspect) const;
  // [FilePath] TargetFile when that folder exists, else empty (add button).
  std::string RememberedTargetFolder() const;

  // Write-back at shutdown, in this order: Types-1, Quality-1, Scale-1 from
  // the selections; SounceFile only when rememberedSourceFolder, trimmed, is
  // not empty; TargetFile := targetFolderText as it stands. Raises
  // EInOutError "Unable to write to %s" at the first refused write; the
  // writes before it stay.
  void SaveChoices(int resolutionIndex, int qualityIndex, int aspectIndex,
                   const std::string& rememberedSourceFolder, const std::string& targetFolderText);

 private:
  TIniFile m_ini;
};

}  // namespace tsm
