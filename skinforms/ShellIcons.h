#pragma once
// The pictures of the file dialogs, drawn by code: the icons of places,
// folders and file kinds at 16 x 16 (lists, tree, folder combo box) and
// 32 x 32 (the large-icon view), and the glyphs of the dialogs' tool
// buttons. Pixels outside a picture's shape have kShellIconTransparent,
// the colour the image lists and buttons leave out.

#include <cstdint>

#include "platform/core/Color.h"
#include "platform/gfx/Bitmap.h"

namespace tsm {

class TImageList;
namespace ui {
class TBitmap;
}

enum class TskShellIcon : uint8_t {
  Desktop, Computer, Drive, Home, Folder, FolderOpen, VideoFolder, File, Video, Audio, Image, Text, Archive,
  Program, Document
};
inline constexpr int32_t kShellIconCount = 15;

inline constexpr TColor kShellIconTransparent = RGB(255, 0, 255);

// One icon at 16 or 32 pixels (other sizes give 16); made once, kept.
const TBitmap& ShellIconBitmap(TskShellIcon icon, int32_t size);
// Fills an image list with every icon at the list's size (16 unless it is
// 32), in enumeration order, so that the icon's value is its index.
void FillShellImageList(TImageList& list);

enum class TskToolGlyph : uint8_t { Back, Up, NewFolder, ViewMenu };
// A 16 x 16 button glyph whose bottom-left pixel is transparent.
void MakeToolGlyph(TskToolGlyph glyph, ui::TBitmap& out);

}  // namespace tsm
