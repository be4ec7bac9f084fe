#include "skin/TskCompressedStoredSkin.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "skin/SkinNotation.h"
#include "skin/TskIniFile.h"
#include "skin/TskSkinContainer.h"
#include "skin/TskZStream.h"

namespace tsm {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError(Format("Cannot open file \"%s\". %s", path, std::strerror(errno)));
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EInOutError(Format("Cannot open file \"%s\"", path));
  return bytes;
}

TskCompressedStoredSkin::TskCompressedStoredSkin(TComponent* owner) : TComponent(owner) {}

void TskCompressedStoredSkin::SetFileName(std::string_view name) {
  if (IsDesigning() && !IsLoading()) {
    m_fileName = ExtractFileName(name);
    BuildFromDefinition(std::string(name));
  } else {
    m_fileName = name;
  }
}

void TskCompressedStoredSkin::SetCompressedFileName(std::string_view name) {
  if (IsDesigning() && !IsLoading()) {
    m_compressedFileName = ExtractFileName(name);
    ImportCompressedFile(std::string(name));
  } else {
    m_compressedFileName = name;
  }
}

void TskCompressedStoredSkin::DecompressTo(std::vector<uint8_t>& stream) const { ZDecompress(m_data, stream); }

bool BuildSkinContainer(const std::string& path, TskSkinContainer& out) {
  const std::vector<uint8_t> file = ReadFileBytes(path);
  const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
  const TskIniFile ini(text);
  if (!IsSkinDefinition(ini)) return false;

  const std::string folder = ExtractFilePath(path);
  out = TskSkinContainer{};
  out.Version = kSkinContainerVersion;
  auto load = [&folder](const std::string& name) { return NormaliseBitmapFile(ReadFileBytes(folder + name)); };
  auto optional = [&](const char* key) {
    const std::string name = ini.ReadString("PICTURES", key, "");
    return name.empty() ? std::vector<uint8_t>() : load(name);
  };
  out.MainPicture = optional("picture");
  out.InactivePicture = optional("inactivepicture");
  out.MaskPicture = optional("mask");
  for (const std::string& name : ReadNameList(ini, "PICTURES", "activepictures")) {
    // An active picture has no flag byte, so it must hold an image.
    if (name.empty()) throw EInOutError(Format("Cannot open file \"%s\"", folder));
    out.ActivePictures.push_back(load(name));
  }
  // The text as read, each line followed by CR LF (not regenerated).
  const size_t nul = text.find('\0');
  out.Definition = JoinLinesCrLf(SplitTextLines(text.substr(0, nul)));
  return true;
}

void TskCompressedStoredSkin::BuildFromDefinition(const std::string& path) {
  {
    const std::vector<uint8_t> file = ReadFileBytes(path);
    const TskIniFile ini(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
    if (!IsSkinDefinition(ini)) return;
  }
  m_data.clear();
  TskSkinContainer container;
  if (!BuildSkinContainer(path, container)) return;
  const std::vector<uint8_t> bytes = WriteSkinContainer(container);
  std::vector<uint8_t> compressed;
  ZCompress(bytes, compressed, kSkinCompressionLevel);
  m_data = std::move(compressed);
}

std::vector<uint8_t> ReadCompressedSkinFile(std::span<const uint8_t> file) {
  auto i32 = [&file](size_t at) {
    return static_cast<int32_t>(uint32_t(file[at]) | (uint32_t(file[at + 1]) << 8) |
                                (uint32_t(file[at + 2]) << 16) | (uint32_t(file[at + 3]) << 24));
  };
  if (file.size() < 4) throw EReadError("Stream read error");
  if (i32(0) > kSkinContainerVersion) return {};
  if (file.size() < 8) throw EReadError("Stream read error");
  const int32_t length = i32(4);
  if (length <= 0 || static_cast<size_t>(length) > file.size() - 8) throw EReadError("Stream read error");
  return std::vector<uint8_t>(file.begin() + 8, file.begin() + 8 + length);
}

std::vector<uint8_t> WriteCompressedSkinFile(std::span<const uint8_t> stream) {
  std::vector<uint8_t> out;
  auto put = [&out](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
  };
  put(static_cast<uint32_t>(kSkinContainerVersion));
  put(static_cast<uint32_t>(stream.size()));
  out.insert(out.end(), stream.begin(), stream.end());
  return out;
}

void TskCompressedStoredSkin::ImportCompressedFile(const std::string& path) {
  m_data.clear();
  m_data = ReadCompressedSkinFile(ReadFileBytes(path));
}

}  // namespace tsm
