#pragma once
// INI file access on one full path, with the profile rules of the platform
// (platform/os/ProfileText.h): names match without regard to case, missing
// files, sections and keys read as the default, writes change one value in
// place and keep every other line.
//
// The object holds only the path: every read sees the file as it is on disk,
// every write replaces it atomically.

#include <string>

namespace tsm {

class TIniFile {
 public:
  explicit TIniFile(std::string fileName) : m_fileName(std::move(fileName)) {}

  const std::string& FileName() const { return m_fileName; }

  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // The value, or empty text when absent.
  std::string ReadText(const std::string& section, const std::string& key) const {
    return ReadString(section, key, std::string());
  }

  // Raises EInOutError "Unable to write to %s" (the full path) when the
  // platform refuses the write.
  void WriteText(const std::string& section, const std::string& key, const std::string& value);

 private:
  std::string m_fileName;
};

}  // namespace tsm
