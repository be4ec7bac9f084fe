#pragma once
// The files the converter keeps in its program folder beside Converter.ini:
// the encoder "mencoder.exe" (on this platform a link to the system's
// encoder, made by scripts/setup and by the build), the name "conver.exe"
// under which an installation may deliver it, and the attribute rule that
// hides the installed files.

#include <string>

namespace tsm {

inline constexpr const char* kEncoderFileName = "mencoder.exe";
inline constexpr const char* kDeliveredEncoderFileName = "conver.exe";

// At the dialog's creation: a "conver.exe" in the program folder takes the
// name "mencoder.exe", unless something already has that name. True when the
// file was renamed.
bool FixEncoderFileName(const std::string& programFolder);

// At each showing of the dialog: Converter.ini and mencoder.exe, when their
// attributes are exactly archive alone (32), get 30 (hidden and system; the
// directory and volume bits of 30 mean nothing for a file). Files with any
// other attributes (read-only and archive, say) keep them.
void HideInstalledFiles(const std::string& programFolder);

// The dialog's hidden short cuts: Ctrl+A gives Converter.ini, Ctrl+Alt+W
// gives mencoder.exe the archive attribute alone (32) again.
void ResetConfigAttributes(const std::string& programFolder);
void ResetEncoderAttributes(const std::string& programFolder);

}  // namespace tsm
