#pragma once
// TskFormFrame: the skinned frame of a form. Dropped on a form (its owner),
// it takes over the form's whole non-client area: it hooks the form's
// WindowProc, answers the non-client protocol (client margins, hit codes,
// painting, activation look), places and drives the skin objects of the
// skin's frame (caption, caption buttons ...), shapes the window with the
// skin's mask and runs the frame's own window states (maximize to the work
// area, minimize, roll-up), magnetic moving, the system menu, translucency
// and the morph and animation timers. Without a skin (no SkinData, or an
// empty one) it shows a complete default frame of its own.
//
// The work is split:
//   FrameGeometry      placed rectangles for a window size (pure)
//   FrameObjectLayout  where objects and caption buttons stand
//   FrameHitTest       hit codes (pure)
//   FrameMouse         presses, releases, double clicks, the mouse timer
//   FrameObjectTracker which object is under the mouse, pressed, morphing
//   FrameWindowStates  normal / maximized / minimized, roll-up, snapping
//   FrameSystemMenu    the items of the system menu
//   FrameMenuState     the menu state: loop hook, pressed button, events
//   FrameTranslucency  opacity and fade-in
//   SkinFrameLook,     painting with and without a skin
//   DefaultFrameLook
//   SkinObjectLook     painting of each skin object
// This class holds the properties, routes the form's messages to named
// handlers and keeps the pieces in step.
//
//   auto* frame = new TskFormFrame(form);
//   frame->SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize});
//   frame->Magnetic = true;
//   frame->SetSkinData(skinData);      // applies at once; none or empty: default look
//   form->SetClientSize(785, 419);     // after the skin: the margins are known
//
// With the program's stored skin a window is 8 pixels wider and 28 higher
// than its client area (minimum 158 x 28); without a skin 6 and 25.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/base/Component.h"
#include "framework/controls/ControlTypes.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "platform/core/Geometry.h"
#include "skin/SkinRegion.h"
#include "skinforms/FrameGeometry.h"
#include "skinforms/FrameMenuState.h"
#include "skinforms/FrameMouse.h"
#include "skinforms/FrameObjectLayout.h"
#include "skinforms/FrameObjectTracker.h"
#include "skinforms/FrameTranslucency.h"
#include "skinforms/FrameWindowStates.h"
#include "skinforms/SkinFrameTypes.h"
#include "skinforms/SkinMenuFrame.h"

namespace tsm {

class TCustomForm;
class TDeviceContext;
class TMenuItem;
class TPopupMenu;
class TTimer;
class TskSkinButtonObject;
class TskSkinData;
class TskSkinMenu;
class TskSkinPopupMenu;
class TskSkinHint;
class TskTrayIcon;
class TStateDescription;
struct TMsg;

class TskFormFrame : public TComponent, public ISkinMenuFrame {
 public:
  static constexpr uint32_t kMouseTimerInterval = 50;
  static constexpr uint32_t kMorphTimerInterval = 20;
  static constexpr uint32_t kAnimationTimerInterval = 25;

  // The owner must be a form (EInvalidCast "Invalid class typecast" else).
  explicit TskFormFrame(TComponent* owner);

  TCustomForm& Form() const { return *m_form; }

  // --- Skin ---
  TskSkinData* SkinData() const { return m_skinData; }
  // Applies the skin at once (outside design mode); none: the default look.
  // Also handed to the tray menu.
  void SetSkinData(TskSkinData* skin);
  TskSkinData* MenusSkinData() const { return m_menusSkinData; }
  void SetMenusSkinData(TskSkinData* skin);
  // SkinData is assigned and not empty.
  bool SkinSupport() const { return m_skinSupport; }

