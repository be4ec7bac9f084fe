#pragma once
// TFontSystem: the process-wide FreeType library and fontconfig
// configuration behind TFont.
//
// On first use it loads the system fontconfig configuration and then our own
// alias file "fonts.conf" from the program folder (the folder of
// /proc/self/exe; the environment variable TM_FONTS_CONF may name another
// file), so that the Windows families the interface names ("宋体", "Arial" ...)
// resolve to installed faces. FreeType faces are opened once per (file, face
// index) and live until the process ends.
//
// Used from the user-interface thread only (FreeType faces are not thread
// safe); creating the instance is thread safe.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <optional>
#include <string>
#include <utility>

struct _FcConfig;

namespace tsm {

struct TFontMatch {
  std::string File;
  int Index = 0;
  std::string Family;  // the family name fontconfig matched

  friend bool operator==(const TFontMatch&, const TFontMatch&) = default;
};

class TFontSystem {
 public:
  static TFontSystem& Instance();

  // The alias file that was loaded, or "" when none was found.
  const std::string& AliasFile() const { return m_aliasFile; }

  // The best face for a family and style (fontconfig's substitution rules,
  // our aliases included). Answers nothing only when fontconfig knows no
  // font at all.
  std::optional<TFontMatch> Match(const std::string& family, bool bold, bool italic);
  // The best face that has a glyph for cp, preferring faces like family;
  // answers nothing when no installed face covers it. Cached per character.
  std::optional<TFontMatch> MatchForChar(const std::string& family, char32_t cp);

  FT_Library Library() const { return m_library; }
  // The opened face (owned here), or nullptr when FreeType cannot open it.
  FT_Face Face(const TFontMatch& match);

  TFontSystem(const TFontSystem&) = delete;
  TFontSystem& operator=(const TFontSystem&) = delete;

 private:
  TFontSystem();
  ~TFontSystem();
  // Registered with atexit: frees the fontconfig configuration, whose
  // memory leak checkers cannot trace while it lives. Fonts already made keep
  // working; families asked for afterwards resolve to no face.
  static void ReleaseConfigAtExit();

  FT_Library m_library = nullptr;
  _FcConfig* m_config = nullptr;
  std::string m_aliasFile;
  std::map<std::pair<std::string, int>, FT_Face> m_faces;
  std::map<std::pair<std::string, char32_t>, std::optional<TFontMatch>> m_charMatches;
};

}  // namespace tsm
