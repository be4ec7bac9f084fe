#include "skinforms/FrameTranslucency.h"

#include <algorithm>

#include "framework/controls/Timer.h"
#include "framework/forms/CustomForm.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinPlatform.h"
#include "skin/ui/SkinWindowServices.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

namespace {

void SetLayered(HWND h, bool on) {
  const uint32_t ex = GetWindowExStyle(h);
  SetWindowExStyle(h, on ? ex | WS_EX_LAYERED : ex & ~WS_EX_LAYERED);
}

}  // namespace

TskFrameTranslucency::TskFrameTranslucency(TskFormFrame& frame) : m_frame(frame) {
  m_timer = new TTimer(&frame);
  m_timer->SetEnabled(false);
  m_timer->SetInterval(10);  // the shortest message timer
  m_timer->OnTimer = [this](TObject*) { Tick(); };
}

void TskFrameTranslucency::Apply(bool on, uint8_t value) {
  TCustomForm& form = m_frame.Form();
  if (m_frame.IsLoading() || !form.HandleAllocated() || !OsSupportsLayering()) return;
  SetLayered(form.Handle(), on);
  if (on) ApplyWindowAlpha(form.Handle(), value);
}

void TskFrameTranslucency::Shown(bool shown) {
  TCustomForm& form = m_frame.Form();
  if (!form.HandleAllocated() || !OsSupportsLayering()) return;
  if (!shown) {
    if (m_frame.AlphaBlend()) SetLayered(form.Handle(), false);
    return;
  }
  if (!m_frame.AlphaBlend() && !m_frame.AlphaBlendAnimation) return;
  SetLayered(form.Handle(), true);
  ApplyWindowAlpha(form.Handle(), 0);
  m_timer->SetEnabled(true);
}

void TskFrameTranslucency::Tick() {
  m_timer->SetEnabled(false);
  TCustomForm& form = m_frame.Form();
  if (!form.HandleAllocated()) return;
  const uint8_t target = m_frame.AlphaBlendAnimation && !m_frame.AlphaBlend() ? 255 : m_frame.AlphaBlendValue();
  if (m_frame.AlphaBlendAnimation) {
    // Pending painting first, so that the ramp shows the finished window.
    const auto alive = m_frame.AliveToken();
    ProcessPendingMessages();
    if (alive.expired() || !form.HandleAllocated()) return;
    for (int32_t a = 5;; a += 5) {
      ApplyWindowAlpha(form.Handle(), static_cast<uint8_t>(std::min<int32_t>(a, target)));
      if (a >= target) break;
    }
  } else if (target != 255) {
    ApplyWindowAlpha(form.Handle(), target);
  }
  if (target == 255) SetLayered(form.Handle(), false);
}

}  // namespace tsm