  // --- Caption buttons ---
  TskBorderIcons BorderIcons() const { return m_borderIcons; }
  // Rebuilds the default buttons and re-applies visibility.
  void SetBorderIcons(TskBorderIcons icons);
  bool HideCaptionButtons() const { return m_hideCaptionButtons; }
  void SetHideCaptionButtons(bool on);
  bool ShowIcon() const { return m_showIcon; }
  void SetShowIcon(bool on);
  bool UseDefaultObjectHint = true;
  bool ShowObjectHint = false;
  // The hint component that shows the objects' hints (with ShowObjectHint).
  TskSkinHint* SkinHint() const { return m_skinHint; }
  void SetSkinHint(TskSkinHint* hint);

  // --- Default look ---
  ui::TFont& DefCaptionFont() { return m_defCaptionFont; }
  ui::TFont& DefInActiveCaptionFont() { return m_defInActiveCaptionFont; }
  const ui::TFont& DefCaptionFont() const { return m_defCaptionFont; }
  const ui::TFont& DefInActiveCaptionFont() const { return m_defInActiveCaptionFont; }
  ui::TBitmap& LogoBitMap() { return m_logo; }
  bool LogoBitMapTransparent = false;

  // --- Sizes (0: no bound of its own) ---
  int32_t MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  // When above 0, the client size is set to these after each skin change.
  int32_t ClientWidth = 0, ClientHeight = 0;
  bool UseFormCursorInNCArea = false;

  // --- Behaviours ---
  bool Magnetic = false;
  uint8_t MagneticSize = 5;
  bool MaximizeOnFullScreen = false;
  bool AlphaBlend() const { return m_alphaBlend; }
  void SetAlphaBlend(bool on);
  bool AlphaBlendAnimation = false;
  uint8_t AlphaBlendValue() const { return m_alphaBlendValue; }
  void SetAlphaBlendValue(uint8_t value);
  bool AlwaysMinimizeToTray = false;
  bool AlwaysShowInTray = false;
  // The tray icon of MinimizeToTray / RestoreFromTray. Assigned, its icon is
  // hidden (unless AlwaysShowInTray) and its MinimizeToTray cleared; it gets
  // the tray menu when it has no menu and restores from the tray on a double
  // click when it has no OnDblClick.
  TskTrayIcon* TrayIcon() const { return m_trayIcon; }
  void SetTrayIcon(TskTrayIcon* icon);

  // --- System menu and menus ---
  bool UseDefaultSysMenu = true;
  TPopupMenu* SystemMenu() const { return m_systemMenu; }
  void SetSystemMenu(TPopupMenu* menu);
  int32_t MaxMenuItemsInWindow = 0;
  int32_t DefMenuItemHeight = 20;
  ui::TFont& DefMenuItemFont() { return m_defMenuItemFont; }
  bool UseSkinFontInMenu = true;
  bool MenusAlphaBlend = false;
  bool MenusAlphaBlendAnimation = false;
  uint8_t MenusAlphaBlendValue = 200;

  // --- Events ---
  TNotifyEvent OnChangeSkinData;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeActivate;
  TNotifyEvent OnChangeRollUpState;
  TNotifyEvent OnMinimizeToTray;
  TNotifyEvent OnRestoreFromTray;
  TNotifyEvent OnSkinMenuOpen;
  TNotifyEvent OnSkinMenuClose;
  TskObjectNotifyEvent OnMouseEnterEvent;
  TskObjectNotifyEvent OnMouseLeaveEvent;
  TskObjectMouseMoveEvent OnMouseMoveEvent;
  TskObjectMouseEvent OnMouseDownEvent;
  TskObjectMouseEvent OnMouseUpEvent;
  TskObjectPaintEvent OnPaintEvent;
  TskActivateCustomObjectEvent OnActivateCustomObject;

