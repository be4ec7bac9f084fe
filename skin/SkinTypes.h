#pragma once
// Small value types of the skin definition: the enumerations whose words a
// definition carries, the font style set, and the skin window messages.
// The enumerators are the definition's own words; ReadMorphKind and its
// siblings (SkinNotation.h) turn the words into these values once.

#include <cstdint>

namespace tsm {

// `morphkind`: how a look changes into its active look (TskEffectBmp morphs).
enum class TskMorphKind : uint8_t {
  mkdefault = 0,
  mkgradient = 1,
  mkleftgradient = 2,
  mkrightgradient = 3,
  mkleftslide = 4,
  mkrightslide = 5,
  mkpush = 6,
};

// `inactiveeffect`: how an inactive window's frame image is changed.
enum class TskInactiveEffect : uint8_t {
  iebrightness = 0,
  iedarkness = 1,
  iegrayscale = 2,
  ienoise = 3,
  iesplitblur = 4,
  ieinvert = 5,
};

// `command`: the window command of a caption button or animation.
enum class TskCommand : uint8_t {
  cmclose = 0,
  cmmaximize = 1,
  cmminimize = 2,
  cmsysmenu = 3,
  cmdefault = 4,
  cmrollup = 5,
  cmminimizetotray = 6,
};

// `alignment`: horizontal text alignment.
enum class TskAlignment : uint8_t {
  taleftjustify = 0,
  tarightjustify = 1,
  tacenter = 2,
};

// `fontstyle`: a set of bold, italic, underline and strike-out.
struct TskFontStyles {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;

  constexpr bool IsEmpty() const { return !Bold && !Italic && !Underline && !StrikeOut; }
  friend constexpr bool operator==(const TskFontStyles&, const TskFontStyles&) = default;
};

// Window messages broadcast by TskSkinData to every form (first parameter: the
// sending TskSkinData, second parameter: kSkinMessageParam) and by the popup
// menu engine.
constexpr uint32_t SkinMessageBeforeChange = 1225;
constexpr uint32_t SkinMessageChanged = 1226;
constexpr uint32_t SkinMessageAfterChange = 1227;
constexpr uint32_t SkinMessageMenuClosed = 1228;
constexpr uint32_t SkinMessageMenuCommand = 1229;
constexpr uint32_t SkinMessageStringsChanged = 1274;
constexpr int32_t kSkinMessageParam = 1000;

}  // namespace tsm
