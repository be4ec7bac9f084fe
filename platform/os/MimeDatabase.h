#pragma once
// File types from the shared MIME database (freedesktop.org; Debian's
// shared-mime-info): the type of a file name from the "globs2" files, the
// type's human-readable name ("comment", in a language chosen by the
// caller) from "<media>/<subtype>.xml", and a coarse kind from the
// "generic-icons" file or the media type of the type or one of its aliases
// ("aliases"), for the views' icons.
//
// The database is read from the "mime" folder of each XDG data folder
// ($XDG_DATA_HOME, default ~/.local/share; then $XDG_DATA_DIRS, default
// /usr/local/share:/usr/share). Without a database every name has no type.
//
// Name matching follows the database's rules in short: literal names first,
// then "*.ext" patterns (the longest extension wins), then other patterns;
// among equals the higher weight, then the earlier folder. Patterns match
// without regard to case unless the database marks them case-sensitive.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tsm {

enum class TFileKind : uint8_t { Generic, Video, Audio, Image, Text, Archive, Program, Document };

class TMimeDatabase {
 public:
  // The database of the XDG data folders, read on first use.
  static const TMimeDatabase& Shared();
  // The database in the given "mime" folders, highest priority first.
  explicit TMimeDatabase(const std::vector<std::string>& mimeFolders);

  bool Empty() const { return m_globCount == 0; }
  // The type of a file name (without its folder); empty when none matches.
  std::string TypeOfName(std::string_view fileName) const;
  // The type's comment in the language ("zh_CN"; a language without a
  // comment falls back to the language part "zh", then to the untagged
  // comment); empty for an unknown type. Read once per type.
  std::string Comment(const std::string& type, const std::string& language) const;
  TFileKind KindOf(const std::string& type) const;

 private:
  struct TGlob {
    int32_t Weight = 0;
    int32_t Priority = 0;  // folder order: lower is earlier
    std::string Type;
    std::string Pattern;
    bool CaseSensitive = false;
  };
  void ReadGlobs(const std::string& file, int32_t priority);
  void ReadGenericIcons(const std::string& file);
  void ReadAliases(const std::string& file);
  static bool Better(const TGlob& a, const TGlob* b);

  std::vector<std::string> m_folders;
  size_t m_globCount = 0;
  std::unordered_map<std::string, TGlob> m_literals;    // folded name unless case-sensitive
  std::unordered_map<std::string, TGlob> m_extensions;  // folded "ext" (after "*.")
  std::unordered_map<std::string, TGlob> m_extensionsCs;
  std::vector<TGlob> m_patterns;
  std::unordered_map<std::string, std::string> m_genericIcons;
  std::unordered_multimap<std::string, std::string> m_aliases;  // type -> its other names
  mutable std::map<std::pair<std::string, std::string>, std::string> m_comments;
};

}  // namespace tsm
