#include "tools/gallery/GalleryPages.h"

#include <algorithm>

namespace tsm {

namespace {

// Filled during static initialisation, so created on first use.
std::vector<TGalleryPage>& Registry() {
  static std::vector<TGalleryPage> pages;
  return pages;
}

}  // namespace

TGalleryPageRegistration::TGalleryPageRegistration(std::string title, int32_t order, TGalleryPageBuilder build) {
  Registry().push_back({std::move(title), order, std::move(build)});
}

std::vector<TGalleryPage> GalleryPages() {
  std::vector<TGalleryPage> pages = Registry();
  std::stable_sort(pages.begin(), pages.end(),
                   [](const TGalleryPage& a, const TGalleryPage& b) { return a.Order < b.Order; });
  return pages;
}

}  // namespace tsm
