#pragma once
// Opening a document with the desktop's program for its kind: xdg-open
// with the document's path as its one argument, started directly (never
// through a shell, so no character of the path is interpreted), detached
// (in a session of its own, a child of init, standard input from
// /dev/null) and never waited on.
//
// TM_DOCUMENT_OPENER names another program to start instead (a path, or a
// name looked up in PATH); tests put a recorder there.

#include <string>

namespace tsm {

inline constexpr const char* kDocumentOpenerVariable = "TM_DOCUMENT_OPENER";

// False when the opener program cannot be found or started.
bool OpenDocument(const std::string& path);

}  // namespace tsm
