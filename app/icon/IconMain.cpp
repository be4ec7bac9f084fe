// tesmaro-icon FOLDER: writes the program's icon as FOLDER/<n>x<n>/tesmaro.png
// for the sizes a desktop's icon theme asks for.

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "app/icon/TesmaroIcon.h"
#include "platform/gfx/Png.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tesmaro-icon FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  ::mkdir(folder.c_str(), 0755);
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string dir = folder + "/" + std::to_string(size) + "x" + std::to_string(size);
    ::mkdir(dir.c_str(), 0755);
    const tsm::TBitmap icon = tsm::DrawTesmaroIcon(size);
    if (!tsm::SavePng(dir + "/tesmaro.png", icon.Surface())) {
      std::fprintf(stderr, "tesmaro-icon: cannot write %s/tesmaro.png\n", dir.c_str());
      return 1;
    }
  }
  return 0;
}
