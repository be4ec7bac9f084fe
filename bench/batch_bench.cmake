# tesmaro-batch against a plain shell loop of the same encoder commands, and
# with --parallel 2. Slow (minutes); run by hand:
#   build/bin/batch_bench [jobs = 10] [seconds per clip = 60] [rounds = 3]
#   build/bin/batch_bench --steady [jobs = 10] [seconds per job = 2] [rounds = 3]
tm_executable(batch_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/batch_bench.cpp DEPS tm_batch)
# The stand-in encoder of --steady: plain POSIX, nothing of ours.
add_executable(steady_encoder ${CMAKE_CURRENT_SOURCE_DIR}/steady_encoder.cpp)
set_target_properties(steady_encoder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(batch_bench tesmaro-batch steady_encoder tm_encoder_link tm_assets)