  // --- Operations ---
  void ApplySkin();
  // Geometry and object placement for the current frame size.
  void CalcFrameRects();
  void PlaceSkinObjects();
  // Takes the window's size and places everything for it.
  void RefreshGeometry();
  void UpdateFrameRegion();
  // Repaints the whole frame now.
  void RepaintFrame();
  // Draws one object alone on the window (nothing for a borderless form).
  void RedrawObject(TskActiveSkinObject& object);
  int32_t GetMinWidth() const;
  int32_t GetMinHeight() const;
  int32_t GetMaxWidth() const;
  int32_t GetMaxHeight() const;

  // --- Window states (behaviours) ---
  TskFrameState WindowState() const { return m_states.State(); }
  bool RollUpState() const { return m_states.RolledUp(); }
  bool RolledUpWhileMaximized() const { return m_states.RolledUpWhileMaximized(); }
  void SetFormWindowState(TskFrameState state);
  void SetRollUpState(bool value);
  // Without a TrayIcon both do nothing. Minimizing to the tray minimizes the
  // application, which the tray icon hides when its icon is really shown.
  void MinimizeToTray();
  void RestoreFromTray();
  // The object under the mouse changed: its hint (ShowObjectHint, SkinHint).
  void ObjectHintEnter(const TskActiveSkinObject& object);
  void ObjectHintLeave();
  // Runs a caption-button command as a release over the button does.
  void RunCommand(TskCommand command);

  // --- System menu ---
  // The items to show: the merged custom menu or the rebuilt default one.
  TMenuItem& GetSystemMenuItems();
  // Opens the system menu below anchor (screen coordinates; an empty
  // rectangle: a point).
  void ShowSystemMenu(const TRect& anchor);
  // The menu a tray icon opens (TRAY_BSF_RESTORE, a divider, TRAY_BSF_CLOSE),
  // routed through this frame's engine.
  TskSkinPopupMenu* TrayMenu() const { return m_trayMenu; }

  // --- The menu link (ISkinMenuFrame) ---
  // The form's popup menu engine, with the frame's menu settings passed
  // through (MaxMenuItemsInWindow, DefMenuItemHeight ...).
  TskSkinMenu& SkinMenu() override;
  bool InMenu() const override { return m_menuState.InMenu(); }
  void BeginMenuState() override;
  void EndMenuState() override;
  // The skin for menus: MenusSkinData, else SkinData.
  TskSkinData* MenuSkin() const override;
  // The system menu below a pressed system-menu button; the button stays
  // down while the menu is open.
  void ShowButtonSystemMenu(TskSkinButtonObject& button);
  // A frame object's menu item: its sub-items below (or above) the object.
  void OpenObjectMenu(TskActiveSkinObject& object, TMenuItem* item, bool popupUp);

  // --- State the looks and objects read ---
  bool FormActive() const { return m_formActive; }
  TSize FrameSize() const { return m_frameSize; }
  const TskFrameGeometry& Geometry() const { return m_geometry; }
  TskDefaultFrameMetrics DefaultMetrics() const;
  // The default frame's caption rectangle after its buttons were laid out.
  const TRect& DefaultCaptionRect() const { return m_defaultCaption; }
  TskFrameObjectTracker& Objects() { return m_objects; }
  const TskFrameObjectTracker& Objects() const { return m_objects; }
  // The text the caption shows.
  std::string CaptionText() const;
  // The caption charset: the resource strings' when the skin data has them,
  // else DefCaptionFont's.
  TFontCharset CaptionCharset() const;
  // The form's icon (else the application's standard icon) at small-icon
  // size, made on first use.
  const TBitmap& SmallIcon();
  bool LoopRunning() const { return m_loopRunning; }
  bool Sizeable() const;
  bool ToolWindow() const;
  bool BorderNone() const;
  // The window's rectangle on the screen.
  TRect WindowBounds() const;
  // The mouse timer, started after a skin change and on object hits.
  void StartMouseTimer();
  void StartMorphTimer();
  void StartAnimationTimer();
  // The client area in window coordinates.
  TRect ClientRectInWindow() const;
  const TskMaskStrips& MaskStrips() const { return m_maskStrips; }

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TskFrameWindowStates;

