#pragma once
// TskSkinData: one loaded skin for the whole application — its pictures, the
// frame layout of [FORMINFO], the popup and hint window data, the frame's
// skin objects and the control skin data — and the announcement of skin
// changes to every form.
//
// Ownership: TskSkinData owns every picture and data object. Windows and
// controls hold plain pointers into it that stay valid only until the next
// SkinMessageBeforeChange; they fetch them again on SkinMessageChanged.
//
// Loading (SetCompressedStoredSkin with a non-empty stored skin):
//   empty flag set -> SkinMessageBeforeChange -> ClearSkin -> inflate ->
//   container (a version above 3 stops here, silently) -> pictures ->
//   [VERSION] [PICTURES] [FORMINFO] [POPUPWINDOW] [HINTWINDOW] [SKINOBJECTS]
//   [SKINCONTROLS] -> empty flag cleared -> SkinMessageChanged ->
//   SkinMessageAfterChange.
// Any error (corrupt stream, bad picture, malformed rect or point) leaves the
// skin empty and propagates out of the load; the forms then have had
// SkinMessageBeforeChange and no SkinMessageChanged.
//
// Messages are sent synchronously through the registered TskSkinFormList
// (the window system's side implements it over the application's forms):
// the owner form first, then every other form in list order.
//
// A component: the owner (usually the main window) frees it. The references
// to the stored skin and the resource string data are cleared when those
// components are freed (removal notice). Windows and controls that refer to
// the skin data learn of its destruction the same way; it sends no message
// when it goes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/Component.h"
#include "platform/gfx/Bitmap.h"
#include "skin/SkinTypes.h"
#include "skin/SkinWindowData.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskDataSkinObject.h"

namespace tsm {

class TskCompressedStoredSkin;
class TskResourceStrData;
class TskSkinData;
class TskIniFile;

// The application's forms as the skin data addresses them, in list order.
class TskSkinFormList {
 public:
  virtual ~TskSkinFormList() = default;
  virtual size_t FormCount() const = 0;
  virtual TComponent* Form(size_t index) const = 0;
  // True when the component is a form (a skin data owned by a form tells that
  // form first).
  virtual bool IsForm(const TComponent& component) const = 0;
  // Sends message (SkinMessageBeforeChange ...) synchronously to the form's
  // window, creating the window when it does not exist yet; the first
  // parameter is the sender, the second kSkinMessageParam. Returns when the
  // receiver's handling is complete.
  virtual void SendSkinNotice(TComponent& form, uint32_t message, TskSkinData& sender) = 0;
};

// The form list every skin data broadcasts to (none: nobody is told). Not
// owned. The window system's side registers it when a program starts.
void SetSkinFormList(TskSkinFormList* forms);
TskSkinFormList* SkinFormList();

class TskSkinData : public TComponent {
 public:
  explicit TskSkinData(TComponent* owner);
  // Sets the empty flag and frees everything; sends no message.
  ~TskSkinData() override;

  // --- Persisted references ---
  TskCompressedStoredSkin* CompressedStoredSkin() const { return m_storedSkin; }
  // Stores the reference and, when it is not none and the component is not
  // being designed, loads the skin from it (an empty stored skin changes
  // nothing).
  void SetCompressedStoredSkin(TskCompressedStoredSkin* storedSkin);
  TskResourceStrData* ResourceStrData() const { return m_resourceStrData; }
  // Stores the reference and, outside design time, sends
  // SkinMessageStringsChanged to all forms.
  void SetResourceStrData(TskResourceStrData* data);

  // --- Loading ---
  // Loads from a stored skin; an empty one changes nothing at all. When a
  // receiver of SkinMessageBeforeChange frees the stored skin, the load ends
  // there and the skin stays empty.
  void LoadFromStoredSkin(const TskCompressedStoredSkin& storedSkin);
  // Loads from the bytes of an uncompressed container, as the stored-skin
  // load does after inflating.
  void LoadFromContainer(std::span<const uint8_t> container);

  // --- State ---
  bool Empty() const { return m_empty; }

  // --- Pictures (each possibly empty) ---
  const TBitmap& Picture() const { return m_picture; }
  const TBitmap& InActivePicture() const { return m_inactivePicture; }
  const TBitmap& MaskPicture() const { return m_maskPicture; }
  size_t ActivePictureCount() const { return m_activePictures.size(); }
  // The active picture of a picture index; none for -1 and for indices not
  // below the number of pictures.
  const TBitmap* ActivePicture(int32_t index) const;
  const std::string& PictureName() const { return m_pictureName; }
  const std::string& InActivePictureName() const { return m_inactivePictureName; }
  const std::string& MaskName() const { return m_maskName; }
  const std::vector<std::string>& ActivePictureNames() const { return m_activePictureNames; }

