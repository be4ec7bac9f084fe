#pragma once
// The help document beside the program: "help.html", or "help.doc" where
// only that one is there.

#include <string>

namespace tsm {

inline constexpr const char* kHelpFileName = "help.html";
inline constexpr const char* kOldHelpFileName = "help.doc";

// The full path of the help document in programFolder (which ends in "/");
// empty when neither file exists.
std::string HelpDocumentPath(const std::string& programFolder);

}  // namespace tsm
