#pragma once
// The skin objects of a skinned form frame: one per frame object of the skin
// (caption, caption buttons, plain buttons, animations, user objects), or the
// six default caption buttons of the unskinned frame. Each holds where it
// stands on the window and its interaction state; the frame's tracker moves
// the state (mouse enter/leave, press, release, morph and animation steps),
// and Draw paints the current state (the look lives in SkinObjectLook.cpp).
//
// Pictures and data are plain references into the frame's TskSkinData; the
// frame frees every object on SkinMessageBeforeChange, before they go stale.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"
#include "platform/window/Backend.h"
#include "skin/SkinTypes.h"

namespace tsm {

class TDeviceContext;
class TMenuItem;
class TskDataSkinObject;
class TskFormFrame;

class TskActiveSkinObject {
 public:
  // data: the skin's entry (its fields are copied); null for the default
  // buttons of the unskinned frame.
  TskActiveSkinObject(TskFormFrame& frame, const TskDataSkinObject* data);
  virtual ~TskActiveSkinObject() = default;
  TskActiveSkinObject(const TskActiveSkinObject&) = delete;
  TskActiveSkinObject& operator=(const TskActiveSkinObject&) = delete;

  TskFormFrame& Frame() const { return m_frame; }

  std::string IDName;
  std::string Hint;
  const TBitmap* NormalPicture = nullptr;  // the skin's frame picture
  const TBitmap* ActivePicture = nullptr;  // none: ActiveSkinRect counts as empty
  TRect SkinRect, ActiveSkinRect, InactiveSkinRect;
  TRect ObjectRect;  // window coordinates
  bool SkinRectInAPicture = false;
  bool Active = false;
  bool MouseIn = false;
  bool Enabled = true;
  bool Visible = true;
  bool Morphing = false;
  TskMorphKind MorphKind = TskMorphKind::mkdefault;
  double MorphFactor = 0;  // 0 (normal look) ... 1 (active look)

  // The morph has not reached the end that the Active state asks for.
  virtual bool CanMorph() const;
  // Paints the object on a context in window coordinates. With drawNormal
  // false an object whose normal look is part of the frame picture draws
  // nothing in its normal state.
  virtual void Draw(TDeviceContext& dc, bool drawNormal);
  virtual void DblClick() {}
  virtual void MouseDown(int32_t x, int32_t y, TMouseButton button);
  virtual void MouseUp(int32_t x, int32_t y, TMouseButton button);
  virtual void MouseMove(int32_t x, int32_t y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Back to rest: not Active, mouse out, morph factor 0.
  virtual void Reset();

  // Caption objects take part in hit testing as the caption.
  virtual bool IsCaption() const { return false; }
  // Caption buttons and button-style animations follow BorderIcons.
  virtual bool HasCommand(TskCommand& /*command*/) const { return false; }

 protected:
  // Redraws the object, or starts its morph when it morphs.
  void Changed();
  // The common look: inactive, morphing, active or normal.
  void DrawBase(TDeviceContext& dc, bool drawNormal);
  // The normal look's picture: the active picture when the normal look is
  // kept there, else the frame picture.
  const TBitmap* NormalSource() const { return SkinRectInAPicture ? ActivePicture : NormalPicture; }
  // Draws the blend of two looks at the morph factor into ObjectRect.
  void DrawMorph(TDeviceContext& dc, const TBitmap* normalPicture, const TRect& normal, const TRect& active);

  TskFormFrame& m_frame;
};

// A user object: paints through the frame's OnPaintEvent only.
class TskUserObject : public TskActiveSkinObject {
 public:
  using TskActiveSkinObject::TskActiveSkinObject;
  void Draw(TDeviceContext& dc, bool drawNormal) override;
};

}  // namespace tsm