  // --- [VERSION] ---
  const std::string& SkinName() const { return m_skinName; }
  const std::string& SkinAuthor() const { return m_skinAuthor; }
  const std::string& AuthorEmail() const { return m_authorEmail; }
  const std::string& AuthorURL() const { return m_authorURL; }
  const std::string& SkinComments() const { return m_skinComments; }

  // --- Layouts ---
  const TskSkinFormInfo& FormInfo() const { return m_formInfo; }
  const TskDataSkinPopupWindow& PopupWindow() const { return *m_popupWindow; }
  const TskDataSkinHintWindow& HintWindow() const { return *m_hintWindow; }

  // --- Objects and control data, in entry order ---
  size_t ObjectCount() const { return m_objects.size(); }
  TskDataSkinObject* Object(size_t index) const { return m_objects.at(index).get(); }
  size_t ControlCount() const { return m_controls.size(); }
  TskDataSkinControl* Control(size_t index) const { return m_controls.at(index).get(); }
  // Position of the first entry whose section name equals name exactly
  // (case-sensitive); -1 when there is none or the skin is empty.
  int32_t FindObjectIndex(std::string_view name) const;
  int32_t FindControlIndex(std::string_view name) const;
  // The first entry of that name when it is of class T (or a subclass);
  // none when the skin is empty, the name is unknown or the class differs.
  template <class T>
  T* FindControl(std::string_view name) const {
    const int32_t i = FindControlIndex(name);
    return i < 0 ? nullptr : dynamic_cast<T*>(m_controls[size_t(i)].get());
  }
  template <class T>
  T* FindObject(std::string_view name) const {
    const int32_t i = FindObjectIndex(name);
    return i < 0 ? nullptr : dynamic_cast<T*>(m_objects[size_t(i)].get());
  }

  // Frees every object, control data and active picture and the active
  // picture names; the popup and hint window data stay, with their
  // windowpictureindex set to -1.
  void ClearSkinLists();
  // ClearSkinLists, then empties the main, mask and inactive pictures, clears
  // the main picture name and the mask name and sets the empty flag.
  void ClearSkin();

  // Sends message to the owner form first (when the owner is a form), then to
  // every other form in list order, each synchronously.
  // A receiver may free this component; the broadcast then stops.
  void BroadcastSkinMessage(uint32_t message);

 protected:
  // Removal notice: a referenced stored skin or resource string data that is
  // being freed is forgotten; nothing else changes.
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // Empty flag, SkinMessageBeforeChange, ClearSkin. False when a receiver of
  // the notice freed this component (nothing may be touched any more).
  bool BeginLoad();
  void ReadContainer(std::span<const uint8_t> bytes);
  void ReadDefinition(const TskIniFile& ini);

  TskCompressedStoredSkin* m_storedSkin = nullptr;
  TskResourceStrData* m_resourceStrData = nullptr;

  bool m_empty = true;
  TBitmap m_picture, m_inactivePicture, m_maskPicture;
  std::vector<std::unique_ptr<TBitmap>> m_activePictures;
  std::string m_pictureName, m_inactivePictureName, m_maskName;
  std::vector<std::string> m_activePictureNames;
  std::string m_skinName, m_skinAuthor, m_authorEmail, m_authorURL, m_skinComments;
  TskSkinFormInfo m_formInfo;
  std::unique_ptr<TskDataSkinPopupWindow> m_popupWindow;
  std::unique_ptr<TskDataSkinHintWindow> m_hintWindow;
  std::vector<std::unique_ptr<TskDataSkinObject>> m_objects;
  std::vector<std::unique_ptr<TskDataSkinControl>> m_controls;
};

// Decodes a picture of a container (normalised bitmap file bytes) into a
// 24-bit bitmap; raises EReadError "Bitmap image is not valid".
TBitmap DecodeSkinPicture(std::span<const uint8_t> picture);

// The entries of a [SKINOBJECTS] or [SKINCONTROLS] section in numeric order:
// keys "0" ... count-1 that exist, each split at its first ":" into section
// name and kind. Absent keys would read as "" (no ":", empty kind) and create
// nothing, so only present keys are visited, whatever the count says.
struct TskSkinListEntry {
  std::string Name;
  std::string Kind;
};
std::vector<TskSkinListEntry> ReadSkinListEntries(const TskIniFile& ini, std::string_view section);

}  // namespace tsm
