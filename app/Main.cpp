// The program's entry point. Until the job list window and the parameters
// dialog exist, a stand-in main window (the framework demo) is shown.

#include "app/demo/DemoMainForm.h"
#include "app/startup/Startup.h"
#include "framework/forms/Application.h"

int main() {
  return tsm::RunProgram([](tsm::TApplication& application) { application.CreateForm<tsm::TDemoMainForm>(); });
}
