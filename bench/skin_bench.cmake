# Skin data figures: inflate + parse of a stored skin of the main window's
# size, frame composition, mask regions and one morph step.
tm_benchmark(skin_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_bench.cpp DEPS tm_skin)
