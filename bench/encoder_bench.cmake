# A batch of conversions through the encoder runner, driven by the two 100 ms
# timers, against the same command lines in a plain shell loop. Slow (about a
# minute); run by hand: build/bin/encoder_bench [jobs] [seconds per clip]
tm_executable(encoder_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/encoder_bench.cpp DEPS tm_encoder Threads::Threads)
add_dependencies(encoder_bench tm_encoder_link tm_assets)
