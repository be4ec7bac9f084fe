#pragma once
// The pages of the gallery: each shows some skinned controls on the main
// window. A page is one source file in pages/ that registers itself:
//
//   namespace {
//   const TGalleryPageRegistration kPage("按钮", 20, [](TGalleryPageContext& c) {
//     auto* button = new TskSkinButton(&c.Form);
//     button->SetParent(&c.Parent);
//     button->SetSkinData(c.Skin);
//     ...
//   });
//   }  // namespace
//
// Every .cpp file in pages/ is built into the gallery and its tests; nothing
// else needs to change. Pages are shown in the order of their number.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tsm {

class TCustomForm;
class TWinControl;
class TskSkinData;

struct TGalleryPageContext {
  TCustomForm& Form;     // owner of the page's components
  TWinControl& Parent;   // the page area (client-aligned, empty)
  TskSkinData* Skin;     // the gallery's skin data (the stored skin, or empty)
};

using TGalleryPageBuilder = std::function<void(TGalleryPageContext& context)>;

struct TGalleryPage {
  std::string Title;
  int32_t Order = 0;
  TGalleryPageBuilder Build;
};

// Registers a page (at static initialisation of its file).
class TGalleryPageRegistration {
 public:
  TGalleryPageRegistration(std::string title, int32_t order, TGalleryPageBuilder build);
};

// The registered pages, in order.
std::vector<TGalleryPage> GalleryPages();

}  // namespace tsm
