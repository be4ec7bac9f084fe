// The gallery: the skinned frame and the skinned controls on windows of the
// program's sizes, with the program's stored skin or none. Options:
//   --log   print the windows' frame state as it changes (see TGalleryLog)
//   --bench print the milliseconds from start to the first painted window
//           and end (with TM_GALLERY_PHASES set also the times at which the
//           application, the windows and the shown main window were ready)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/forms/Application.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowSystem.h"
#include "tools/gallery/GalleryForms.h"

int main(int argc, char** argv) {
  using namespace tsm;
  const auto start = std::chrono::steady_clock::now();
  bool log = false, bench = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--log") == 0) log = true;
    else if (std::strcmp(argv[i], "--bench") == 0) bench = true;
  }
  const auto stamp = [&](const char* what) {
    if (bench && std::getenv("TM_GALLERY_PHASES"))
      std::printf("%s: %.1f ms\n", what,
                  std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  };
  TApplication& app = Application();
  stamp("application");
  app.SetTitle("Tesmaro 组件样例");
  TGalleryMainForm* main = CreateGallery(app);
  stamp("windows created");
  std::unique_ptr<TGalleryLog> logger;
  if (log) {
    std::printf("gallery: backend %s\n", TWindowSystem::Instance().Backend().Name());
    logger = std::make_unique<TGalleryLog>(*main);
  }
  if (bench) {
    main->Show();
    stamp("shown");
    UpdateWindow(main->Handle());
    app.ProcessMessages();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("first painted window: %.1f ms\n", ms);
    return 0;
  }
  app.Run();
  logger.reset();
  FreeApplication();
  return 0;
}
