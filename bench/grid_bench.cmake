# The job list's data grid with the stored skin at 785 x 300: a full repaint
# with 10,000 jobs, and a one-row scroll with 100 and with 10,000 jobs.
#   build/bin/grid_bench
tm_benchmark(grid_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_bench.cpp
  DEPS tm_skincontrols tm_skinforms tm_defskin tm_jobs)
add_dependencies(grid_bench tm_assets)
