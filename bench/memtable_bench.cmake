# The job table engine with 100,000 job records: appending, a linear
# FindRecord, sorting on a text field, posting edits in a sorted table.
#   build/bin/memtable_bench
tm_benchmark(memtable_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/memtable_bench.cpp DEPS tm_jobs)
