#pragma once
// Forward declarations of the operating-system layer (platform/os).

namespace tsm {

enum class TTextEncoding;
class TProfileText;
class TShellProcess;
struct TProcessEntry;

}  // namespace tsm
