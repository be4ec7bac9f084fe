#include "platform/os/TextCodec.h"

#include <iconv.h>

#include <cerrno>

#include "platform/core/Utf8.h"

namespace tsm {

namespace {

// Runs one complete iconv conversion; false on any invalid or incomplete
// input sequence.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.clear();
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[1024];
  bool ok = true;
  while (ok && srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    // E2BIG only means the buffer is full; EILSEQ/EINVAL mean bad input.
    if (r == static_cast<size_t>(-1) && errno != E2BIG) ok = false;
  }
  if (ok) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);  // returns to the initial shift state
    out.append(buffer, static_cast<size_t>(dst - buffer));
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

bool GbkToUtf8(std::string_view in, std::string& out) { return Convert("UTF-8", "GB18030", in, out); }

bool Utf8ToGbk(std::string_view in, std::string& out) {
  if (!IsValidUtf8(in)) return false;
  return Convert("GB18030", "UTF-8", in, out);
}

TTextEncoding DetectTextEncoding(std::string_view bytes) {
  return IsValidUtf8(bytes) ? TTextEncoding::Utf8 : TTextEncoding::Gbk;
}

}  // namespace tsm
