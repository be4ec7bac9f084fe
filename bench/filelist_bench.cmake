# File dialog figures: listing a folder of 5,000 files (sorted, folders
# first), filtering it with the converter's video masks, naming every file's
# type from the shared MIME database, and the open dialog's file list
# showing the folder (list and details views, painted once).
#   build/bin/filelist_bench
tm_benchmark(filelist_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/filelist_bench.cpp
             DEPS tm_os tm_skinforms tm_skincontrols tm_defskin)
add_dependencies(filelist_bench tm_assets)
