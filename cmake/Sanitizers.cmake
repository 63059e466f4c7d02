# Checked builds of the portable core.
#
# QUIZ_SANITIZE: AddressSanitizer and UndefinedBehaviorSanitizer over the whole
# native build (core, tests, quizmaker), so the test suite also catches
# out-of-bounds accesses, leaks and undefined behaviour. Any report aborts the
# test that triggered it.
#
# QUIZ_BUILD_FUZZERS: the libFuzzer targets under fuzz/. They need clang; the
# core is compiled with coverage instrumentation and the same sanitizers.
option(QUIZ_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUIZ_BUILD_FUZZERS "Build the libFuzzer targets (clang only)" OFF)

set(quiz_sanitizer_flags
  -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

if(QUIZ_SANITIZE OR QUIZ_BUILD_FUZZERS)
  if(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "The sanitizer and fuzzing builds are native only")
  endif()
  add_compile_options(${quiz_sanitizer_flags})
  add_link_options(-fsanitize=address,undefined)
endif()

if(QUIZ_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUIZ_BUILD_FUZZERS needs clang (CMAKE_CXX_COMPILER=clang++)")
  endif()
  # Coverage feedback everywhere; only the fuzz targets link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
