#pragma once
// Profile-string access on a file path, with the rules of TProfileText: the
// file is read anew for every call and written whole for every write
// (WriteWholeFile: atomically where the folder allows, else in place).

#include <string>

namespace tsm {

// The value of key in section of the file, or def when the file, the section
// or the key is missing.
std::string ReadProfileString(const std::string& fileName, const std::string& section,
                              const std::string& key, const std::string& def);

// Writes one value (see TProfileText::Write), creating the file when it does
// not exist. Returns false when the write is refused: the file cannot be
// read, is read-only, neither the atomic replacement nor the write in place
// works, or the text cannot be stored.
bool WriteProfileString(const std::string& fileName, const std::string& section,
                        const std::string& key, const std::string& value);

}  // namespace tsm
