#include "app/frontend/HelpDocument.h"

#include "platform/os/FileSystem.h"

namespace tsm {

std::string HelpDocumentPath(const std::string& programFolder) {
  for (const char* name : {kHelpFileName, kOldHelpFileName})
    if (FileExists(programFolder + name)) return programFolder + name;
  return std::string();
}

}  // namespace tsm
