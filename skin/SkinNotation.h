#pragma once
// Reading and writing the value notations of a skin definition. Each
// operation takes the section and the key; a missing section or key reads as
// the notation's default (or the default given).
//
//   rect   "l,t,r,b"   point "x,y"   flag "1"/"0"   font style "fsbold,fsitalic,..."
//
// Rect and point rule: the value is scanned character by character; ","
// ends the current field, a decimal digit is appended to it, every other
// character (minus signs and blanks included) is dropped. Each field is then
// converted to an integer; an empty field or one too long for 32 bits raises
// EConvertError "'%s' is not a valid integer value", which aborts a skin
// load. A rect needs four fields and a point two; further fields are ignored.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Geometry.h"
#include "skin/SkinTypes.h"
#include "skin/TskIniFile.h"

namespace tsm {

// Parses a rect or point value by the rule above into `count` fields.
void ParseSkinFields(std::string_view value, int32_t* fields, int count);

TRect ReadSkinRect(const TskIniFile& ini, std::string_view section, std::string_view key,
                   std::string_view def = "0,0,0,0");
void WriteSkinRect(TskIniFile& ini, std::string_view section, std::string_view key, const TRect& r);

TPoint ReadSkinPoint(const TskIniFile& ini, std::string_view section, std::string_view key,
                     std::string_view def = "0,0");
void WriteSkinPoint(TskIniFile& ini, std::string_view section, std::string_view key, const TPoint& p);

// True only when the integer read (default 0) equals 1: "1", "01", "0x1".
bool ReadSkinFlag(const TskIniFile& ini, std::string_view section, std::string_view key);
void WriteSkinFlag(TskIniFile& ini, std::string_view section, std::string_view key, bool value);

// Each of the words "fsbold", "fsitalic", "fsunderline", "fsstrikeout" found
// anywhere in the value (exact case) sets its style.
TskFontStyles ReadFontStyle(const TskIniFile& ini, std::string_view section, std::string_view key);
void WriteFontStyle(TskIniFile& ini, std::string_view section, std::string_view key, TskFontStyles styles);
TskFontStyles ParseFontStyle(std::string_view text);
std::string FontStyleText(TskFontStyles styles);

// "tacenter" centre, "taleftjustify" left, anything else right; absent: centre.
TskAlignment ReadAlignment(const TskIniFile& ini, std::string_view section, std::string_view key);
void WriteAlignment(TskIniFile& ini, std::string_view section, std::string_view key, TskAlignment value);

// Unknown words read as mkdefault; absent: mkdefault.
TskMorphKind ReadMorphKind(const TskIniFile& ini, std::string_view section, std::string_view key);
void WriteMorphKind(TskIniFile& ini, std::string_view section, std::string_view key, TskMorphKind value);

// Unknown words read as iegrayscale; absent: iebrightness.
TskInactiveEffect ReadInactiveEffect(const TskIniFile& ini, std::string_view section, std::string_view key);
void WriteInactiveEffect(TskIniFile& ini, std::string_view section, std::string_view key,
                         TskInactiveEffect value);

// Unknown words read as cmminimizetotray; absent: cmdefault.
TskCommand ReadSkinCommand(const TskIniFile& ini, std::string_view section, std::string_view key);
void WriteSkinCommand(TskIniFile& ini, std::string_view section, std::string_view key, TskCommand value);

// Words of the enumerations (their definition text).
const char* MorphKindWord(TskMorphKind value);
const char* InactiveEffectWord(TskInactiveEffect value);
const char* SkinCommandWord(TskCommand value);
const char* AlignmentWord(TskAlignment value);

// A count key (stem + "count", integer, default 0) and the keys "0" to
// count-1 as texts (default ""). A negative count reads as an empty list;
// counts above 4096 read as 4096 (a guard against corrupt definitions).
std::vector<std::string> ReadNameList(const TskIniFile& ini, std::string_view section, std::string_view stem);

// True when [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] and
// [SKINCONTROLS] all exist.
bool IsSkinDefinition(const TskIniFile& ini);

}  // namespace tsm
