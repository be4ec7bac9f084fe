#include "platform/os/ProfileFile.h"

#include "platform/os/FileSystem.h"
#include "platform/os/ProfileText.h"

namespace tsm {

std::string ReadProfileString(const std::string& fileName, const std::string& section,
                              const std::string& key, const std::string& def) {
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return def;
  const TProfileText text(bytes);
  return text.Read(section, key).value_or(def);
}

bool WriteProfileString(const std::string& fileName, const std::string& section,
                        const std::string& key, const std::string& value) {
  std::string bytes;
  if (PathExists(fileName) && !ReadFileBytes(fileName, bytes)) return false;
  TProfileText text(bytes);
  if (!text.Write(section, key, value)) return false;
  return WriteWholeFile(fileName, text.Bytes());
}

}  // namespace tsm
