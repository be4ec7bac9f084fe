#pragma once
// TskGraphicSkinCustomControl: the windowless twin of TskSkinCustomControl:
// the copy of the common control data, size fitting on every resize, the
// default size and font while unskinned and the shared drawing of a look by
// stretch mode. Having no window, it takes no shape from the mask.

#include <cstdint>

#include "framework/graphics/Font.h"
#include "skincontrols/SkinControlFont.h"
#include "skincontrols/SkinControlGeometry.h"
#include "skincontrols/TskGraphicSkinControl.h"

namespace tsm {

class TskGraphicSkinCustomControl : public TskGraphicSkinControl {
 public:
  explicit TskGraphicSkinCustomControl(TComponent* owner);

  int32_t DefaultWidth() const { return m_defaultWidth; }
  void SetDefaultWidth(int32_t width);
  int32_t DefaultHeight() const { return m_defaultHeight; }
  void SetDefaultHeight(int32_t height);
  ui::TFont& DefaultFont() { return m_defaultFont; }
  const ui::TFont& DefaultFont() const { return m_defaultFont; }
  void SetDefaultFont(const ui::TFont& font) { m_defaultFont.Assign(font); }
  bool UseSkinFont() const { return m_useSkinFont; }
  void SetUseSkinFont(bool on) { m_useSkinFont = on; }

  const TskControlSkinGeometry& SkinGeometry() const { return m_geometry; }
  const TBitmap* SkinPicture() const { return m_geometry.SkinPicture; }
  const TRect& SkinRectangle() const { return m_geometry.SkinRectangle; }
  TskStretchMode StretchMode() const { return m_geometry.StretchMode; }
  const TRect& FittedClientRect() const { return m_geometry.FittedClientRect; }
  TRect SkinRectToControl(const TRect& rect) const;

  void ReadSkinData() override;
  void ApplySkinChange() override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

 protected:
  void DrawFallbackImage(ui::TBitmap& image) override;
  void DrawSkinImage(ui::TBitmap& image) override;
  virtual void DefaultFontChanged() {}
  virtual void FitSizeToSkin(int32_t& width, int32_t& height);
  void DrawSkinRect(ui::TBitmap& image, const TRect& rect) const;
  void SelectFont(ui::TFont& font, const TskSkinFont& skinFont) const;

 private:
  int32_t m_defaultWidth = 0;
  int32_t m_defaultHeight = 0;
  ui::TFont m_defaultFont{"Arial", 14};
  bool m_useSkinFont = true;
  TskControlSkinGeometry m_geometry;
};

}  // namespace tsm
