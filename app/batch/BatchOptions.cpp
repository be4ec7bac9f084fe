#include "app/batch/BatchOptions.h"

#include <functional>

#include "framework/base/SysUtils.h"

namespace tsm {

namespace {

enum class TArg { None, Required };

struct TOptionDef {
  const char* longName;
  char shortName;  // 0: none
  TArg arg;
  std::function<std::string(TBatchOptions&, const std::string&, bool)> apply;  // error text or empty
};

std::string Msg(bool zh, const std::string& chinese, const std::string& english) { return zh ? chinese : english; }

std::function<std::string(TBatchOptions&, const std::string&, bool)> Text(std::optional<std::string> TBatchOptions::*m) {
  return [m](TBatchOptions& o, const std::string& v, bool) {
    o.*m = v;
    return std::string();
  };
}

std::function<std::string(TBatchOptions&, const std::string&, bool)> Flag(bool TBatchOptions::*m) {
  return [m](TBatchOptions& o, const std::string&, bool) {
    o.*m = true;
    return std::string();
  };
}

std::function<std::string(TBatchOptions&, const std::string&, bool)> Clock(std::optional<TClock> TBatchOptions::*m,
                                                                           const char* name) {
  return [m, name](TBatchOptions& o, const std::string& v, bool zh) {
    o.*m = ParseClock(v);
    if (o.*m) return std::string();
    return Msg(zh, std::string("--") + name + " 的值 \"" + v + "\" 无效: 应为 时:分 (时 0-10, 分 0-60)",
               std::string("invalid --") + name + " \"" + v + "\": expected H:M (hours 0-10, minutes 0-60)");
  };
}

const std::vector<TOptionDef>& OptionTable() {
  static const std::vector<TOptionDef> table = {
      {"resolution", 'r', TArg::Required, Text(&TBatchOptions::resolution)},
      {"quality", 0, TArg::Required, Text(&TBatchOptions::quality)},
      {"aspect", 'a', TArg::Required, Text(&TBatchOptions::aspect)},
      {"output", 'o', TArg::Required, Text(&TBatchOptions::output)},
      {"start", 's', TArg::Required, Clock(&TBatchOptions::start, "start")},
      {"duration", 'd', TArg::Required, Clock(&TBatchOptions::duration, "duration")},
      {"jobs", 0, TArg::Required, Text(&TBatchOptions::jobsFile)},
      {"save-jobs", 0, TArg::Required, Text(&TBatchOptions::saveJobsFile)},
      {"dry-run", 'n', TArg::None, Flag(&TBatchOptions::dryRun)},
      {"print-commands", 0, TArg::None, Flag(&TBatchOptions::printCommands)},
      {"list-profiles", 0, TArg::None, Flag(&TBatchOptions::listProfiles)},
      {"parallel", 'j', TArg::Required,
       [](TBatchOptions& o, const std::string& v, bool zh) {
         int32_t n = 0;
         if (v == "auto") {
           o.parallelAuto = true;
           return std::string();
         }
         if (TryStrToInt(v, n) && n >= 1 && n <= 64 && v.find_first_not_of("0123456789") == std::string::npos) {
           o.parallel = n;
           o.parallelAuto = false;
           return std::string();
         }
         return Msg(zh, "--parallel 的值 \"" + v + "\" 无效: 应为 1 到 64 或 auto",
                    "invalid --parallel \"" + v + "\": expected 1 to 64 or auto");
       }},
      {"overwrite", 'f', TArg::None, Flag(&TBatchOptions::overwrite)},
      {"quiet", 'q', TArg::None, Flag(&TBatchOptions::quiet)},
      {"help", 'h', TArg::None, Flag(&TBatchOptions::help)},
      {"version", 'V', TArg::None, Flag(&TBatchOptions::version)},
  };
  return table;
}

}  // namespace

std::optional<TClock> ParseClock(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::string h = text.substr(0, colon), m = text.substr(colon + 1);
  auto digits = [](const std::string& s) {
    return !s.empty() && s.size() <= 2 && s.find_first_not_of("0123456789") == std::string::npos;
  };
  if (!digits(h) || !digits(m)) return std::nullopt;
  TClock c{StrToInt(h), StrToInt(m)};
  if (c.hours > 10 || c.minutes > 60) return std::nullopt;
  return c;
}

TParsedArguments ParseBatchArguments(const std::vector<std::string>& args, bool zh) {
  TParsedArguments result;
  TBatchOptions& o = result.options;
  const auto& table = OptionTable();
  auto fail = [&](const std::string& chinese, const std::string& english) {
    result.error = Msg(zh, chinese, english);
    return result;
  };
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a[0] != '-') {
      o.sources.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    if (a[1] == '-') {
      const size_t eq = a.find('=');
      const std::string name = a.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
      const TOptionDef* found = nullptr;
      int matches = 0;
      for (const TOptionDef& s : table) {
        const std::string full = s.longName;
        if (full == name) {
          found = &s;
          matches = 1;
          break;
        }
        if (full.compare(0, name.size(), name) == 0) {
          found = &s;
          ++matches;
        }
      }
      if (matches == 0) return fail("无法识别的选项 \"" + a + "\"", "unrecognized option '" + a + "'");
      if (matches > 1) return fail("选项 \"" + a + "\" 有歧义", "option '" + a + "' is ambiguous");
      std::string value;
      if (found->arg == TArg::Required) {
        if (eq != std::string::npos) {
          value = a.substr(eq + 1);
        } else if (i + 1 < args.size()) {
          value = args[++i];
        } else {
          return fail(std::string("选项 \"--") + found->longName + "\" 需要一个参数",
                      std::string("option '--") + found->longName + "' requires an argument");
        }
      } else if (eq != std::string::npos) {
        return fail(std::string("选项 \"--") + found->longName + "\" 不接受参数",
                    std::string("option '--") + found->longName + "' doesn't allow an argument");
      }
      if (std::string e = found->apply(o, value, zh); !e.empty()) return result.error = e, result;
      continue;
    }
    for (size_t k = 1; k < a.size(); ++k) {
      const TOptionDef* found = nullptr;
      for (const TOptionDef& s : table)
        if (s.shortName == a[k]) found = &s;
      if (found == nullptr)
        return fail(std::string("无效的选项 -- \"") + a[k] + "\"", std::string("invalid option -- '") + a[k] + "'");
      std::string value;
      if (found->arg == TArg::Required) {
        if (k + 1 < a.size()) {
          value = a.substr(k + 1);
        } else if (i + 1 < args.size()) {
          value = args[++i];
        } else {
          return fail(std::string("选项 -- \"") + a[k] + "\" 需要一个参数",
                      std::string("option requires an argument -- '") + a[k] + "'");
        }
        k = a.size();
      }
      if (std::string e = found->apply(o, value, zh); !e.empty()) return result.error = e, result;
    }
  }
  if (o.help || o.version || o.listProfiles) return result;

  const bool shaping = o.resolution || o.quality || o.aspect || o.output || o.start || o.duration;
  if (o.jobsFile && !o.sources.empty())
    return fail("不能同时给出 --jobs 和源文件", "--jobs cannot be combined with source files");
  if (o.jobsFile && shaping)
    return fail("--jobs 的任务自带参数: 不能再给出 --resolution、--quality、--aspect、--output、--start 或 --duration",
                "a job list carries its own settings: --jobs cannot be combined with --resolution, --quality, "
                "--aspect, --output, --start or --duration");
  if (!o.jobsFile && o.sources.empty()) return fail("缺少源文件", "missing source file operand");
  if (o.start && !o.duration)
    return fail("--start 需要同时给出 --duration", "--start needs --duration");
  if (o.duration && o.duration->hours == 0 && o.duration->minutes == 0)
    return fail("--duration 必须大于 0:0", "--duration must be longer than 0:0");
  return result;
}

}  // namespace tsm
