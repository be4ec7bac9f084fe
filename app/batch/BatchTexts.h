#pragma once
// The texts of tesmaro-batch that are longer than a line: --help in
// Chinese and English, and --version.

#include <string>

namespace tsm {

// Chinese when the message locale (LC_ALL, LC_MESSAGES, LANG) is zh_*.
bool ChineseMessages();

std::string HelpText(bool chinese);
// "tesmaro-batch (Tesmaro) <version>" and the lines GNU programs add.
std::string VersionText(const std::string& version);
// "Try 'tesmaro-batch --help' for more information." in the language.
std::string TryHelpText(bool chinese);

}  // namespace tsm
