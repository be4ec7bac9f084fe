#include "platform/os/MimeDatabase.h"

#include <fnmatch.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/core/Utf8.h"
#include "platform/os/FileMask.h"

namespace tsm {

namespace {

std::string Fold(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) Utf8Append(out, FoldCase(Utf8Next(s, pos)));
  return out;
}

bool HasWildcard(std::string_view s) { return s.find_first_of("*?[") != std::string_view::npos; }

std::vector<std::string> DataFolders() {
  std::vector<std::string> out;
  const char* home = std::getenv("HOME");
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && *dataHome == '/') out.emplace_back(dataHome);
  else if (home && *home) out.push_back(std::string(home) + "/.local/share");
  const char* dirs = std::getenv("XDG_DATA_DIRS");
  std::string list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
  std::stringstream in(list);
  for (std::string d; std::getline(in, d, ':');)
    if (!d.empty() && d.front() == '/') out.push_back(d);
  return out;
}

// Text between <tag ...> and </tag> with the XML entities decoded.
std::string DecodeEntities(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      out += s[i];
      continue;
    }
    const size_t end = s.find(';', i);
    if (end == std::string_view::npos) {
      out += s[i];
      continue;
    }
    const std::string_view name = s.substr(i + 1, end - i - 1);
    if (name == "amp") out += '&';
    else if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "quot") out += '"';
    else if (name == "apos") out += '\'';
    else if (!name.empty() && name[0] == '#') {
      const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
      const long cp = std::strtol(std::string(name.substr(hex ? 2 : 1)).c_str(), nullptr, hex ? 16 : 10);
      if (cp > 0 && cp <= 0x10FFFF) Utf8Append(out, char32_t(cp));
    } else {
      out.append(s.substr(i, end - i + 1));
    }
    i = end;
  }
  return out;
}

}  // namespace

const TMimeDatabase& TMimeDatabase::Shared() {
  static const TMimeDatabase db = [] {
    std::vector<std::string> folders;
    for (const std::string& d : DataFolders()) folders.push_back(d + "/mime");
    return TMimeDatabase(folders);
  }();
  return db;
}

TMimeDatabase::TMimeDatabase(const std::vector<std::string>& mimeFolders) : m_folders(mimeFolders) {
  for (size_t i = 0; i < m_folders.size(); ++i) {
    ReadGlobs(m_folders[i] + "/globs2", static_cast<int32_t>(i));
    ReadGenericIcons(m_folders[i] + "/generic-icons");
    ReadAliases(m_folders[i] + "/aliases");
  }
}

bool TMimeDatabase::Better(const TGlob& a, const TGlob* b) {
  if (!b) return true;
  if (a.Weight != b->Weight) return a.Weight > b->Weight;
  return a.Priority < b->Priority;
}

void TMimeDatabase::ReadGlobs(const std::string& file, int32_t priority) {
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    // weight:type:pattern[:flags]
    const size_t a = line.find(':');
    const size_t b = a == std::string::npos ? a : line.find(':', a + 1);
    if (b == std::string::npos) continue;
    TGlob g;
    g.Weight = std::atoi(line.substr(0, a).c_str());
    g.Type = line.substr(a + 1, b - a - 1);
    g.Pattern = line.substr(b + 1);
    g.Priority = priority;
    if (const size_t c = g.Pattern.find(':'); c != std::string::npos) {
      g.CaseSensitive = g.Pattern.find("cs", c) != std::string::npos;
      g.Pattern.resize(c);
    }
    if (g.Pattern.empty() || g.Type.empty() || g.Pattern == "__NOGLOBS__") continue;
    ++m_globCount;
    const auto keep = [&](std::unordered_map<std::string, TGlob>& map, const std::string& key) {
      auto it = map.find(key);
      if (Better(g, it == map.end() ? nullptr : &it->second)) map[key] = g;
    };
    if (!HasWildcard(g.Pattern)) {
      keep(m_literals, g.CaseSensitive ? g.Pattern : Fold(g.Pattern));
    } else if (g.Pattern.size() > 2 && g.Pattern.compare(0, 2, "*.") == 0 && !HasWildcard(g.Pattern.substr(2))) {
      if (g.CaseSensitive) keep(m_extensionsCs, g.Pattern.substr(2));
      else keep(m_extensions, Fold(g.Pattern.substr(2)));
    } else {
      m_patterns.push_back(g);
    }
  }
}

void TMimeDatabase::ReadGenericIcons(const std::string& file) {
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos || line[0] == '#') continue;
    m_genericIcons.emplace(line.substr(0, colon), line.substr(colon + 1));
  }
}

void TMimeDatabase::ReadAliases(const std::string& file) {
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    const size_t space = line.find(' ');
    if (space == std::string::npos || line[0] == '#') continue;
    m_aliases.emplace(line.substr(space + 1), line.substr(0, space));
  }
}

