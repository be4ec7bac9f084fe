#include "skin/TskSkinData.h"

#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/base/SysUtils.h"
#include "platform/gfx/Bmp.h"
#include "skin/SkinNotation.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskIniFile.h"
#include "skin/TskResourceStrData.h"
#include "skin/TskSkinContainer.h"

namespace tsm {

namespace {

// "0", "1", ... "2147483647": the only key texts that name entry i.
bool CanonicalIndex(const std::string& key, int32_t& index) {
  if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) return false;
  int64_t v = 0;
  for (const char c : key) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v > INT32_MAX) return false;
  index = static_cast<int32_t>(v);
  return true;
}

}  // namespace

TBitmap DecodeSkinPicture(std::span<const uint8_t> picture) {
  TBmpReadResult r = ReadBmp(picture, TBmpLayout::Packed, TPixelFormat::Bgr24);
  if (!r.Ok() || r.BytesUsed != picture.size()) throw EReadError("Bitmap image is not valid");
  return std::move(r.Bitmap);
}

std::vector<TskSkinListEntry> ReadSkinListEntries(const TskIniFile& ini, std::string_view section) {
  const int32_t count = ini.ReadInteger(section, "count", 0);
  std::vector<int32_t> indices;
  for (const std::string& key : ini.SectionKeys(section)) {
    int32_t i;
    if (CanonicalIndex(key, i) && i < count) indices.push_back(i);
  }
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  std::vector<TskSkinListEntry> entries;
  for (const int32_t i : indices) {
    const std::string entry = ini.ReadString(section, IntToStr(i), "");
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) continue;  // empty name and kind: no class
    entries.push_back({entry.substr(0, colon), entry.substr(colon + 1)});
  }
  return entries;
}

namespace {
TskSkinFormList* g_formList = nullptr;
}  // namespace

void SetSkinFormList(TskSkinFormList* forms) { g_formList = forms; }
TskSkinFormList* SkinFormList() { return g_formList; }

TskSkinData::TskSkinData(TComponent* owner)
    : TComponent(owner),
      m_popupWindow(std::make_unique<TskDataSkinPopupWindow>()),
      m_hintWindow(std::make_unique<TskDataSkinHintWindow>()) {}

TskSkinData::~TskSkinData() {
  m_empty = true;
  ClearSkinLists();
}

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* storedSkin) {
  if (storedSkin != m_storedSkin) {
    if (m_storedSkin != nullptr) m_storedSkin->RemoveFreeNotification(this);
    m_storedSkin = storedSkin;
    if (storedSkin != nullptr) storedSkin->FreeNotification(this);
  }
  if (storedSkin != nullptr && !IsDesigning()) LoadFromStoredSkin(*storedSkin);
}

void TskSkinData::SetResourceStrData(TskResourceStrData* data) {
  if (data != m_resourceStrData) {
    if (m_resourceStrData != nullptr) m_resourceStrData->RemoveFreeNotification(this);
    m_resourceStrData = data;
    if (data != nullptr) data->FreeNotification(this);
  }
  if (!IsDesigning()) BroadcastSkinMessage(SkinMessageStringsChanged);
}

void TskSkinData::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove || component == nullptr) return;
  if (component == m_storedSkin) m_storedSkin = nullptr;
  if (component == m_resourceStrData) m_resourceStrData = nullptr;
}

const TBitmap* TskSkinData::ActivePicture(int32_t index) const {
  if (index < 0 || size_t(index) >= m_activePictures.size()) return nullptr;
  return m_activePictures[size_t(index)].get();
}

int32_t TskSkinData::FindObjectIndex(std::string_view name) const {
  if (m_empty) return -1;
  for (size_t i = 0; i < m_objects.size(); ++i)
    if (m_objects[i]->IDName == name) return static_cast<int32_t>(i);
  return -1;
}

int32_t TskSkinData::FindControlIndex(std::string_view name) const {
  if (m_empty) return -1;
  for (size_t i = 0; i < m_controls.size(); ++i)
    if (m_controls[i]->IDName == name) return static_cast<int32_t>(i);
  return -1;
}

void TskSkinData::ClearSkinLists() {
  m_objects.clear();
  m_controls.clear();
  m_activePictures.clear();
  m_activePictureNames.clear();
  m_popupWindow->WindowPictureIndex = -1;
  m_hintWindow->WindowPictureIndex = -1;
}

void TskSkinData::ClearSkin() {
  ClearSkinLists();
  m_picture = TBitmap();
  m_maskPicture = TBitmap();
  m_inactivePicture = TBitmap();
  m_pictureName.clear();
  m_maskName.clear();
  m_empty = true;
}

