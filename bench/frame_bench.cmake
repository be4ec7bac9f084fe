# The skinned form frame: a full repaint of the frame of an 800 x 600 form
# (stored skin and default look, headless) and the time from start to the
# first painted gallery window under SDL2/Xvfb (when Xvfb is installed).
#   build/bin/frame_bench [repaints] [gallery starts]
tm_executable(frame_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_bench.cpp
              ${CMAKE_SOURCE_DIR}/tools/windemo/XvfbServer.cpp
              DEPS tm_skinforms tm_skincontrols tm_defskin)
target_compile_definitions(frame_bench PRIVATE TM_GALLERY="$<TARGET_FILE:gallery>")
add_dependencies(frame_bench tm_assets gallery)
