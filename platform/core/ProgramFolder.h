#pragma once
// Where the program's own files live.

#include <string>

namespace tsm {

// The folder of the running executable (/proc/self/exe) with a trailing "/";
// "./" when the kernel cannot tell. Converter.ini, mencoder.exe and the font
// alias file are looked up there.
std::string ProgramFolder();

}  // namespace tsm