std::string TMimeDatabase::TypeOfName(std::string_view fileName) const {
  if (fileName.empty() || m_globCount == 0) return {};
  const std::string folded = Fold(fileName);
  const TGlob* best = nullptr;
  if (auto it = m_literals.find(std::string(fileName)); it != m_literals.end() && it->second.CaseSensitive)
    best = &it->second;
  if (auto it = m_literals.find(folded); it != m_literals.end() && !it->second.CaseSensitive && Better(it->second, best))
    best = &it->second;
  if (best) return best->Type;
  // Extensions, longest first: every "." in the name starts a candidate.
  for (size_t dot = fileName.find('.'); dot != std::string_view::npos; dot = fileName.find('.', dot + 1)) {
    const std::string ext(fileName.substr(dot + 1));
    const TGlob* found = nullptr;
    if (auto it = m_extensionsCs.find(ext); it != m_extensionsCs.end()) found = &it->second;
    if (auto it = m_extensions.find(Fold(ext)); it != m_extensions.end() && (!found || Better(it->second, found)))
      found = &it->second;
    if (found) return found->Type;
  }
  const std::string name(fileName);
  size_t bestLength = 0;
  for (const TGlob& g : m_patterns) {
    const int flags = g.CaseSensitive ? 0 : FNM_CASEFOLD;
    if (::fnmatch(g.Pattern.c_str(), name.c_str(), flags) != 0) continue;
    if (!best || g.Weight > best->Weight || (g.Weight == best->Weight && g.Pattern.size() > bestLength)) {
      best = &g;
      bestLength = g.Pattern.size();
    }
  }
  return best ? best->Type : std::string();
}

std::string TMimeDatabase::Comment(const std::string& type, const std::string& language) const {
  const auto key = std::make_pair(type, language);
  if (auto it = m_comments.find(key); it != m_comments.end()) return it->second;
  std::string result;
  if (type.find('/') != std::string::npos && type.find("..") == std::string::npos) {
    const std::string shortLanguage = language.substr(0, language.find('_'));
    for (const std::string& folder : m_folders) {
      std::ifstream in(folder + "/" + type + ".xml");
      if (!in) continue;
      std::stringstream buffer;
      buffer << in.rdbuf();
      const std::string xml = buffer.str();
      std::string exact, near, plain;
      for (size_t at = xml.find("<comment"); at != std::string::npos; at = xml.find("<comment", at + 1)) {
        const size_t open = xml.find('>', at);
        const size_t close = open == std::string::npos ? open : xml.find("</comment>", open);
        if (close == std::string::npos) break;
        const std::string attributes = xml.substr(at + 8, open - at - 8);
        const std::string text = DecodeEntities(std::string_view(xml).substr(open + 1, close - open - 1));
        const size_t lang = attributes.find("xml:lang=\"");
        if (lang == std::string::npos) {
          if (plain.empty()) plain = text;
          continue;
        }
        const size_t start = lang + 10;
        const std::string tag = attributes.substr(start, attributes.find('"', start) - start);
        if (tag == language) exact = text;
        else if (tag == shortLanguage) near = text;
      }
      result = !exact.empty() ? exact : !near.empty() ? near : plain;
      if (!result.empty()) break;
    }
  }
  m_comments.emplace(key, result);
  return result;
}

TFileKind TMimeDatabase::KindOf(const std::string& type) const {
  if (auto it = m_genericIcons.find(type); it != m_genericIcons.end()) {
    const std::string& icon = it->second;
    if (icon == "video-x-generic") return TFileKind::Video;
    if (icon == "audio-x-generic") return TFileKind::Audio;
    if (icon == "image-x-generic") return TFileKind::Image;
    if (icon == "text-x-generic" || icon == "text-x-script" || icon == "text-html") return TFileKind::Text;
    if (icon == "package-x-generic") return TFileKind::Archive;
    if (icon == "application-x-executable") return TFileKind::Program;
    if (icon.compare(0, 9, "x-office-") == 0) return TFileKind::Document;
  }
  const auto byMedia = [](const std::string& t) {
    const std::string media = t.substr(0, t.find('/'));
    if (media == "video") return TFileKind::Video;
    if (media == "audio") return TFileKind::Audio;
    if (media == "image") return TFileKind::Image;
    if (media == "text") return TFileKind::Text;
    return TFileKind::Generic;
  };
  if (const TFileKind kind = byMedia(type); kind != TFileKind::Generic) return kind;
  // "application/vnd.ms-asf" is known as "video/x-ms-asf" too.
  const auto aliases = m_aliases.equal_range(type);
  for (auto it = aliases.first; it != aliases.second; ++it)
    if (const TFileKind kind = byMedia(it->second); kind != TFileKind::Generic) return kind;
  return TFileKind::Generic;
}

}  // namespace tsm
