#pragma once
// The replaceable texts of the skinned dialogs: a key of the resource
// string component that a skin data carries, with its built-in Chinese text.
// A skin data without such a component, or a component whose table lacks the
// key (or gives it an empty text), shows the built-in text.

#include <string>
#include <string_view>

namespace tsm {

class TskSkinData;

std::string DialogText(const TskSkinData* skin, std::string_view key, std::string_view builtIn);

}  // namespace tsm
