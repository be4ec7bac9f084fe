#pragma once
// TskListItems: the string list behind a list box and a combo box (their
// Items). Texts are UTF-8. With Sorted the list keeps its texts in
// case-insensitive order (CompareText; equal texts keep the order they
// came in) and places every added or inserted text where it belongs.
//
// Every change calls OnChange once, after the change; the list box that
// owns the items repaints and refreshes its scroll bars there. Indices out
// of range raise EListError "List index out of bounds (%d)".

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tsm {

class TskListItems {
 public:
  int32_t Count() const { return static_cast<int32_t>(m_items.size()); }
  bool Empty() const { return m_items.empty(); }
  const std::string& operator[](int32_t index) const;
  const std::vector<std::string>& Strings() const { return m_items; }

  // Answers the index the text got (its sorted place with Sorted).
  int32_t Add(const std::string& text);
  // Sorted lists place the text by its order instead of at index.
  void Insert(int32_t index, const std::string& text);
  void Delete(int32_t index);
  // Replaces one text (a sorted list sorts again).
  void Put(int32_t index, const std::string& text);
  void Clear();
  // Replaces the whole list (assigning copies).
  void Assign(const std::vector<std::string>& items);
  // The first text equal to text, ignoring case; -1 when none.
  int32_t IndexOf(std::string_view text) const;

  bool Sorted() const { return m_sorted; }
  // Switching it on sorts the list now.
  void SetSorted(bool on);

  std::function<void()> OnChange;

 private:
  void CheckIndex(int32_t index) const;
  void Sort();
  void Changed();

  std::vector<std::string> m_items;
  bool m_sorted = false;
};

}  // namespace tsm
