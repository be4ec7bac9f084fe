#pragma once
// The gallery's two windows, at the sizes of the program's two windows: the
// main window (client 785 x 419, minimize and maximize buttons, magnetic) with
// the page area, a popup menu and the skin switch, and the dialog (client
// 540 x 264, close button only, magnetic). Both wear the skinned frame.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/CustomForm.h"
#include "tools/gallery/GalleryPages.h"
#include "tools/gallery/GallerySkin.h"

namespace tsm {

class TApplication;
class TLabel;
class TskSkinButton;
class TskSkinPanel;
class TTimer;
class TskFormFrame;
class TskSkinPopupMenu;

class TGalleryDialog : public TForm {
 public:
  TGalleryDialog(TComponent* owner, TskSkinData* skin);
  TskFormFrame* Frame() const { return m_frame; }
  TskSkinButton* CloseButton() const { return m_close; }

 private:
  TskFormFrame* m_frame;
  TskSkinButton* m_close;
};

class TGalleryMainForm : public TForm {
 public:
  explicit TGalleryMainForm(TComponent* owner);

  TskFormFrame* Frame() const { return m_frame; }
  TGallerySkin& Skin() { return m_skin; }
  TskSkinPopupMenu* Menu() const { return m_menu; }
  TskSkinButton* SkinButton() const { return m_skinButton; }
  TskSkinButton* DialogButton() const { return m_dialogButton; }
  TskSkinButton* MenuButton() const { return m_menuButton; }
  TLabel* Status() const { return m_status; }
  TGalleryDialog* Dialog() const { return m_dialog; }
  void SetDialog(TGalleryDialog* dialog) { m_dialog = dialog; }

  size_t PageCount() const { return m_pages.size(); }
  TskSkinPanel* Page(size_t index) const { return m_pages.at(index); }
  TskSkinButton* PageButton(size_t index) const { return m_pageButtons.at(index); }
  // Items of the menu's long sub-menu (taller than the work area).
  static constexpr int kLongMenuItems = 40;
  // Shows the page (building it on its first showing).
  void ShowPage(size_t index);

  // Switches between the stored skin and no skin.
  void ToggleSkin();
  void ShowDialog();
  // The popup menu below the menu button.
  void PopupMenu();

 private:
  TGallerySkin m_skin;
  TskFormFrame* m_frame;
  TskSkinPanel* m_bar;
  TskSkinPanel* m_pageArea;
  TskSkinButton* m_skinButton;
  TskSkinButton* m_dialogButton;
  TskSkinButton* m_menuButton;
  TLabel* m_status;
  TskSkinPopupMenu* m_menu;
  std::vector<TskSkinPanel*> m_pages;
  std::vector<TskSkinButton*> m_pageButtons;
  std::vector<TGalleryPageBuilder> m_builders;  // null once the page is built
  TGalleryDialog* m_dialog = nullptr;
};

// Creates the main window and the dialog on the application.
TGalleryMainForm* CreateGallery(TApplication& application);

// Prints every change of the framed windows' state to standard output, one
// line each, checked every 50 ms (for the tests that drive the gallery from
// outside):
//   state <name> <normal|maximized|minimized> <rolled 0|1> <iconic 0|1> L T W H
//   menu open <name> / menu close <name>
//   skin on / skin off
//   tray <shown 0|1> <hidden in it 0|1>   (once the tray page is built)
class TGalleryLog {
 public:
  explicit TGalleryLog(TGalleryMainForm& main);
  ~TGalleryLog();
  TGalleryLog(const TGalleryLog&) = delete;
  TGalleryLog& operator=(const TGalleryLog&) = delete;

 private:
  void Check();

  TGalleryMainForm& m_main;
  TTimer* m_timer;
  std::vector<std::string> m_last;
  bool m_skinOn = true;
  std::string m_tray;
};

}  // namespace tsm
