# -DKV_SANITIZE=ON builds every program, the tests and the build's own
# generators with AddressSanitizer and UndefinedBehaviorSanitizer.  Any
# finding ends the program with an error, so a test that meets one fails.
# Leaks that belong to system libraries are kept out by the suppression
# file in tests/sanitizers/; tests get it through KV_SANITIZER_ENV_TAIL
# (appended to their environment lists) and the generators run while
# building through KV_RUN_TOOL.

option(KV_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
set(KV_SANITIZER_ENV_TAIL "")
set(KV_RUN_TOOL "")
if(KV_SANITIZE)
  # -O1 keeps the instrumented tests quick without losing the stack traces.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined)
  set(supp ${CMAKE_SOURCE_DIR}/tests/sanitizers)
  # abort_on_error: a finding is a signal exit, which the window tests
  # count as a crash.
  set(env
    "ASAN_OPTIONS=abort_on_error=1"
    "LSAN_OPTIONS=suppressions=${supp}/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:abort_on_error=1")
  set(KV_SANITIZER_ENV_TAIL ";${env}")
  set(KV_RUN_TOOL ${CMAKE_COMMAND} -E env ${env})
endif()

# Every program that uses the engine loads Mesa's GL driver at start and
# keeps it, for the leak check (see tests/sanitizers/KeepGlDriverLoaded.cpp).
function(kv_keep_gl_driver target)
  if(NOT KV_SANITIZE)
    return()
  endif()
  find_file(KV_GL_DRIVER swrast_dri.so PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri NO_DEFAULT_PATH REQUIRED)
  set(source ${CMAKE_SOURCE_DIR}/tests/sanitizers/KeepGlDriverLoaded.cpp)
  target_sources(${target} PRIVATE ${source})
  set_source_files_properties(${source} PROPERTIES COMPILE_DEFINITIONS KV_GL_DRIVER="${KV_GL_DRIVER}")
  target_link_options(${target} INTERFACE LINKER:--undefined=kvKeepGlDriverLoaded)
  target_link_libraries(${target} PUBLIC ${CMAKE_DL_LIBS})
endfunction()
