# tardo_fuzz_target(NAME RUNS MAX_LEN sources...): a libFuzzer program built
# with ASan and UBSan from its own source and the code under test (compiled in,
# so it carries the fuzzer's coverage), and a CTest run of RUNS inputs from
# the committed seeds in corpus/NAME (or corpus/). New inputs go to the build
# folder; the committed seeds are only read.
set(TARDO_FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)

function(tardo_fuzz_target name runs max_len)
  add_executable(${name} ${name}.cpp ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE -g -Wall -Wextra ${TARDO_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE ${TARDO_FUZZ_FLAGS})
  set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  if(NOT IS_DIRECTORY ${seeds})
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
  endif()
  set(found ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${found})
  tardo_add_test(${name} TIMEOUT 600
                 COMMAND ${name} -seed=1 -runs=${runs} -max_len=${max_len} -timeout=10 -rss_limit_mb=2048
                   ${found} ${seeds})
endfunction()
