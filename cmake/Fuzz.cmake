# Fuzz build: clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer.  Configured on its own:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKV_FUZZ=ON
# `ctest -L fuzz` first writes the seed corpus, then runs every target for
# KV_FUZZ_SECONDS seconds.

if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz build needs clang (CXX=clang++).")
endif()

set(KV_FUZZ_SECONDS 5 CACHE STRING "Seconds each fuzz target runs under ctest")
set(KV_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)

add_library(kvengine_fuzz STATIC ${KV_ENGINE_SOURCES})
target_include_directories(kvengine_fuzz PUBLIC ${CMAKE_SOURCE_DIR}/src ${DUMB_INCLUDE_DIR})
target_compile_options(kvengine_fuzz PUBLIC -g -O1 ${KV_SANITIZERS} -fsanitize=fuzzer-no-link)
target_link_options(kvengine_fuzz PUBLIC ${KV_SANITIZERS})
target_link_libraries(kvengine_fuzz PUBLIC
  sfml-graphics sfml-window sfml-system sfml-audio ${DUMB_LIBRARY} ${X11_LIBRARIES} ${OPENAL_LIBRARY})
target_include_directories(kvengine_fuzz PUBLIC ${OPENAL_INCLUDE_DIR})

file(GLOB KV_SEED_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/seeds_*.cpp)
add_executable(make_seeds fuzz/make_seeds.cpp fuzz/FuzzSeeds.cpp ${KV_SEED_SOURCES})
target_link_libraries(make_seeds PRIVATE kvengine_fuzz)

enable_testing()
set(KV_CORPUS ${CMAKE_BINARY_DIR}/corpus)
add_test(NAME fuzz.seeds COMMAND make_seeds ${KV_CORPUS})
set_tests_properties(fuzz.seeds PROPERTIES FIXTURES_SETUP fuzz_corpus LABELS fuzz)

file(GLOB KV_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
foreach(source ${KV_FUZZ_TARGETS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE kvengine_fuzz)
  add_test(NAME fuzz.${name}
    COMMAND sh -c "mkdir -p '${KV_CORPUS}/${name}' && exec '$<TARGET_FILE:${name}>' -max_total_time=${KV_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 '${KV_CORPUS}/${name}'")
  set_tests_properties(fuzz.${name} PROPERTIES
    FIXTURES_REQUIRED fuzz_corpus LABELS fuzz TIMEOUT 600 ENVIRONMENT "DISPLAY=")
endforeach()

# Level layouts are read with the game's legend; the shipped layouts and the
# legend itself seed the corpus.
target_compile_definitions(fuzz_level_layout PRIVATE
  KV_LEVEL_LEGEND="${CMAKE_SOURCE_DIR}/content/base/maps/legend.txt")
add_test(NAME fuzz.seeds_layouts
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/content/levels ${KV_CORPUS}/fuzz_level_layout)
add_test(NAME fuzz.seeds_legend
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/content/base/maps ${KV_CORPUS}/fuzz_level_layout)
set_tests_properties(fuzz.seeds_layouts fuzz.seeds_legend PROPERTIES FIXTURES_SETUP fuzz_corpus LABELS fuzz)
