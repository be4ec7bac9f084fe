# tesmaro-batch against a plain shell loop of the same encoder commands, and
# with --parallel 2. Slow (minutes); run by hand:
#   build/bin/batch_bench [jobs = 10] [seconds per clip = 120] [rounds = 1]
tm_executable(batch_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/batch_bench.cpp DEPS tm_batch)
add_dependencies(batch_bench tesmaro-batch tm_encoder_link tm_assets)
