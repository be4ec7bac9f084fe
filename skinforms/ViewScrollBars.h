#pragma once
// The two external skinned scroll bars that move a view of the dialogs
// (the file list, the folder tree): the view asks for their removal notices
// and passes each notice on, hears their changes, and sets their ranges —
// a bar is enabled only while there is something to scroll.

#include <cstdint>
#include <functional>

namespace tsm {

class TComponent;
class TskSkinScrollBar;

class TskViewScrollBars {
 public:
  TskSkinScrollBar* Horizontal() const { return m_horizontal; }
  TskSkinScrollBar* Vertical() const { return m_vertical; }
  // Takes the bars (null: none) and calls changed on every change of a
  // position made by the user; forgets the old bars.
  void Set(TComponent& view, TskSkinScrollBar* horizontal, TskSkinScrollBar* vertical,
           std::function<void()> changed);
  void Removed(const TComponent* component);
  // Total and page in the bar's units; the change goes out silently.
  void Update(TskSkinScrollBar* bar, int32_t total, int32_t page, int32_t position, int32_t smallChange);
  // While Update runs (a change then is the view's own).
  bool Updating() const { return m_updating; }

 private:
  TskSkinScrollBar* m_horizontal = nullptr;
  TskSkinScrollBar* m_vertical = nullptr;
  bool m_updating = false;
};

}  // namespace tsm
