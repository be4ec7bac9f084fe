# The program itself: start-up with the single-instance guard and, until the
# converter's windows exist, the framework demo as its main window.

tm_library(tm_startup
  SOURCES startup/Startup.cpp demo/DemoFrame.cpp demo/DemoDialog.cpp demo/DemoMainForm.cpp
  DEPS tm_framework tm_os)

tm_executable(tesmaro SOURCES Main.cpp DEPS tm_startup)
add_dependencies(tesmaro tm_assets)

tm_test(tm_startup_test
  SOURCES startup/Startup_test.cpp demo/Demo_test.cpp demo/DemoScript_test.cpp
          ${CMAKE_SOURCE_DIR}/framework/tests/FrameworkTestSupport.cpp
  DEPS tm_startup)
add_dependencies(tm_startup_test tesmaro tm_assets)
# The UI script of the framework README's worked example is run as a test.
target_compile_definitions(tm_startup_test PRIVATE TM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
