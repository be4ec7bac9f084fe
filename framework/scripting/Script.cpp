#include "framework/scripting/Script.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/base/SysUtils.h"
#include "framework/controls/ShortCut.h"
#include "platform/core/Utf8.h"
#include "platform/window/VirtualKeys.h"

namespace tsm {

namespace {

constexpr uint32_t kMaxMs = 86'400'000;   // one day

struct TToken {
  std::string Text;
  bool Quoted = false;
};

// What each command takes, one letter per argument: n number, m milliseconds,
// t text, f file, k keys, T one or more paths (last); optional trailing
// arguments after '|': b mouse button, c click-text kind.
struct TCommandSyntax {
  const char* Name;
  TScriptOp Op;
  const char* Args;
};

constexpr TCommandSyntax kCommands[] = {
    {"advance", TScriptOp::Advance, "m"},
    {"sleep", TScriptOp::Sleep, "m"},
    {"wait-text", TScriptOp::WaitText, "tm"},
    {"move", TScriptOp::Move, "nn"},
    {"press", TScriptOp::Press, "nn|b"},
    {"release", TScriptOp::Release, "nn|b"},
    {"click", TScriptOp::Click, "nn|b"},
    {"dclick", TScriptOp::DoubleClick, "nn"},
    {"drag", TScriptOp::Drag, "nnnn"},
    {"wheel", TScriptOp::Wheel, "nnn"},
    {"click-text", TScriptOp::ClickText, "t|c"},
    {"key", TScriptOp::Key, "k"},
    {"type", TScriptOp::Type, "t"},
    {"drop", TScriptOp::Drop, "nnT"},
    {"shot", TScriptOp::Shot, "f"},
    {"shot-window", TScriptOp::ShotWindow, "tf"},
    {"dump", TScriptOp::Dump, "f"},
    {"expect-text", TScriptOp::ExpectText, "t"},
    {"expect-no-text", TScriptOp::ExpectNoText, "t"},
    {"expect-window", TScriptOp::ExpectWindow, "t"},
    {"expect-no-window", TScriptOp::ExpectNoWindow, "t"},
    {"expect-focus", TScriptOp::ExpectFocus, "t"},
    {"expect-enabled", TScriptOp::ExpectEnabled, "t"},
    {"expect-disabled", TScriptOp::ExpectDisabled, "t"},
    {"quit", TScriptOp::Quit, ""},
};

// Splits a line into tokens; stops at a '#' outside quotes. False with a
// message for an unterminated text or an unknown escape.
bool Tokenize(std::string_view line, std::vector<TToken>& tokens, std::string& source, std::string& error) {
  size_t i = 0;
  size_t end = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    TToken t;
    if (c == '"') {
      t.Quoted = true;
      ++i;
      for (;;) {
        if (i >= line.size()) return error = "unterminated text (a closing \" is missing)", false;
        if (line[i] == '"') break;
        if (line[i] == '\\') {
          if (i + 1 >= line.size() || (line[i + 1] != '"' && line[i + 1] != '\\'))
            return error = "unknown escape in a text (only \\\" and \\\\ are known)", false;
          ++i;
        }
        t.Text += line[i++];
      }
      ++i;
      if (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#')
        return error = "a blank is missing after a text", false;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#' &&
             line[i] != '"')
        t.Text += line[i++];
    }
    end = i;
    tokens.push_back(std::move(t));
  }
  source = Trim(line.substr(0, end));
  return true;
}

bool ParseNumber(const TToken& t, int32_t& out) {
  if (t.Quoted || t.Text.empty()) return false;
  const char* first = t.Text.data();
  const char* last = first + t.Text.size();
  const auto r = std::from_chars(first, last, out);
  return r.ec == std::errc() && r.ptr == last;
}

bool ParseButton(std::string_view word, TMouseButton& button) {
  if (word == "left") button = TMouseButton::Left;
  else if (word == "right") button = TMouseButton::Right;
  else if (word == "middle") button = TMouseButton::Middle;
  else return false;
  return true;
}

bool Fill(const TCommandSyntax& syntax, const std::vector<TToken>& args, TScriptCommand& cmd, std::string& error) {
  const std::string_view all = syntax.Args;
  const size_t bar = all.find('|');
  const std::string_view required = all.substr(0, bar);
  const std::string_view optional = bar == std::string_view::npos ? std::string_view() : all.substr(bar + 1);
  const bool rest = !required.empty() && required.back() == 'T';
  if (rest && args.size() < required.size()) {
    error = std::string(syntax.Name) + " takes at least " + std::to_string(required.size()) + " arguments, not " +
            std::to_string(args.size());
    return false;
  }
  if (!rest && (args.size() < required.size() || args.size() > required.size() + optional.size())) {
    const size_t most = required.size() + optional.size();
    error = std::string(syntax.Name) + " takes " + std::to_string(required.size());
    if (!optional.empty()) error += " or " + std::to_string(most);
    error += std::string(most == 1 ? " argument" : " arguments") + ", not " + std::to_string(args.size());
    return false;
  }
  std::vector<int32_t> numbers;
  for (size_t i = 0; i < args.size(); ++i) {
    const char kind = i < required.size() ? required[i] : rest ? 'T' : optional[i - required.size()];
    const TToken& a = args[i];
    switch (kind) {
      case 'n': {
        int32_t v = 0;
        if (!ParseNumber(a, v)) return error = "'" + a.Text + "' is not a whole number", false;
        numbers.push_back(v);
        break;
      }
      case 'm': {
        int32_t v = 0;
        if (!ParseNumber(a, v) || v < 0 || uint32_t(v) > kMaxMs)
          return error = "'" + a.Text + "' is not a time in milliseconds (0 to 86400000)", false;
        cmd.Ms = uint32_t(v);
        break;
      }
      case 't':
        if (!IsValidUtf8(a.Text)) return error = "the text is not UTF-8", false;
        // Every control without text would match an empty one.
        if (cmd.Op != TScriptOp::Type && Trim(a.Text).empty()) return error = "the text is empty", false;
        cmd.Text = a.Text;
        break;
      case 'T':
        if (!IsValidUtf8(a.Text)) return error = "the path is not UTF-8", false;
        if (a.Text.empty()) return error = "a path is empty", false;
        cmd.Files.push_back(a.Text);
        break;
      case 'f':
        if (a.Text.empty()) return error = "the file name is empty", false;
        cmd.File = a.Text;
        break;
      case 'k':
        if (a.Quoted || !ParseKeys(a.Text, cmd.Key, cmd.Shift)) return error = "'" + a.Text + "' names no key", false;
        break;
      case 'b':
        if (a.Quoted || !ParseButton(a.Text, cmd.Button))
          return error = "'" + a.Text + "' is no mouse button (left, right, middle)", false;
        break;
      case 'c':
        if (!a.Quoted && a.Text == "right") cmd.ClickKind = TClickKind::Right;
        else if (!a.Quoted && a.Text == "double") cmd.ClickKind = TClickKind::Double;
        else return error = "'" + a.Text + "' is neither right nor double", false;
        break;
    }
  }
  if (numbers.size() >= 2) cmd.Point = {numbers[0], numbers[1]};
  if (cmd.Op == TScriptOp::Drag) cmd.To = {numbers[2], numbers[3]};
  if (cmd.Op == TScriptOp::Wheel) {
    cmd.Notches = numbers[2];
    if (cmd.Notches == 0 || cmd.Notches < -100 || cmd.Notches > 100)
      return error = "the wheel turns 1 to 100 notches either way, not " + std::to_string(cmd.Notches), false;
  }
  return true;
}

}  // namespace

