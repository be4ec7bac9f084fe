# Graphics and text layer: block copy, stretch, cached text, region building.
#   build/bin/gfx_bench
tm_benchmark(gfx_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/gfx_bench.cpp DEPS tm_gfx)
if(TARGET gfx_bench)
  add_dependencies(gfx_bench tm_assets)
endif()
