// tesmaro-demo: the framework demo as a program of its own (start-up with
// the single-instance guard, the demo window as main window), the subject of
// the UI scripting tour and its tests.

#include "app/demo/DemoMainForm.h"
#include "app/startup/Startup.h"
#include "framework/forms/Application.h"

int main() {
  return tsm::RunProgram([](tsm::TApplication& application) { application.CreateForm<tsm::TDemoMainForm>(); });
}
