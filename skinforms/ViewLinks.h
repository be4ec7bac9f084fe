#pragma once
// What a skinned view of the dialogs (the file list, the folder tree) links
// to: the skin data it follows and the two external skinned scroll bars that
// move it. The view asks for their removal notices and passes each notice
// on (Removed), hears the bars' changes, and sets their ranges — a bar is
// enabled only while there is something to scroll.

#include <cstdint>
#include <functional>

#include "platform/core/Geometry.h"

namespace tsm {

class TComponent;
class TskSkinData;
class TskSkinScrollBar;

class TskViewLinks {
 public:
  TskSkinData* SkinData() const { return m_skinData; }
  // Takes the skin (null: none) for view; false when view held it already.
  bool SetSkinData(TComponent& view, TskSkinData* skin);

  TskSkinScrollBar* Horizontal() const { return m_horizontal; }
  TskSkinScrollBar* Vertical() const { return m_vertical; }
  // Takes the bars (null: none) and calls changed on every change of a
  // position made by the user; forgets the old bars.
  void SetScrollBars(TComponent& view, TskSkinScrollBar* horizontal, TskSkinScrollBar* vertical,
                     std::function<void()> changed);
  // The bars' positions (x: the horizontal bar's); current's where a bar is
  // missing.
  TPoint Positions(TPoint current) const;
  // Total and page in the bar's units; the change goes out silently.
  void Update(TskSkinScrollBar* bar, int32_t total, int32_t page, int32_t position, int32_t smallChange);
  // While Update runs (a change then is the view's own).
  bool Updating() const { return m_updating; }

  // The view's removal notice: forgets the component if it is linked.
  void Removed(const TComponent* component);

 private:
  TskSkinData* m_skinData = nullptr;
  TskSkinScrollBar* m_horizontal = nullptr;
  TskSkinScrollBar* m_vertical = nullptr;
  bool m_updating = false;
};

}  // namespace tsm
