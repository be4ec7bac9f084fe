#pragma once
// TskResourceStrData: replaceable interface texts of the skinned windows.
// ResStrings holds lines "KEY=text" ("&" marks an accelerator letter); it
// starts as the built-in English table of 115 lines. A skinned window that
// shows one of these texts asks its skin data for this component and, when
// there is one, uses GetResStr of the key instead of its built-in text.
//
// A component: its owner frees it, and a skin data that refers to it forgets
// it when it is freed (removal notice).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/Component.h"

namespace tsm {

class TskResourceStrData : public TComponent {
 public:
  // Default character set of fonts (the framework's DEFAULT_CHARSET).
  static constexpr uint8_t kDefaultCharSet = 1;

  // ResStrings starts as the built-in table, CharSet as kDefaultCharSet.
  explicit TskResourceStrData(TComponent* owner);

  const std::vector<std::string>& ResStrings() const { return m_resStrings; }
  // Copies the given lines.
  void SetResStrings(const std::vector<std::string>& lines) { m_resStrings = lines; }

  uint8_t CharSet() const { return m_charSet; }
  void SetCharSet(uint8_t charSet) { m_charSet = charSet; }

  // Everything after the first "=" of the first line whose part before it
  // equals key without regard to ASCII case; "" when there is no such line.
  std::string GetResStr(std::string_view key) const;

  // The built-in table, in its order.
  static const std::vector<std::string>& DefaultResStrings();

 private:
  std::vector<std::string> m_resStrings;
  uint8_t m_charSet = kDefaultCharSet;
};

}  // namespace tsm
