# The converter's windows: start to first painted job list window under
# SDL2/Xvfb, idle CPU and resident memory with the window open, and ten jobs
# through the windows against a plain shell loop. The batch part is slow
# (minutes); run by hand:
#   build/bin/converter_bench [startup runs] [jobs] [seconds per clip] [idle seconds]
#   build/bin/converter_bench --no-batch
if(TARGET tm_converter)
  tm_executable(converter_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/converter_bench.cpp
                                        ${CMAKE_SOURCE_DIR}/tools/windemo/XvfbServer.cpp DEPS tm_converter)
  add_dependencies(converter_bench tm_encoder_link tm_assets)
endif()
