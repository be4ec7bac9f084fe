#include "skinforms/DialogTexts.h"

#include "skin/TskResourceStrData.h"
#include "skin/TskSkinData.h"

namespace tsm {

std::string DialogText(const TskSkinData* skin, std::string_view key, std::string_view builtIn) {
  if (skin && skin->ResourceStrData()) {
    std::string text = skin->ResourceStrData()->GetResStr(key);
    if (!text.empty()) return text;
  }
  return std::string(builtIn);
}

}  // namespace tsm
