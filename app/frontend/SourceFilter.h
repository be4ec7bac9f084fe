#pragma once
// The source picker's filter list: "label|patterns|label|patterns...".
// The first entry, "所有文件", covers every pattern that a later entry
// offers; the later entries name one kind of file each.

#include <string>

namespace tsm {

std::string SourceFileFilter();

}  // namespace tsm
