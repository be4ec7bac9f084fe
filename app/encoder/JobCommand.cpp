#include "app/encoder/JobCommand.h"

#include <cstdio>

#include "framework/base/SysUtils.h"

namespace tsm {

std::string DeriveTargetName(std::string_view sourcePath) {
  std::string_view name = sourcePath.substr(sourcePath.rfind('/') + 1);
  const size_t dot = name.rfind('.');
  name = dot == std::string_view::npos ? std::string_view() : name.substr(0, dot);
  return std::string(name) + ".avi";
}

bool IsValidTargetName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.size() <= 255 &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

namespace {

// Reads a job through text and boolean accessors of one record.
template <class Text, class Boolean>
TJobRecord ReadJob(const Text& text, const Boolean& boolean) {
  TJobRecord j;
  j.source = text(jobfield::kSourceFile);
  j.folder = text(jobfield::kTargetFolder);
  j.name = text(jobfield::kTargetName);
  j.resolution = text(jobfield::kResolution);
  j.quality = text(jobfield::kQuality);
  j.aspect = text(jobfield::kAspect);
  j.range = boolean(jobfield::kRangeOnly);
  j.startHours = text(jobfield::kRangeStartHours);
  j.startMinutes = text(jobfield::kRangeStartMinutes);
  j.durationHours = text(jobfield::kRangeHours);
  j.durationMinutes = text(jobfield::kRangeMinutes);
  j.progress = text(jobfield::kProgress);
  j.status = text(jobfield::kStatus);
  return j;
}

}  // namespace

TJobRecord TJobRecord::FromCurrent(const TmtMemTable& table) {
  return ReadJob([&](std::string_view field) { return table.FieldNamed(field)->GetText(); },
                 [&](std::string_view field) { return table.FieldNamed(field)->GetBoolean(); });
}

TJobRecord TJobRecord::FromRow(const TmtMemTable& table, int row) {
  return ReadJob([&](std::string_view field) { return table.RowText(row, *table.FieldNamed(field)); },
                 [&](std::string_view field) { return table.RowBoolean(row, *table.FieldNamed(field)); });
}

void TJobRecord::Append(TmtMemTable& table) const {
  table.StartAppend();
  Write(table);
  table.PostRecord();
}

void TJobRecord::Write(TmtMemTable& table) const {
  auto set = [&](std::string_view field, const std::string& value) { table.FieldNamed(field)->SetText(Trim(value)); };
  set(jobfield::kSourceFile, source);
  set(jobfield::kTargetFolder, folder);
  set(jobfield::kTargetName, name);
  set(jobfield::kProgress, progress);
  set(jobfield::kStatus, status);
  set(jobfield::kResolution, resolution);
  set(jobfield::kQuality, quality);
  set(jobfield::kAspect, aspect);
  table.FieldNamed(jobfield::kRangeOnly)->SetBoolean(range);
  if (range) {
    set(jobfield::kRangeStartHours, startHours);
    set(jobfield::kRangeStartMinutes, startMinutes);
    set(jobfield::kRangeHours, durationHours);
    set(jobfield::kRangeMinutes, durationMinutes);
  }
}

bool JobCommandInputs(const TJobRecord& job, const TConverterConfig& config, const TConverterChoices& lists,
                      TCommandInputs& inputs, std::string& problem, bool zh) {
  auto indexOf = [](const TProfileList& list, const std::string& text) {
    for (size_t i = 0; i < list.items.size(); ++i)
      if (!list.items[i].empty() && list.items[i] == Trim(text)) return static_cast<int>(i);
    return -1;
  };
  const struct {
    const TProfileList& list;
    const std::string& text;
    const char *zh, *en;
  } profiles[] = {{lists.resolution, job.resolution, "分辨率", "resolution"},
                  {lists.quality, job.quality, "转换品质", "quality"},
                  {lists.aspect, job.aspect, "宽高比", "aspect"}};
  for (const auto& p : profiles)
    if (indexOf(p.list, p.text) < 0) {
      problem = zh ? std::string("Converter.ini 中没有") + p.zh + " \"" + p.text + "\""
                   : std::string("no ") + p.en + " \"" + p.text + "\" in Converter.ini";
      return false;
    }
  const int r = indexOf(lists.resolution, job.resolution), q = indexOf(lists.quality, job.quality),
            a = indexOf(lists.aspect, job.aspect);
  inputs = TCommandInputs();
  inputs.options = config.ReadParameter(q, r, a);
  if (Trim(inputs.options).empty()) {
    problem = zh ? "Converter.ini 中没有参数 " + TConverterConfig::ParameterKey(q, r, a)
                 : "no encoder options [parameter] " + TConverterConfig::ParameterKey(q, r, a) + " in Converter.ini";
    return false;
  }
  inputs.sourcePath = job.source;
  inputs.targetFolder = job.folder;
  inputs.targetName = job.name;
  inputs.range = job.range;
  if (job.range) {
    const struct {
      const std::string& text;
      int& value;
      int limit;
    } fields[] = {{job.startHours, inputs.startHours, 10},
                  {job.startMinutes, inputs.startMinutes, 60},
                  {job.durationHours, inputs.durationHours, 10},
                  {job.durationMinutes, inputs.durationMinutes, 60}};
    for (const auto& f : fields) {
      int32_t v = 0;
      const std::string t = Trim(f.text);
      if (!TryStrToInt(t.empty() ? "0" : t, v) || v < 0 || v > f.limit) {
        problem = zh ? "转换范围的值无效: \"" + f.text + "\"" : "invalid range value \"" + f.text + "\"";
        return false;
      }
      f.value = v;
    }
  }
  return true;
}

std::string ShellWord(std::string_view text) {
  bool control = false;
  for (const char c : text) control |= static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  if (!control) return "\"" + QuoteForShell(text) + "\"";
  std::string out = "$'";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\' || c == '\'') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", u);
      out += octal;
    } else {
      out += c;
    }
  }
  return out + "'";
}

std::string SelfContainedCommandLine(const TCommandInputs& inputs, const std::string& encoderPath) {
  // The command line as the shell gets it, with the program and the two
  // paths written as words of their own.
  TCommandInputs plain = inputs;
  const std::string line = ComposeCommandLine(plain);
  const std::string source = "\"" + QuoteForShell(SourcePathOf(inputs)) + "\"";
  const std::string target = "\"" + QuoteForShell(TargetPathOf(inputs)) + "\"";
  std::string out = ShellWord(encoderPath) + line.substr(std::string_view("mencoder.exe").size());
  const size_t s = out.find(" -noodml " + source) + std::string_view(" -noodml ").size();
  out.replace(s, source.size(), ShellWord(SourcePathOf(inputs)));
  const size_t t = out.find(" -o " + target, s) + std::string_view(" -o ").size();
  out.replace(t, target.size(), ShellWord(TargetPathOf(inputs)));
  return out;
}

}  // namespace tsm
