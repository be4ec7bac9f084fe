# The program itself: start-up with the single-instance guard and, until the
# converter's windows exist, the framework demo as its main window.

# The single-instance lock of the OS layer (platform/os/InstanceLock.*).
tm_library(tm_instance_lock SOURCES ${CMAKE_SOURCE_DIR}/platform/os/InstanceLock.cpp DEPS tm_core)

tm_library(tm_startup
  SOURCES startup/Startup.cpp demo/DemoFrame.cpp demo/DemoDialog.cpp demo/DemoMainForm.cpp
  DEPS tm_framework tm_instance_lock)

tm_executable(tesmaro SOURCES Main.cpp DEPS tm_startup)
add_dependencies(tesmaro tm_assets)

tm_test(tm_startup_test
  SOURCES startup/InstanceLock_test.cpp startup/Startup_test.cpp demo/Demo_test.cpp
          ${CMAKE_SOURCE_DIR}/framework/tests/FrameworkTestSupport.cpp
  DEPS tm_startup)
add_dependencies(tm_startup_test tesmaro tm_assets)
