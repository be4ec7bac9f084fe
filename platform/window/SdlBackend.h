#pragma once
// The SDL2 backend: every top-level window is a borderless native window
// whose pixels the window system composes (see SdlBackend.cpp).

#include <memory>

#include "platform/window/Backend.h"

namespace tsm {

class TSdlBackend : public TBackend {
 public:
  // Starts SDL's video subsystem; nullptr when no display can be opened.
  static std::unique_ptr<TSdlBackend> Create();
  virtual void Attach(TWindowSystem* sys) = 0;
};

}  // namespace tsm
