// skindump: describes a skin container.
//
//   skindump [--format=auto|zlib|raw|skn] [--text] <file>
//
// The input is a zlib stream (as a stored skin holds it), a compressed skin
// file (.skn) or an uncompressed container; auto (the default) tells them
// apart by their first bytes. Prints the version, every picture with its
// size and bit depth, the definition's length and its sections; --text also
// prints the definition text. Exit status: 0 when the whole container reads,
// 1 when it does not (the reason goes to standard error), 2 for wrong
// arguments.

#include <iostream>
#include <string>
#include <vector>

#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskIniFile.h"
#include "skin/TskSkinContainer.h"
#include "skin/TskZStream.h"

namespace {

int Usage() {
  std::cerr << "usage: skindump [--format=auto|zlib|raw|skn] [--text] <file>\n";
  return 2;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) | (uint32_t(b[at + 3]) << 24);
}

std::string Guess(const std::vector<uint8_t>& b) {
  if (b.size() >= 2 && (b[0] & 0x0F) == 8 && ((b[0] << 8) | b[1]) % 31 == 0) return "zlib";
  if (b.size() >= 8 && int32_t(U32(b, 0)) <= 3 && U32(b, 4) == b.size() - 8) return "skn";
  return "raw";
}

void Picture(const char* what, const std::vector<uint8_t>& p) {
  std::cout << what << ": ";
  if (p.empty()) {
    std::cout << "none\n";
    return;
  }
  const tsm::TskPictureInfo info = tsm::ScanContainerPicture(p);
  std::cout << info.Width << "x" << info.Height << ", " << info.BitCount << " bits, " << info.Length << " bytes\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::string format = "auto", file;
  bool text = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a.rfind("--format=", 0) == 0) format = a.substr(9);
    else if (a == "--text") text = true;
    else if (!a.empty() && a[0] == '-') return Usage();
    else if (file.empty()) file = a;
    else return Usage();
  }
  if (file.empty() || (format != "auto" && format != "zlib" && format != "raw" && format != "skn")) return Usage();
  try {
    std::vector<uint8_t> bytes = tsm::ReadFileBytes(file);
    if (format == "auto") format = Guess(bytes);
    std::cout << "file: " << file << " (" << bytes.size() << " bytes, " << format << ")\n";
    if (format == "skn") {
      bytes = tsm::ReadCompressedSkinFile(bytes);
      if (bytes.empty()) {
        std::cerr << "skindump: the compressed skin file's version is above 3\n";
        return 1;
      }
      format = "zlib";
    }
    if (format == "zlib") {
      std::vector<uint8_t> raw;
      tsm::ZDecompress(bytes, raw);
      std::cout << "compressed: " << bytes.size() << " bytes, container: " << raw.size() << " bytes\n";
      bytes = std::move(raw);
    }
    tsm::TskSkinContainer c;
    const bool readable = tsm::ReadSkinContainer(bytes, c);
    std::cout << "version: " << c.Version << "\n";
    if (!readable) {
      std::cerr << "skindump: container version above 3 is not read\n";
      return 1;
    }
    Picture("main picture", c.MainPicture);
    Picture("inactive picture", c.InactivePicture);
    Picture("mask picture", c.MaskPicture);
    std::cout << "active pictures: " << c.ActivePictures.size() << "\n";
    for (size_t i = 0; i < c.ActivePictures.size(); ++i) Picture(("  " + std::to_string(i)).c_str(), c.ActivePictures[i]);
    const tsm::TskIniFile ini(c.Definition);
    const auto sections = ini.SectionNames();
    std::cout << "definition: " << c.Definition.size() << " bytes, " << sections.size() << " sections\n";
    for (const auto& s : sections) std::cout << "  [" << s << "] " << ini.SectionKeys(s).size() << " keys\n";
    if (text) std::cout << c.Definition;
  } catch (const std::exception& e) {
    std::cerr << "skindump: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
