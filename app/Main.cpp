// The program's entry point: start-up with the single-instance guard, then
// the job list window and the parameters dialog, files beside the program.

#include "app/main/ConverterWindows.h"
#include "app/startup/Startup.h"
#include "platform/core/ProgramFolder.h"

int main() {
  return tsm::RunProgram(
      [](tsm::TApplication& application) { tsm::CreateConverterWindows(application, tsm::ProgramFolder()); });
}
