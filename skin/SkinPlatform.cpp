#include "skin/SkinPlatform.h"

namespace tsm {

bool OsSupportsLayering() { return true; }
bool OsIsVersion51() { return false; }

}  // namespace tsm
