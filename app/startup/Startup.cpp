#include "app/startup/Startup.h"

#include "framework/forms/Application.h"
#include "framework/forms/MessageBox.h"
#include "platform/os/InstanceLock.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

int RunProgram(const TCreateWindows& createWindows) {
  TApplication& application = Application();
  application.SetTitle(kApplicationTitle);
  TInstanceLock lock(kInstanceLockName);
  if (lock.Acquire() == TInstanceLock::TResult::AlreadyHeld) {
    application.MessageBox("程序已经运行", "警告", MB_OK);
  } else {
    try {
      createWindows(application);
    } catch (const std::exception& e) {
      application.HandleException(&application, e);
      application.Terminate();
    }
    application.Run();
  }
  const int exitCode = application.ExitCode();
  FreeApplication();
  lock.Release();
  if (TWindowSystem::Current()) TWindowSystem::Shutdown();
  return exitCode;
}

}  // namespace tsm
