#pragma once
// A UI script read into commands: one command per line, `#` starts a comment
// (outside quotes), arguments are words, numbers or texts in double quotes
// with the escapes \" and \\. Every line is checked before anything runs, so
// a mistake on line 40 is reported before line 1 acts.
//
//   advance MS            sleep MS              wait-text "TEXT" MS
//   move X Y              press X Y [BUTTON]    release X Y [BUTTON]
//   click X Y [BUTTON]    dclick X Y            drag X1 Y1 X2 Y2
//   wheel X Y NOTCHES     click-text "TEXT" [right|double]
//   key KEYS              type "TEXT"           drop X Y "PATH" ["PATH" ...]
//   shot FILE             shot-window "CAPTION" FILE       dump FILE|-
//   expect-text "TEXT"    expect-no-text "TEXT"
//   expect-window "CAPTION"   expect-no-window "CAPTION"
//   expect-focus "TEXT-OR-NAME"
//   expect-enabled "TEXT-OR-NAME"   expect-disabled "TEXT-OR-NAME"
//   quit
//
// BUTTON is left (the default), right or middle; coordinates are screen
// coordinates; MS is 0 .. 86400000; KEYS is a key name with modifiers,
// "Ctrl+Alt+W", "Shift+Tab", "Enter", "F1", "Alt" (see ParseKeys).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "platform/core/Geometry.h"
#include "platform/window/Backend.h"

namespace tsm {

enum class TScriptOp : uint8_t {
  Advance, Sleep, WaitText,
  Move, Press, Release, Click, DoubleClick, Drag, Wheel, ClickText,
  Key, Type, Drop,
  Shot, ShotWindow, Dump,
  ExpectText, ExpectNoText, ExpectWindow, ExpectNoWindow, ExpectFocus, ExpectEnabled, ExpectDisabled,
  Quit,
};

enum class TClickKind : uint8_t { Left, Right, Double };

struct TScriptCommand {
  TScriptOp Op = TScriptOp::Quit;
  int32_t Line = 0;            // 1-based line in the script
  std::string Source;          // the line as written, without comment and blanks
  TPoint Point;                // move, press, release, click, dclick, wheel; drag's start
  TPoint To;                   // drag's end
  uint32_t Ms = 0;             // advance, sleep, wait-text
  int32_t Notches = 0;         // wheel: positive away from the user
  TMouseButton Button = TMouseButton::Left;
  TClickKind ClickKind = TClickKind::Left;   // click-text
  std::string Text;            // TEXT, CAPTION or TEXT-OR-NAME
  std::string File;            // shot, shot-window, dump ("-": standard error)
  std::vector<std::string> Files;  // drop: the paths
  uint16_t Key = 0;            // key: the virtual key
  TShiftState Shift;           // key: Shift, Ctrl, Alt held around it
};

struct TScript {
  std::string Name;            // as given (the file name); prefixes the log lines
  std::vector<TScriptCommand> Commands;
};

struct TScriptError {
  int32_t Line = 0;            // 0: the script could not be read at all
  std::string Message;
};

// Reads the script text; false with the first error.
bool ParseScript(std::string_view text, std::string name, TScript& script, TScriptError& error);
// Reads the script file; an unreadable file is an error of line 0.
bool LoadScript(const std::string& path, TScript& script, TScriptError& error);

// "Ctrl+Alt+W": modifiers Ctrl, Alt, Shift (any order, any case) and one key:
// a letter or digit, F1 .. F12, Enter, Tab, Space, Escape (Esc), Backspace
// (BkSp), Delete (Del), Insert (Ins), Home, End, PageUp (PgUp), PageDown
// (PgDn), Left, Right, Up, Down — or a modifier alone ("Alt"). False for
// anything else.
bool ParseKeys(std::string_view text, uint16_t& key, TShiftState& shift);

}  // namespace tsm
