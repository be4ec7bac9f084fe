#include "app/encoder/EncoderFiles.h"

#include "app/encoder/ConverterConfig.h"
#include "framework/base/SysUtils.h"
#include "platform/os/FileSystem.h"

namespace tsm {

namespace {

void HideIfArchiveOnly(const std::string& path) {
  if (GetFileAttributes(path) == kFileAttributeArchive) SetFileAttributes(path, 30);
}

}  // namespace

bool FixEncoderFileName(const std::string& programFolder) {
  const std::string folder = IncludeTrailingPathDelimiter(programFolder);
  const std::string delivered = folder + kDeliveredEncoderFileName;
  const std::string encoder = folder + kEncoderFileName;
  if (!FileExists(delivered) || PathExists(encoder)) return false;
  return RenameFile(delivered, encoder);
}

void HideInstalledFiles(const std::string& programFolder) {
  const std::string folder = IncludeTrailingPathDelimiter(programFolder);
  HideIfArchiveOnly(folder + kConfigFileName);
  HideIfArchiveOnly(folder + kEncoderFileName);
}

void ResetConfigAttributes(const std::string& programFolder) {
  SetFileAttributes(IncludeTrailingPathDelimiter(programFolder) + kConfigFileName, kFileAttributeArchive);
}

void ResetEncoderAttributes(const std::string& programFolder) {
  SetFileAttributes(IncludeTrailingPathDelimiter(programFolder) + kEncoderFileName, kFileAttributeArchive);
}

}  // namespace tsm
