#pragma once
// TskGraphicSkinControl: the windowless twin of TskSkinControl (the flat
// tool buttons of the file dialogs stand on it): the same binding to a
// skin, the same paint through one off-screen bitmap, drawn by the parent
// onto its own context. Opaque: it paints its whole rectangle.

#include <cstdint>
#include <string>

#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Bitmap.h"
#include "skincontrols/SkinnedControl.h"
#include "skincontrols/TskSkinBinding.h"

namespace tsm {

class TskGraphicSkinControl : public TGraphicControl, public ISkinnedControl {
 public:
  explicit TskGraphicSkinControl(TComponent* owner);

  TskSkinData* SkinData() const override { return m_skin.Data(); }
  virtual void SetSkinData(TskSkinData* data);
  const std::string& SkinDataName() const { return m_skin.Name(); }
  virtual void SetSkinDataName(const std::string& name);
  int32_t SkinIndex() const { return m_skin.Index(); }
  bool Skinned() const { return m_skin.Index() != -1; }

  virtual void ReadSkinData();
  void PrepareSkinChange() override;
  void ApplySkinChange() override;

  // The control's whole image as Paint shows it; false without area.
  bool BuildImage(ui::TBitmap& image);

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Paint() override;
  virtual void DrawFallbackImage(ui::TBitmap& image);
  virtual void DrawSkinImage(ui::TBitmap& image);

  template <class T>
  const T* SkinEntry() const {
    return dynamic_cast<const T*>(m_skin.Entry());
  }
  void Unskin() { m_skin.Unskin(); }

 private:
  TskSkinBinding m_skin;
};

}  // namespace tsm
