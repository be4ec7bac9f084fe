#pragma once
// Start-up of the program: the single-instance guard, the creation of the
// windows in their fixed order, the message loop and the release of the
// guard.
//
//   1. the application object          2. title "Tesmaro V2.0"
//   3. the lock "播放格式转换"         4. held by another copy: the plain box
//                                         "程序已经运行" / "警告", OK; go to 7
//   5. create the windows              6. run the loop
//   7. release the lock, end
//
// No command-line argument is read. A lock that cannot be created at all is
// treated as a first start.

#include <functional>

namespace tsm {

class TApplication;

inline constexpr const char* kApplicationTitle = "Tesmaro V2.0";
inline constexpr const char* kInstanceLockName = "播放格式转换";

// Creates the program's windows on the application (the first created form
// becomes the main form).
using TCreateWindows = std::function<void(TApplication& application)>;

// Runs steps 1 to 7; answers the process exit code (0, or the UI script's
// status under TM_SCRIPT).
int RunProgram(const TCreateWindows& createWindows);

}  // namespace tsm
