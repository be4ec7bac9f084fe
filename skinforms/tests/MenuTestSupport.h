#pragma once
// Fixture of the menu tests: a shown form with the stand-in frame, the
// program's stored skin on demand, and helpers to build item trees and to
// open them through the frame's engine.

#include <string>

#include "framework/controls/MenuItem.h"
#include "framework/controls/PopupMenu.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"
#include "skinforms/TskSkinMenu.h"
#include "skinforms/TskSkinPopupWindow.h"
#include "skinforms/tests/MenuTestFrame.h"

namespace tsm {

class TskSkinData;
class TskCompressedStoredSkin;

class MenuTest : public FrameworkTest {
 protected:
  void SetUp() override;

  // Loads the stored skin into a skin data of the form and makes it the
  // frame's menu skin.
  TskSkinData* LoadStoredSkin();

  // A sub-item of parent (the menu's root when parent is null).
  TMenuItem* Add(const std::string& caption, TMenuItem* parent = nullptr, const std::string& name = "");
  // Opens the menu's items through the frame, below (above) an anchor.
  void Open(const TRect& anchor, bool popupUp = false, TMenuItem* items = nullptr);
  void OpenAt(TPoint p) { Open({p.X, p.Y, p.X, p.Y}); }

  TskSkinMenu& Engine() { return m_frame->SkinMenu(); }
  TskSkinPopupWindow& Window(size_t level = 0) { return *Engine().Window(level); }
  // Screen centre of an item of an open window.
  TPoint ItemCenter(size_t index, size_t level = 0);
  // Width of a text in the font the window measured with ("&" prefixes
  // removed).
  int32_t TextWidth(const std::string& text, size_t level = 0);

  TForm* m_form = nullptr;
  TMenuTestFrame* m_frame = nullptr;
  TPopupMenu* m_menu = nullptr;
  TskSkinData* m_skin = nullptr;
};

}  // namespace tsm
