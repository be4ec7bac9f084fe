#pragma once
// Conversions between the platform's ANSI code page (UTF-8) and the Chinese
// Windows code page in which older configuration files were written.
//
// The legacy side is decoded and encoded as GB18030, the superset of GBK
// (CP936) that agrees with GBK on every GBK byte sequence: a GBK file reads
// correctly, and text that GBK cannot represent (a folder name with a rare
// character) is still written without loss instead of being replaced by "?".

#include <string>
#include <string_view>

namespace tsm {

enum class TTextEncoding { Utf8, Gbk };

// Converts GBK/GB18030 bytes to UTF-8. Returns false (out unspecified) when
// the bytes are not valid in that encoding.
bool GbkToUtf8(std::string_view in, std::string& out);

// Converts UTF-8 to GB18030 bytes. Returns false when the input is not valid
// UTF-8.
bool Utf8ToGbk(std::string_view in, std::string& out);

// The encoding a profile file is taken to be in: UTF-8 when the bytes are
// well-formed UTF-8 (pure ASCII included), GBK otherwise.
TTextEncoding DetectTextEncoding(std::string_view bytes);

}  // namespace tsm
