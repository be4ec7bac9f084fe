# File dialog figures: listing a folder of 5,000 files (sorted, folders
# first), filtering it with the converter's video masks, and naming every
# file's type from the shared MIME database.
tm_benchmark(filelist_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/filelist_bench.cpp DEPS tm_os)
