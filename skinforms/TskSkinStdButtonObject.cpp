#include "skinforms/TskSkinStdButtonObject.h"

#include "framework/forms/CustomForm.h"
#include "skin/TskDataSkinObject.h"
#include "skinforms/TskFormFrame.h"

namespace tsm {

TskSkinStdButtonObject::TskSkinStdButtonObject(TskFormFrame& frame, const TskDataSkinStdButton* data)
    : TskSkinButtonObject(frame, data) {
  if (!data) return;
  Command = data->Command;
  RestoreRect = data->RestoreRect;
  RestoreActiveRect = data->RestoreActiveRect;
  RestoreDownRect = data->RestoreDownRect;
  RestoreInactiveRect = data->RestoreInactiveRect;
}

TskSkinStdButtonObject::TskSkinStdButtonObject(TskFormFrame& frame, const std::string& idName, TskCommand command)
    : TskSkinButtonObject(frame, nullptr) {
  IDName = idName;
  Command = command;
  SkinBacked = false;
  SkinRectInAPicture = true;
  SkinRect = ActiveSkinRect = InactiveSkinRect = DownRect = DisableSkinRect = {0, 0, 1, 1};
  RestoreRect = RestoreActiveRect = RestoreDownRect = RestoreInactiveRect = {0, 0, 1, 1};
  ObjectRect = SkinRect;
}

bool TskSkinStdButtonObject::Restorable() const {
  switch (Command) {
    case TskCommand::cmmaximize: return m_frame.WindowState() == TskFrameState::wsMaximized;
    case TskCommand::cmminimize: return m_frame.WindowState() == TskFrameState::wsMinimized;
    case TskCommand::cmrollup: return m_frame.RollUpState();
    default: return false;
  }
}

void TskSkinStdButtonObject::MouseDown(int32_t x, int32_t y, TMouseButton button) {
  const auto alive = m_frame.AliveToken();
  if (button == TMouseButton::Left && Enabled && !Down) {
    SetDown(true);
    if (alive.expired()) return;
    if (Command == TskCommand::cmsysmenu) {
      m_frame.ShowButtonSystemMenu(*this);
      if (alive.expired()) return;
    }
  }
  TskActiveSkinObject::MouseDown(x, y, button);
}

void TskSkinStdButtonObject::MouseUp(int32_t x, int32_t y, TMouseButton button) {
  if (button != TMouseButton::Left) {
    TskActiveSkinObject::MouseUp(x, y, button);
    return;
  }
  const auto alive = m_frame.AliveToken();
  const bool inside = Active && Enabled && Down;
  if (inside && Command == TskCommand::cmclose) {
    SetDown(false);
    if (alive.expired()) return;
    TskActiveSkinObject::MouseUp(x, y, button);
    if (alive.expired()) return;
    m_frame.Form().Close();
    return;
  }
  if (inside) {
    m_frame.RunCommand(Command);
    if (alive.expired()) return;
  }
  if (!MenuOpen) SetDown(false);
  if (alive.expired()) return;
  TskActiveSkinObject::MouseUp(x, y, button);
}

void TskSkinStdButtonObject::DblClick() {
  if (Command == TskCommand::cmsysmenu) m_frame.Form().Close();
}

}  // namespace tsm
