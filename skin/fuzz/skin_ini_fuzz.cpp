// Fuzz target: a skin definition text through the whole definition reader
// (INI syntax, every notation, list sections, every skin data class), then
// written back and read again.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>
#include <vector>

#include "skin/SkinNotation.h"
#include "skin/TskIniFile.h"
#include "skin/TskSkinData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tsm::TskIniFile ini(text);
  try {
    tsm::ReadSkinRect(ini, "FORMINFO", "clientrect");
  } catch (const std::exception&) {
  }
  tsm::ReadNameList(ini, "PICTURES", "activepictures");
  tsm::TskIniFile again(ini.Text());

  // The same text as the definition of a container without pictures.
  std::vector<uint8_t> container = {3, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
  container.insert(container.end(), data, data + size);
  tsm::TskSkinData skin(nullptr);
  try {
    skin.LoadFromContainer(container);
  } catch (const std::exception&) {
    return 0;
  }
  tsm::TskIniFile out;
  for (size_t i = 0; i < skin.ObjectCount(); ++i) skin.Object(i)->WriteToIni(out);
  for (size_t i = 0; i < skin.ControlCount(); ++i) skin.Control(i)->WriteToIni(out);
  tsm::TskIniFile reread(out.Text());
  for (size_t i = 0; i < skin.ControlCount(); ++i) {
    // Written rects and points always read back.
    skin.Control(i)->ReadFromIni(reread);
  }
  return 0;
}