void TskSkinData::BroadcastSkinMessage(uint32_t message) {
  TskSkinFormList* forms = SkinFormList();
  if (forms == nullptr) return;
  // The addressees are fixed before the first send: a receiver may create or
  // free forms, and may free this component.
  struct TAddressee {
    TComponent* Form;
    std::weak_ptr<void> Alive;
  };
  std::vector<TAddressee> addressees;
  TComponent* ownerForm = Owner() != nullptr && forms->IsForm(*Owner()) ? Owner() : nullptr;
  if (ownerForm != nullptr) addressees.push_back({ownerForm, ownerForm->AliveToken()});
  const size_t count = forms->FormCount();
  for (size_t i = 0; i < count; ++i) {
    TComponent* form = forms->Form(i);
    if (form != nullptr && form != ownerForm) addressees.push_back({form, form->AliveToken()});
  }
  const auto alive = AliveToken();
  for (const TAddressee& a : addressees) {
    if (a.Alive.expired()) continue;
    forms->SendSkinNotice(*a.Form, message, *this);
    if (alive.expired()) return;
  }
}

bool TskSkinData::BeginLoad() {
  m_empty = true;
  const auto alive = AliveToken();
  BroadcastSkinMessage(SkinMessageBeforeChange);
  if (alive.expired()) return false;
  ClearSkin();
  return true;
}

void TskSkinData::LoadFromStoredSkin(const TskCompressedStoredSkin& storedSkin) {
  if (storedSkin.IsEmpty()) return;
  const auto storedAlive = storedSkin.AliveToken();
  if (!BeginLoad() || storedAlive.expired()) return;
  std::vector<uint8_t> stream;
  storedSkin.DecompressTo(stream);
  ReadContainer(stream);
}

void TskSkinData::LoadFromContainer(std::span<const uint8_t> bytes) {
  if (!BeginLoad()) return;
  ReadContainer(bytes);
}

void TskSkinData::ReadContainer(std::span<const uint8_t> bytes) {
  TskSkinContainer container;
  if (!ReadSkinContainer(bytes, container)) return;  // version above 3: stays empty
  auto decode = [](const std::vector<uint8_t>& p) { return p.empty() ? TBitmap() : DecodeSkinPicture(p); };
  m_picture = decode(container.MainPicture);
  m_inactivePicture = decode(container.InactivePicture);
  m_maskPicture = decode(container.MaskPicture);
  for (const auto& p : container.ActivePictures) m_activePictures.push_back(std::make_unique<TBitmap>(decode(p)));
  ReadDefinition(TskIniFile(container.Definition));
  m_empty = false;
  const auto alive = AliveToken();
  BroadcastSkinMessage(SkinMessageChanged);
  if (!alive.expired()) BroadcastSkinMessage(SkinMessageAfterChange);
}

void TskSkinData::ReadDefinition(const TskIniFile& ini) {
  m_skinName = ini.ReadString("VERSION", "skinname", "");
  m_skinAuthor = ini.ReadString("VERSION", "skinauthor", "");
  m_authorEmail = ini.ReadString("VERSION", "authoremail", "");
  m_authorURL = ini.ReadString("VERSION", "authorurl", "");
  m_skinComments = ini.ReadString("VERSION", "skincomments", "");

  m_pictureName = ini.ReadString("PICTURES", "picture", "");
  m_inactivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
  m_maskName = ini.ReadString("PICTURES", "mask", "");
  m_activePictureNames = ReadNameList(ini, "PICTURES", "activepictures");

  m_formInfo = TskSkinFormInfo{};
  m_formInfo.ReadFromIni(ini, !m_maskName.empty());
  m_popupWindow->ReadFromIni(ini);
  m_hintWindow->ReadFromIni(ini);

  for (const TskSkinListEntry& e : ReadSkinListEntries(ini, "SKINOBJECTS")) {
    std::unique_ptr<TskDataSkinObject> object = CreateSkinObject(e.Kind, e.Name);
    if (!object) continue;
    m_objects.push_back(std::move(object));
    m_objects.back()->ReadFromIni(ini);
  }
  for (const TskSkinListEntry& e : ReadSkinListEntries(ini, "SKINCONTROLS")) {
    std::unique_ptr<TskDataSkinControl> control = CreateSkinControlData(e.Kind, e.Name);
    if (!control) continue;
    m_controls.push_back(std::move(control));
    m_controls.back()->ReadFromIni(ini);
  }
}

}  // namespace tsm
