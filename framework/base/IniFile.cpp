#include "framework/base/IniFile.h"

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "platform/os/ProfileFile.h"

namespace tsm {

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  return ReadProfileString(m_fileName, section, key, def);
}

void TIniFile::WriteText(const std::string& section, const std::string& key, const std::string& value) {
  if (!WriteProfileString(m_fileName, section, key, value))
    throw EInOutError(Format("Unable to write to %s", m_fileName));
}

}  // namespace tsm
