# The program itself: start-up with the single-instance guard, the job list
# window and the parameters dialog with the batch driver (library
# tm_converter); the framework demo as a program of its own for the UI
# scripting tour.

tm_library(tm_startup SOURCES startup/Startup.cpp DEPS tm_framework tm_os)
tm_library(tm_demo SOURCES demo/DemoFrame.cpp demo/DemoDialog.cpp demo/DemoMainForm.cpp DEPS tm_framework)
tm_library(tm_converter
  SOURCES main/TFM_MAIN.cpp main/BatchDriver.cpp main/ConverterWindows.cpp converter/TFMConverter.cpp
  DEPS tm_frontend tm_joblist tm_skinforms tm_skincontrols tm_defskin tm_framework)

tm_executable(tesmaro SOURCES Main.cpp DEPS tm_converter tm_startup)
add_dependencies(tesmaro tm_assets tm_encoder_link)
tm_executable(tesmaro-demo SOURCES demo/DemoMain.cpp DEPS tm_demo tm_startup)
add_dependencies(tesmaro-demo tm_assets)

tm_test(tm_startup_test
  SOURCES startup/Startup_test.cpp demo/Demo_test.cpp demo/DemoScript_test.cpp
          ${CMAKE_SOURCE_DIR}/framework/tests/FrameworkTestSupport.cpp
          ${CMAKE_SOURCE_DIR}/platform/os/tests/OsTestFolders.cpp
  DEPS tm_startup tm_demo)
add_dependencies(tm_startup_test tesmaro tesmaro-demo tm_assets)
# The UI script of the framework README's worked example is run as a test.
target_compile_definitions(tm_startup_test PRIVATE TM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# The windows in one process on a scripted encoder (and once on the real one).
tm_test(tm_converter_test
  SOURCES main/Converter_test.cpp main/JobListWindow_test.cpp main/tests/ConverterTestSupport.cpp
          ${CMAKE_SOURCE_DIR}/framework/tests/FrameworkTestSupport.cpp
          ${CMAKE_SOURCE_DIR}/platform/os/tests/OsTestFolders.cpp
  DEPS tm_converter)
add_dependencies(tm_converter_test tm_assets tm_encoder_link)

# The program driven by UI scripts with the real encoder on generated clips.
tm_test(tm_converter_script_test
  SOURCES main/ConverterScript_test.cpp ${CMAKE_SOURCE_DIR}/platform/os/tests/OsTestFolders.cpp DEPS tm_os)
add_dependencies(tm_converter_script_test tesmaro tm_encoder_link tm_assets)
