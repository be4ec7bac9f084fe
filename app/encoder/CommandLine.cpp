#include "app/encoder/CommandLine.h"

#include "framework/base/SysUtils.h"

namespace tsm {

std::string QuoteForShell(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (const char c : text) {
    if (c == '\\' || c == '"' || c == '$' || c == '`') out += '\\';
    out += c;
  }
  return out;
}

std::string SourcePathOf(const TCommandInputs& inputs) { return Trim(inputs.sourcePath); }

std::string TargetPathOf(const TCommandInputs& inputs) {
  return Trim(inputs.targetFolder) + "/" + Trim(inputs.targetName);
}

bool UsesRangeForm(const TCommandInputs& inputs) {
  return inputs.range && (inputs.durationHours > 0 || inputs.durationMinutes > 0);
}

std::string ComposeCommandLine(const TCommandInputs& inputs) {
  const std::string files = "-noodml \"" + QuoteForShell(SourcePathOf(inputs)) + "\" -of avi -o \"" +
                            QuoteForShell(TargetPathOf(inputs)) + "\" " + inputs.options;
  if (!UsesRangeForm(inputs)) return "mencoder.exe " + files;
  return "mencoder.exe  -ss " + IntToStr(inputs.startHours) + ":" + IntToStr(inputs.startMinutes) +
         ":0 -endpos " + IntToStr(inputs.durationHours) + ":" + IntToStr(inputs.durationMinutes) + ":0 " + files;
}

}  // namespace tsm
