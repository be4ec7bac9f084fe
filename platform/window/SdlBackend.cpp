#include "platform/window/SdlBackend.h"

namespace tsm {

std::unique_ptr<TSdlBackend> TSdlBackend::Create() { return nullptr; }

}  // namespace tsm
