#pragma once
// The default skin of the program, drawn by code: every picture and the
// definition text (skin.ini) that describes them. BuildDefaultSkin is
// deterministic: the same pictures and text on every run.
//
// Pictures (file name, size):
//
//   main      frame.bmp        158 x 136  the window frame, inactive caption
//   active 0  caption.bmp      156 x 190  active caption band, caption buttons
//   active 1  popup.bmp         61 x  40  popup menu window
//   active 2  menuitem.bmp      54 x 100  menu item looks and the divider
//   active 3  hint.bmp          47 x  21  hint window
//   active 4  buttons.bmp                 push, resize, tool and tool menu buttons
//   active 5  fields.bmp                  edits, combo boxes, spin edit, list box
//   active 6  scrollbars.bmp              the three scroll bars
//   active 7  misc.bmp                    panels, check and radio boxes, gauges, grid
//
// The geometry of each element is described next to the code that draws it.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "tools/defskin/SkinDefinitionWriter.h"

namespace tsm {

// Positions in the active picture list.
enum TDefaultSkinPicture : int32_t {
  kPicCaption = 0,
  kPicPopup = 1,
  kPicMenuItem = 2,
  kPicHint = 3,
  kPicButtons = 4,
  kPicFields = 5,
  kPicScrollBars = 6,
  kPicMisc = 7,
  kDefaultSkinActivePictureCount = 8,
};

struct TSkinPictureFile {
  std::string FileName;  // relative to the definition's folder
  TBitmap Bitmap;        // 24-bit
};

struct TDefaultSkinSource {
  TSkinPictureFile MainPicture;
  std::vector<TSkinPictureFile> ActivePictures;  // kDefaultSkinActivePictureCount entries
  TSkinDefinitionWriter Definition;
};

TDefaultSkinSource BuildDefaultSkin();

// The bitmap file of a picture as the skin stores it: 8 bits with a colour
// table of the colours used when there are at most 256, else 24 bits.
std::vector<uint8_t> EncodeSkinPicture(const TBitmap& bitmap);

}  // namespace tsm
