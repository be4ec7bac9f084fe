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
// Messages are sent synchronously through TskSkinFormList (implemented by
// the framework's list of forms): the owner form first, then every other
// form in list order.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// One form as the skin data addresses it.
class TskSkinNoticeReceiver {
 public:
  virtual ~TskSkinNoticeReceiver() = default;
  // Sends message (SkinMessageBeforeChange ...) synchronously to the form's
  // window, creating the window when it does not exist yet; the first
  // parameter is the sender, the second kSkinMessageParam. Returns when the
  // receiver's handling is complete.
  virtual void SendSkinNotice(uint32_t message, TskSkinData& sender) = 0;
};

// The application's forms, in list order.
class TskSkinFormList {
 public:
  virtual ~TskSkinFormList() = default;
  virtual size_t FormCount() const = 0;
  virtual TskSkinNoticeReceiver* Form(size_t index) = 0;
};

class TskSkinData {
 public:
  // forms: the application's list of forms (none: nobody is told);
  // ownerForm: the form that owns this component, or none when the owner is
  // not a form.
  explicit TskSkinData(TskSkinFormList* forms = nullptr, TskSkinNoticeReceiver* ownerForm = nullptr);
  // Sets the empty flag and frees everything; sends no message.
  ~TskSkinData();
  TskSkinData(const TskSkinData&) = delete;
  TskSkinData& operator=(const TskSkinData&) = delete;

  void SetFormList(TskSkinFormList* forms) { m_forms = forms; }
  void SetOwnerForm(TskSkinNoticeReceiver* owner) { m_ownerForm = owner; }

  // --- Persisted references ---
  TskCompressedStoredSkin* CompressedStoredSkin() const { return m_storedSkin; }
  // Stores the reference and, when it is not none, loads the skin from it.
  void SetCompressedStoredSkin(TskCompressedStoredSkin* storedSkin);
  TskResourceStrData* ResourceStrData() const { return m_resourceStrData; }
  // Stores the reference and sends SkinMessageStringsChanged to all forms.
  void SetResourceStrData(TskResourceStrData* data);
  // Removal notice: a referenced stored skin or resource string data that is
  // being destroyed is forgotten; nothing else changes.
  void RemovalNotice(const void* component);

  // --- Loading ---
  // Loads from a stored skin; an empty one changes nothing at all.
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
  void BroadcastSkinMessage(uint32_t message);

 private:
  void BeginLoad();
  void ReadContainer(std::span<const uint8_t> bytes);
  void ReadDefinition(const TskIniFile& ini);

  TskSkinFormList* m_forms;
  TskSkinNoticeReceiver* m_ownerForm;
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
