#pragma once
// TskSkinCustomControl: the base of the concrete windowed skinned controls
// (button, panel, check box, gauge, scroll bar ...). It adds to
// TskSkinControl the copy of the common control data (pictures, skin
// rectangle, corner points, client rectangle, stretch mode; see
// SkinControlGeometry.h), the fitting of the control's size to the skin on
// every resize, the window region from the mask picture, the default size
// and font used while unskinned, and the shared routine that draws a look
// of the skin picture at the control's size.
//
// Size fitting. Every SetBounds re-reads the skin data; when the control is
// skinned and the size changes, FitSizeToSkin may overrule the requested
// size (a button keeps the skin's height), then the region is rebuilt and
// the control repainted. A pure move fits nothing. ApplySkinChange fits the
// current size to the new skin, or, unskinned, applies DefaultWidth and
// DefaultHeight when they are above 0.
//
// A control data entry of another class than TskDataSkinCustomControl (or
// than a descendant needs) leaves the control unskinned.

#include <cstdint>
#include <optional>

#include "framework/graphics/Font.h"
#include "platform/gfx/Region.h"
#include "skincontrols/SkinControlFont.h"
#include "skincontrols/SkinControlGeometry.h"
#include "skincontrols/TskSkinControl.h"

namespace tsm {

class TskSkinCustomControl : public TskSkinControl {
 public:
  explicit TskSkinCustomControl(TComponent* owner);

  // --- Unskinned size and font ---
  int32_t DefaultWidth() const { return m_defaultWidth; }
  // Stores the value; while unskinned a value above 0 becomes the width now.
  void SetDefaultWidth(int32_t width);
  int32_t DefaultHeight() const { return m_defaultHeight; }
  void SetDefaultHeight(int32_t height);
  // Owned; "Arial", height 14, no style. Every change (also of one
  // attribute) calls DefaultFontChanged and repaints while unskinned.
  ui::TFont& DefaultFont() { return m_defaultFont; }
  const ui::TFont& DefaultFont() const { return m_defaultFont; }
  void SetDefaultFont(const ui::TFont& font) { m_defaultFont.Assign(font); }
  bool UseSkinFont() const { return m_useSkinFont; }
  void SetUseSkinFont(bool on) { m_useSkinFont = on; }

  // --- What was read from the skin ---
  const TskControlSkinGeometry& SkinGeometry() const { return m_geometry; }
  const TBitmap* SkinPicture() const { return m_geometry.SkinPicture; }
  const TBitmap* SkinMaskPicture() const { return m_geometry.SkinMaskPicture; }
  const TRect& SkinRectangle() const { return m_geometry.SkinRectangle; }
  const TRect& SkinClientRect() const { return m_geometry.SkinClientRect; }
  TskStretchMode StretchMode() const { return m_geometry.StretchMode; }
  const TRect& FittedClientRect() const { return m_geometry.FittedClientRect; }
  // The region set as the window's shape, if any.
  const std::optional<TRegion>& WindowRegion() const { return m_windowRegion; }

  // A rectangle in skin coordinates (relative to the skin rectangle) mapped
  // into the control at its current size.
  TRect SkinRectToControl(const TRect& rect) const;

  void ReadSkinData() override;
  void ApplySkinChange() override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

 protected:
  void CreateHandleDone() override;
  // Fills the client area with the button face colour.
  void DrawFallbackImage(ui::TBitmap& image) override;
  // Draws SkinRectangle by the stretch mode.
  void DrawSkinImage(ui::TBitmap& image) override;

  virtual void DefaultFontChanged() {}
  // Corrects a requested size by the stretch mode and sets the fitted
  // values for it; concrete controls extend it (the gauge's progress area).
  virtual void FitSizeToSkin(int32_t& width, int32_t& height);
  // Sets (or removes) the window's shape from the mask picture.
  virtual void UpdateWindowRegion();

  // Draws rect of the skin picture (a look of SkinRectangle's size) by the
  // stretch mode into image at the control's size.
  void DrawSkinRect(ui::TBitmap& image, const TRect& rect) const;
  // The font rule: skin font keys while skinned and UseSkinFont, else
  // DefaultFont; the colour is the caller's.
  void SelectFont(ui::TFont& font, const TskSkinFont& skinFont) const;
  // Unskinned from now until the next read (an entry of the wrong class).
  void Unskin() {
    TskSkinControl::Unskin();
    m_geometry.Clear();
  }
  // Drops the mask picture (controls that never take a shape).
  void DropMaskPicture() { m_geometry.SkinMaskPicture = nullptr; }
  TskControlSkinGeometry& Geometry() { return m_geometry; }

 private:
  void SetWindowRegion(std::optional<TRegion> region);

  int32_t m_defaultWidth = 0;
  int32_t m_defaultHeight = 0;
  ui::TFont m_defaultFont{"Arial", 14};
  bool m_useSkinFont = true;
  TskControlSkinGeometry m_geometry;
  std::optional<TRegion> m_windowRegion;
};

}  // namespace tsm
