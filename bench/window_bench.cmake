# Idle CPU of the message loop with no timers and with two 100 ms timers, on
# the headless backend and (when Xvfb is installed) on SDL2 under Xvfb.
#   build/bin/window_bench [seconds per case]
tm_executable(window_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp DEPS tm_window)
add_dependencies(window_bench tm_assets)
