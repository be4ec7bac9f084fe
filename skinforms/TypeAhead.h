#pragma once
// Selecting an item of a list or tree by typing the start of its name:
// characters typed within a second of each other make one prefix; the same
// letter typed again and again steps through the items starting with it.
// Names compare without regard to case.

#include <cstdint>
#include <functional>
#include <string>

namespace tsm {

class TskTypeAhead {
 public:
  static constexpr uint64_t kPause = 1000;

  // Takes one typed character at time now (milliseconds); answers the item
  // to select among count items from the current one (-1: none), or -1.
  int32_t Type(char32_t ch, uint64_t now, int32_t count, int32_t current,
               const std::function<std::string(int32_t)>& nameOf);

 private:
  std::u32string m_typed;
  uint64_t m_at = 0;
};

}  // namespace tsm
