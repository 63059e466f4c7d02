# Libraries the project takes from Debian's packages.
#
# GoogleTest: the system libraries natively; for the mingw builds, Debian's
# googletest source compiled with the cross compiler.
# nlohmann-json: header only. The cross compilers must not see /usr/include
# (glibc's headers), so its folder is copied into the build tree alone.
# stb (libstb-dev): each single-file header used is copied likewise, into
# ${CMAKE_BINARY_DIR}/stb, by quiz_stb_header.
# zlib (quiz_zlib): the system's natively (zlib1g-dev); for the mingw
# builds the static library of libz-mingw-w64-dev, so that a program takes
# no DLL but Windows' own (its header is in the cross compiler's own
# include folder).

if(QUIZ_BUILD_TESTS)
  if(CMAKE_CROSSCOMPILING)
    set(QUIZ_GTEST_SOURCE /usr/src/googletest CACHE PATH "googletest source tree")
    if(NOT EXISTS ${QUIZ_GTEST_SOURCE}/CMakeLists.txt)
      message(FATAL_ERROR "googletest source not found at ${QUIZ_GTEST_SOURCE} (apt-get install googletest)")
    endif()
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${QUIZ_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

set(QUIZ_JSON_SOURCE /usr/include/nlohmann CACHE PATH "nlohmann-json headers")
if(NOT EXISTS ${QUIZ_JSON_SOURCE}/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp not found (apt-get install nlohmann-json3-dev)")
endif()
file(COPY ${QUIZ_JSON_SOURCE} DESTINATION ${CMAKE_BINARY_DIR}/third_party/include)
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/third_party/include)

# quiz_stb_header(stb_image.h): copies one of Debian's stb headers into
# ${CMAKE_BINARY_DIR}/stb.
set(QUIZ_STB_SOURCE /usr/include/stb CACHE PATH "stb headers (Debian: libstb-dev)")
function(quiz_stb_header name)
  if(NOT EXISTS ${QUIZ_STB_SOURCE}/${name})
    message(FATAL_ERROR "${name} not found in ${QUIZ_STB_SOURCE}: install libstb-dev")
  endif()
  configure_file(${QUIZ_STB_SOURCE}/${name} ${CMAKE_BINARY_DIR}/stb/${name} COPYONLY)
endfunction()
# On 32-bit mingw stb_image leaves out its SSE2 decoding unless told that
# functions realign their stack, which the i686 toolchain has them do.
if(CMAKE_C_FLAGS MATCHES "-mstackrealign")
  add_compile_definitions(STBI_MINGW_ENABLE_SSE2)
endif()

if(CMAKE_CROSSCOMPILING AND WIN32)
  find_library(QUIZ_ZLIB_STATIC NAMES libz.a)
  find_file(QUIZ_ZLIB_HEADER zlib.h PATH_SUFFIXES include)
  if(NOT QUIZ_ZLIB_STATIC OR NOT QUIZ_ZLIB_HEADER)
    message(FATAL_ERROR "zlib for mingw-w64 not found (apt-get install libz-mingw-w64-dev)")
  endif()
  add_library(quiz_zlib INTERFACE)
  target_link_libraries(quiz_zlib INTERFACE ${QUIZ_ZLIB_STATIC})
else()
  find_package(ZLIB REQUIRED)
  add_library(quiz_zlib INTERFACE)
  target_link_libraries(quiz_zlib INTERFACE ZLIB::ZLIB)
endif()
