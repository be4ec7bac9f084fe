#include "app/frontend/ButtonRules.h"

#include "app/encoder/JobCommand.h"
#include "app/jobs/JobTable.h"
#include "framework/base/SysUtils.h"

namespace tsm {

TMainButtons MainButtonStates(int jobCount, std::string_view currentProgress, bool busy) {
  TMainButtons b;
  const bool any = jobCount > 0;
  b.add = !busy;
  b.remove = any && !IsFinishedProgress(currentProgress);
  b.start = any && !busy;
  b.stop = busy;
  b.edit = any && !busy;
  return b;
}

TSourceChange SourceOrResolutionChanged(std::string_view resolution, std::string_view source, bool stopEnabled,
                                        bool startEnabled) {
  TSourceChange c;
  if (Trim(resolution).empty() || Trim(source).empty()) return c;
  c.save = true;
  c.start = stopEnabled ? startEnabled : true;
  c.deriveName = true;
  c.targetName = DeriveTargetName(Trim(source));
  return c;
}

}  // namespace tsm
