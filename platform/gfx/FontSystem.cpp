#include "platform/gfx/FontSystem.h"

#include "platform/core/ProgramFolder.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <cstdlib>
#include <sys/stat.h>

namespace tsm {

namespace {

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<TFontMatch> MatchFromPattern(FcPattern* font) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || file == nullptr) return std::nullopt;
  TFontMatch m;
  m.File = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) m.Index = index;
  FcChar8* family = nullptr;
  if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch && family)
    m.Family = reinterpret_cast<const char*>(family);
  return m;
}

}  // namespace

TFontSystem& TFontSystem::Instance() {
  // Never destroyed: fonts cached in static objects may outlive any order of
  // static destruction.
  static TFontSystem* instance = new TFontSystem();
  return *instance;
}

TFontSystem::TFontSystem() {
  FT_Init_FreeType(&m_library);
  m_config = FcInitLoadConfigAndFonts();
  std::string alias;
  if (const char* env = std::getenv("TM_FONTS_CONF"); env && *env) alias = env;
  else alias = ProgramFolder() + "fonts.conf";
  // fontconfig needs an absolute path to load a file outside its own folders.
  if (!alias.empty() && alias[0] == '/' && FileExists(alias) && m_config &&
      FcConfigParseAndLoad(m_config, reinterpret_cast<const FcChar8*>(alias.c_str()), FcTrue))
    m_aliasFile = alias;
  std::atexit(&TFontSystem::ReleaseConfigAtExit);
}

void TFontSystem::ReleaseConfigAtExit() {
  TFontSystem& fs = Instance();
  if (fs.m_config) FcConfigDestroy(fs.m_config);
  fs.m_config = nullptr;
}

TFontSystem::~TFontSystem() {
  for (auto& [key, face] : m_faces)
    if (face) FT_Done_Face(face);
  if (m_library) FT_Done_FreeType(m_library);
  if (m_config) FcConfigDestroy(m_config);
}

std::optional<TFontMatch> TFontSystem::Match(const std::string& family, bool bold, bool italic) {
  if (!m_config) return std::nullopt;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(m_config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(m_config, pattern, &result);
  std::optional<TFontMatch> m;
  if (font) {
    m = MatchFromPattern(font);
    FcPatternDestroy(font);
  }
  FcPatternDestroy(pattern);
  return m;
}

std::optional<TFontMatch> TFontSystem::MatchForChar(const std::string& family, char32_t cp) {
  const auto key = std::make_pair(family, cp);
  if (auto it = m_charMatches.find(key); it != m_charMatches.end()) return it->second;
  std::optional<TFontMatch> found;
  if (m_config) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcCharSet* chars = FcCharSetCreate();
    FcCharSetAddChar(chars, cp);
    FcPatternAddCharSet(pattern, FC_CHARSET, chars);
    FcConfigSubstitute(m_config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* set = FcFontSort(m_config, pattern, FcFalse, nullptr, &result);
    if (set) {
      for (int i = 0; i < set->nfont && !found; ++i) {
        FcCharSet* cs = nullptr;
        if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &cs) == FcResultMatch && FcCharSetHasChar(cs, cp))
          found = MatchFromPattern(set->fonts[i]);
      }
      FcFontSetDestroy(set);
    }
    FcCharSetDestroy(chars);
    FcPatternDestroy(pattern);
  }
  m_charMatches[key] = found;
  return found;
}

FT_Face TFontSystem::Face(const TFontMatch& match) {
  const auto key = std::make_pair(match.File, match.Index);
  if (auto it = m_faces.find(key); it != m_faces.end()) return it->second;
  FT_Face face = nullptr;
  if (FT_New_Face(m_library, match.File.c_str(), match.Index, &face) != 0) face = nullptr;
  m_faces[key] = face;
  return face;
}

}  // namespace tsm
