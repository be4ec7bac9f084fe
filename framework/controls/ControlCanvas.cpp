#include "framework/controls/ControlCanvas.h"

#include <algorithm>

#include "framework/controls/WinControl.h"
#include "platform/window/WindowApi.h"

namespace tsm {

namespace {

std::vector<TControlCanvas*>& CanvasesWithContext() {
  static std::vector<TControlCanvas*> list;
  return list;
}

}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::PaintOn(TDeviceContext& dc, const std::function<void()>& paint) {
  TDeviceContext* previous = HandleAllocated() ? Handle() : nullptr;
  SetHandle(&dc);
  Font().Assign(m_control->Font());
  Brush() = TBrush{m_control->Color(), TBrushStyle::Solid};
  // The canvas is part of the control: when paint frees the control there
  // is nothing left to give back.
  const auto alive = m_control->AliveToken();
  try {
    paint();
  } catch (...) {
    if (!alive.expired()) SetHandle(previous);
    throw;
  }
  if (!alive.expired()) SetHandle(previous);
}

void TControlCanvas::CreateHandle() {
  TWinControl* host = dynamic_cast<TWinControl*>(m_control);
  const bool windowless = host == nullptr;
  if (windowless) host = m_control->Parent();
  if (!host || !host->HandleAllocated()) return;
  TDeviceContext* dc = GetDC(host->Handle());
  if (!dc) return;
  if (windowless) {
    dc->MoveOrigin(m_control->Left(), m_control->Top());
    dc->IntersectClipRect(m_control->ClientRect());
  }
  m_ownDC = dc;
  m_ownWindow = host->Handle().Id;
  SetHandle(dc);
  CanvasesWithContext().push_back(this);
}

void TControlCanvas::FreeHandle() {
  if (!m_ownDC) return;
  if (Handle() == m_ownDC) SetHandle(nullptr);
  ReleaseDC(HWND(m_ownWindow), m_ownDC);
  m_ownDC = nullptr;
  std::erase(CanvasesWithContext(), this);
}

void TControlCanvas::FreeDeviceContexts() {
  const std::vector<TControlCanvas*> list = CanvasesWithContext();
  for (TControlCanvas* c : list) c->FreeHandle();
}

}  // namespace tsm
