#pragma once
// Small types shared by the skinned form frame, its skin objects and the
// forms that wear it: the caption-button set, the events the frame raises
// for its skin objects, and the built-in texts of its buttons and menu.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "framework/base/EnumSet.h"
#include "platform/core/Geometry.h"
#include "platform/window/Backend.h"
#include "skin/SkinTypes.h"

namespace tsm {

class TDeviceContext;
class TObject;
class TskSkinData;

// Which caption buttons and system-menu items a frame offers. Stored as one
// byte, bit i for the i-th value.
enum class TskBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TskBorderIcons = TEnumSet<TskBorderIcon>;

// The frame's own window state (the form's window system state stays normal).
enum class TskFrameState : uint8_t { wsNormal, wsMinimized, wsMaximized };

// Events about skin objects. IDName is the object's section name; X and Y
// are window coordinates; ObjectRect is where the object stands.
using TskObjectNotifyEvent = std::function<void(TObject* sender, const std::string& idName)>;
using TskObjectMouseMoveEvent =
    std::function<void(TObject* sender, const std::string& idName, int32_t x, int32_t y, const TRect& objectRect)>;
using TskObjectMouseEvent = std::function<void(TObject* sender, const std::string& idName, int32_t x, int32_t y,
                                               const TRect& objectRect, TMouseButton button)>;
using TskObjectPaintEvent =
    std::function<void(TObject* sender, const std::string& idName, TDeviceContext& dc, const TRect& objectRect)>;
using TskActivateCustomObjectEvent =
    std::function<void(TObject* sender, const std::string& idName, bool& objectVisible)>;

// Keys of the frame's replaceable texts and their built-in values.
enum class TskFrameText : uint8_t {
  CloseHint, MaxHint, MinHint, MenuHint, RollUpHint, TrayHint,
  MinCaption, MaxCaption, RestoreCaption, RollUpCaption, CloseCaption, MinToTrayCaption,
};
// The text of a key: from the skin data's resource strings when it has a
// resource-string component, else the built-in Chinese text.
std::string FrameText(const TskSkinData* skin, TskFrameText key);
// The hint text key of a caption-button command (none for cmdefault).
bool CommandHintKey(TskCommand command, TskFrameText& key);

}  // namespace tsm
