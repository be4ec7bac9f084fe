#pragma once
// TskSkinControl: the base of the windowed skinned controls. It binds the
// control to one named part of a skin (SkinData + SkinDataName), tells
// whether the control is skinned at this moment (SkinIndex), and paints
// through one off-screen bitmap of the control's size:
//
//   Paint: nothing at 0 width or height; ReadSkinData; a bitmap of the
//          control's size; DrawFallbackImage (unskinned) or DrawSkinImage;
//          the bitmap copied to the canvas at (0, 0) in one operation.
//
// The background is never erased (WM_ERASEBKGND is answered without
// drawing); a control that must look right when only an erase is asked for
// (PaintsOnErase) paints its whole image onto the erase context instead,
// unless the erase comes from its own paint message (InPaintMessage).
//
// Every paint re-reads the skin data, so a control always paints with the
// skin that is current; between a skin's before-change and after-change
// notices (PrepareSkinChange ... ApplySkinChange) it paints its fallback
// look. Removing the skin data component unskins the control and applies
// the change, so it never draws from freed pictures.

#include <cstdint>
#include <string>

#include "framework/controls/CustomControl.h"
#include "framework/graphics/Bitmap.h"
#include "skincontrols/SkinnedControl.h"
#include "skincontrols/TskSkinBinding.h"

namespace tsm {

class TskDataSkinControl;

class TskSkinControl : public TCustomControl, public ISkinnedControl {
 public:
  explicit TskSkinControl(TComponent* owner);

  // --- Binding ---
  TskSkinData* SkinData() const override { return m_skin.Data(); }
  // Stores the reference; with a loaded skin (and not while designing) the
  // change is applied at once.
  virtual void SetSkinData(TskSkinData* data);
  const std::string& SkinDataName() const { return m_skin.Name(); }
  // Stores the name only; the next paint or skin change reads that part.
  virtual void SetSkinDataName(const std::string& name);
  // Position of the control data in the skin's list; -1: unskinned.
  int32_t SkinIndex() const { return m_skin.Index(); }
  bool Skinned() const { return m_skin.Index() != -1; }
  // True while the control handles its own paint message.
  bool InPaintMessage() const { return m_inPaintMessage; }

  // Refreshes SkinIndex; descendants extend it to copy their data (and
  // unskin themselves when the entry is not of the class they need).
  virtual void ReadSkinData();
  void PrepareSkinChange() override;
  // ReadSkinData, then repaint (descendants also re-fit).
  void ApplySkinChange() override;

  // Builds the control's whole image as Paint shows it; false (image
  // unchanged) when the control has no area.
  bool BuildImage(ui::TBitmap& image);

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void WMPaint(TMessage& m) override;
  void WMEraseBkgnd(TMessage& m) override;
  void Paint() override;
  // Adds skinDataName and skinned.
  void DescribeState(TStateDescription& state) override;

  // Draws the unskinned look into image (the control's size).
  virtual void DrawFallbackImage(ui::TBitmap& image);
  // Draws the skinned look into image (the control's size; descendants may
  // resize it).
  virtual void DrawSkinImage(ui::TBitmap& image);
  // Runs between ReadSkinData and drawing in every paint.
  virtual void PrepareDrawing() {}
  // Whether a plain erase request gets the whole image (see above).
  virtual bool PaintsOnErase() const { return false; }

  // A press on a control that may take the focus first moves the focus to
  // it; false when it did not get it (the press is dropped then) or when
  // the control was freed meanwhile.
  bool FocusForPress();

  // The control data at SkinIndex when it is of class T, else null.
  template <class T>
  const T* SkinEntry() const {
    return dynamic_cast<const T*>(m_skin.Entry());
  }
  void Unskin() { m_skin.Unskin(); }

 private:
  TskSkinBinding m_skin;
  bool m_inPaintMessage = false;
};

}  // namespace tsm
