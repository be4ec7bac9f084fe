// Compiled into every program that links tm_skin_ui (an interface source of
// the library), so that the program's skin data tells its forms from the
// start, without a call in main. Everything here has internal linkage: a
// second copy (in a library that links tm_skin_ui) is never linked or is
// harmless.

#include "skin/ui/SkinFormList.h"

namespace {

struct TSkinFormListRegistration {
  TSkinFormListRegistration() { tsm::InstallSkinFormList(); }
};

const TSkinFormListRegistration g_registration;

}  // namespace
