#pragma once
// TskSkinPopupMenu: a popup menu component whose popups are shown by the
// skinned menu engine of a form's frame. The routing form is the form given
// with SetPopupForm, else the menu's owner when that is a form, else the
// owner's owner when that is a form; its frame (FindSkinMenuFrame) supplies
// the engine. Without such a frame a popup shows nothing.
//
// The skin: SkinData when set, else the frame's menu skin (its
// MenusSkinData, else its SkinData).
//
// The engine shows the pictures of Images for the items of any menu whose
// tree belongs to a TskSkinPopupMenu (MenuImagesOf).

#include <cstdint>

#include "framework/controls/PopupMenu.h"
#include "platform/core/Geometry.h"

namespace tsm {

class TControl;
class TCustomForm;
class TImageList;
class TskSkinData;

class TskSkinPopupMenu : public TPopupMenu {
 public:
  explicit TskSkinPopupMenu(TComponent* owner);

  // Cleared when the skin data is freed.
  TskSkinData* SkinData() const { return m_skinData; }
  void SetSkinData(TskSkinData* skinData);
  // The form to route through (the frame sets it for its tray menu);
  // cleared when that form is freed.
  TCustomForm* PopupForm() const { return m_popupForm; }
  void SetPopupForm(TCustomForm* form);
  // The form whose frame shows this menu's popups (see above), or null.
  TCustomForm* RoutingForm() const;
  // Pictures of the items (TMenuItem::ImageIndex) in the glyph column;
  // cleared when the list is freed.
  TImageList* Images() const { return m_images; }
  void SetImages(TImageList* images);

  // Fires OnPopup and opens the items below the screen point (x, y) through
  // the routing form's engine, for the popup component when it is a
  // control.
  void Popup(int32_t x, int32_t y) override;
  // The same items below (or, with popupUp, above) a screen rectangle: the
  // variant of a menu button.
  void PopupAtRect(TControl* control, const TRect& anchor, bool popupUp = false);
  // The variant of an edit's context menu at a screen point: shows nothing
  // when neither this menu nor the frame supplies skin data.
  void PopupForEdit(TControl* edit, int32_t x, int32_t y);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // Fires OnPopup, ends an open menu of the frame, begins its menu state and
  // opens the items; requireSkin: nothing without skin data.
  void DoPopup(TControl* control, const TRect& anchor, bool popupUp, bool requireSkin);

  TskSkinData* m_skinData = nullptr;
  TCustomForm* m_popupForm = nullptr;
  TImageList* m_images = nullptr;
};

// The image list of the TskSkinPopupMenu whose tree holds item; none for
// other trees (the frame's system menu) or a menu without images.
TImageList* MenuImagesOf(const TMenuItem* item);

}  // namespace tsm