  // --- Message router and handlers ---
  void FrameProc(TMessage& m);
  bool CloseOnUserActivity(uint32_t msg) const;
  void WMNCCalcSize(TMessage& m);
  void WMNCPaint(TMessage& m);
  void WMNCHitTest(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMNCActivate(TMessage& m);
  void WMActivate(TMessage& m);
  void WMSize(TMessage& m);
  void WMSizing(TMessage& m);
  void WMMoving(TMessage& m);
  void WMGetMinMaxInfo(TMessage& m);
  void WMEnterSizeMove(TMessage& m);
  void WMExitSizeMove(TMessage& m);
  void WMNCButtonDown(TMessage& m, TMouseButton button);
  void WMNCButtonDblClk(TMessage& m, TMouseButton button);
  void WMNCButtonUp(TMessage& m, TMouseButton button);
  void WMNCMouseMove(TMessage& m);
  void WMClientMouse(TMessage& m);
  void WMSetCursor(TMessage& m);
  void WMShowWindow(TMessage& m);
  void WMSysCommand(TMessage& m);
  void SkinNotice(TMessage& m);
  // Adds the frame's state to the form's node of the window tree: the frame
  // state, roll-up, skinned, and the caption buttons as clickable items.
  void DescribeState(TStateDescription& state) const;

  // --- Pieces ---
  void HookForm();
  void CreateTrayMenu();
  void CreateSkinObjects();
  void CreateDefaultButtons();
  void ApplyButtonVisibility();
  void LayoutDefaultButtons();
  // Geometry, placement and a frame repaint after a change of the objects.
  void Relayout();
  TskSysMenuIcon SysMenuIcon();
  void ActivationRefresh();
  void TakeFrameSize(TSize size);
  void NudgeWidth();
  TPoint ScreenToWindow(TPoint screen) const;
  TPoint CursorInWindow() const;
  void MouseTimerTick();
  void MorphTimerTick();
  void AnimationTimerTick();
  void ClearRegion();

  TCustomForm* m_form = nullptr;
  TWndMethod m_oldProc;
  TskSkinData* m_skinData = nullptr;
  TskSkinData* m_menusSkinData = nullptr;
  TPopupMenu* m_systemMenu = nullptr;
  bool m_skinSupport = false;
  bool m_appliedSinceNotice = true;  // ApplySkin ran since the last before-change notice

  TskBorderIcons m_borderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize,
                               TskBorderIcon::biRollUp};
  bool m_hideCaptionButtons = false;
  bool m_showIcon = false;
  bool m_alphaBlend = false;
  uint8_t m_alphaBlendValue = 200;
  ui::TFont m_defCaptionFont;
  ui::TFont m_defInActiveCaptionFont;
  ui::TFont m_defMenuItemFont;
  ui::TBitmap m_logo;

  TskFrameObjectTracker m_objects;
  TskFrameWindowStates m_states;
  TskFrameMouse m_mouse;
  TskFrameMenuState m_menuState;
  TskFrameTranslucency m_translucency;
  TSize m_frameSize;
  bool m_frameSizeKnown = false;
  TskFrameGeometry m_geometry;
  TRect m_defaultCaption;
  TskMaskStrips m_maskStrips;

  bool m_loopRunning = false;  // between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE
  bool m_fullDrag = true;
  bool m_formActive = false;

  TTimer* m_mouseTimer = nullptr;
  TTimer* m_morphTimer = nullptr;
  TTimer* m_animationTimer = nullptr;
  TPopupMenu* m_defaultSystemMenu = nullptr;
  TskSkinMenu* m_menu = nullptr;
  TskSkinPopupMenu* m_trayMenu = nullptr;
  TskTrayIcon* m_trayIcon = nullptr;
  TskSkinHint* m_skinHint = nullptr;
  std::optional<TBitmap> m_smallIcon;
};

}  // namespace tsm