bool ParseScript(std::string_view text, std::string name, TScript& script, TScriptError& error) {
  script.Name = std::move(name);
  script.Commands.clear();
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);   // a byte order mark
  int32_t line = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view row = text.substr(start, end - start);
    start = end + 1;
    ++line;
    std::vector<TToken> tokens;
    TScriptCommand cmd;
    cmd.Line = line;
    std::string message;
    if (!Tokenize(row, tokens, cmd.Source, message)) {
      error = {line, message};
      return false;
    }
    if (tokens.empty()) continue;
    const TCommandSyntax* syntax = nullptr;
    if (!tokens[0].Quoted)
      for (const TCommandSyntax& s : kCommands)
        if (tokens[0].Text == s.Name) syntax = &s;
    if (!syntax) {
      error = {line, "unknown command '" + tokens[0].Text + "'"};
      return false;
    }
    cmd.Op = syntax->Op;
    tokens.erase(tokens.begin());
    if (!Fill(*syntax, tokens, cmd, message)) {
      error = {line, message};
      return false;
    }
    script.Commands.push_back(std::move(cmd));
  }
  return true;
}

bool LoadScript(const std::string& path, TScript& script, TScriptError& error) {
  script.Name = path;
  std::error_code ec;
  std::ifstream in;
  if (!std::filesystem::is_directory(path, ec)) in.open(path, std::ios::binary);
  std::string text;
  if (in) {
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
  }
  if (!in.is_open() || in.bad()) {
    error = {0, "cannot read the script"};
    return false;
  }
  return ParseScript(text, path, script, error);
}

bool ParseKeys(std::string_view text, uint16_t& key, TShiftState& shift) {
  struct TAlias {
    const char* Name;
    uint16_t Key;
  };
  static constexpr TAlias kAliases[] = {
      {"Escape", VK_ESCAPE}, {"Backspace", VK_BACK}, {"Delete", VK_DELETE}, {"Insert", VK_INSERT},
      {"PageUp", VK_PRIOR},  {"PageDown", VK_NEXT},  {"Return", VK_RETURN},
      {"Ctrl", VK_CONTROL},  {"Alt", VK_MENU},       {"Shift", VK_SHIFT},
      {"Apps", VK_APPS},  // the context-menu key
  };
  key = 0;
  shift = {};
  std::string_view rest = text;
  for (;;) {
    const size_t plus = rest.find('+');
    if (plus == std::string_view::npos) break;
    const std::string_view part = rest.substr(0, plus);
    if (SameText(part, "Ctrl")) shift.Include(TShiftKey::Ctrl);
    else if (SameText(part, "Alt")) shift.Include(TShiftKey::Alt);
    else if (SameText(part, "Shift")) shift.Include(TShiftKey::Shift);
    else return false;
    rest.remove_prefix(plus + 1);
  }
  if (rest.empty()) return false;
  for (const TAlias& a : kAliases)
    if (SameText(rest, a.Name)) key = a.Key;
  if (!key) key = TextToShortCut(rest) & 0xFF;
  return key != 0;
}

}  // namespace tsm
