#include "skin/SkinPlatform.h"

namespace tsm {

namespace {
TskWindowServices* g_services = nullptr;
}  // namespace

void SetSkinWindowServices(TskWindowServices* services) { g_services = services; }
TskWindowServices* SkinWindowServices() { return g_services; }

void MonitorAreaOfWindow(uint32_t window, bool workArea, TRect& rect) {
  if (g_services == nullptr) return;
  if (g_services->MonitorCount() > 1) {
    if (const auto areas = g_services->MonitorOfWindow(window)) rect = workArea ? areas->WorkArea : areas->Monitor;
    return;
  }
  if (workArea) {
    rect = g_services->PrimaryWorkArea();
  } else {
    const TSize s = g_services->ScreenSize();
    rect = {0, 0, s.cx, s.cy};
  }
}

void ApplyWindowAlpha(uint32_t window, uint8_t opacity) {
  if (g_services != nullptr) g_services->SetWindowOpacity(window, opacity);
}

bool OsSupportsLayering() { return true; }
bool OsIsVersion51() { return false; }

}  // namespace tsm
