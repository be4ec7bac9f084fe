#pragma once
// TScreen: the screen as the application sees it — its size and work area,
// the screen cursor (an hourglass over every window while a long operation
// runs), the list of forms in creation order, the active form and the control
// that has the focus.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "platform/core/Geometry.h"

namespace tsm {

class TControl;
class TCustomForm;
class TWinControl;

class TScreen {
 public:
  // crDefault lets every window show its own cursor again.
  TCursor Cursor() const { return m_cursor; }
  void SetCursor(TCursor cursor);

  int32_t Width() const;
  int32_t Height() const;
  // The primary monitor's work area (without task bars).
  TRect WorkAreaRect() const;
  TRect DesktopRect() const;

  size_t FormCount() const { return m_forms.size(); }
  TCustomForm* Forms(size_t index) const { return m_forms.at(index); }
  TCustomForm* ActiveForm() const { return m_activeForm; }
  TWinControl* ActiveControl() const { return m_activeControl; }

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form) { m_activeForm = form; }
  void SetActiveControl(TWinControl* control) { m_activeControl = control; }
  void ControlRemoving(TControl* control);

  TCursor m_cursor = crDefault;
  std::vector<TCustomForm*> m_forms;
  TCustomForm* m_activeForm = nullptr;
  TWinControl* m_activeControl = nullptr;
};

// The screen object of the process.
TScreen& Screen();

}  // namespace tsm
