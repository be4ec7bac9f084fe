// tm_skingen OUTDIR: draws the default skin and writes its definition
// (OUTDIR/skin.ini) and pictures (OUTDIR/*.bmp). Pictures are written with
// an 8-bit colour table when they use at most 256 colours, else 24-bit.
// Output is identical on every run. Exit code 0 on success, 1 on failure.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/defskin/DefaultSkinArtwork.h"

namespace {

bool WriteFile(const std::string& path, const void* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

bool WritePicture(const std::string& dir, const tsm::TSkinPictureFile& picture) {
  const std::vector<uint8_t> bytes = tsm::EncodeSkinPicture(picture.Bitmap);
  return !bytes.empty() && WriteFile(dir + "/" + picture.FileName, bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 1;
  }
  const std::string dir = argv[1];
  const tsm::TDefaultSkinSource skin = tsm::BuildDefaultSkin();
  bool ok = WritePicture(dir, skin.MainPicture);
  for (const tsm::TSkinPictureFile& p : skin.ActivePictures) ok = ok && WritePicture(dir, p);
  const std::string text = skin.Definition.Text();
  ok = ok && WriteFile(dir + "/skin.ini", text.data(), text.size());
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write the skin into %s\n", argv[0], dir.c_str());
    return 1;
  }
  return 0;
}
