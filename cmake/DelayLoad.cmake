# quiz_delay_load(TARGET PUBLIC|PRIVATE NAME...): TARGET links the Windows
# libraries NAME (winmm, comctl32, ...) delay-loaded. A library imported the
# usual way is loaded before the program's first line, searched for in the
# program's own folder first; delay-loaded, it is loaded at its first call,
# once the program has had every load search Windows' own folder only
# (src/system/libraries.h).
#
# The delay-load library is made at configure time from the toolchain's
# import library: its functions listed in a module definition, which dlltool
# turns into a delay-load library. A library that gets its functions from a
# delay-load library must not be linked the usual way as well, or its
# import is back in the program's import table.
function(quiz_delay_load target visibility)
  foreach(name ${ARGN})
    if(NOT TARGET quizdelay_${name})
      find_library(QUIZ_IMPORT_${name} NAMES lib${name}.a)
      if(NOT QUIZ_IMPORT_${name})
        message(FATAL_ERROR "the import library lib${name}.a was not found")
      endif()
      if(NOT CMAKE_NM OR NOT CMAKE_DLLTOOL)
        message(FATAL_ERROR "delay-loading ${name} needs the toolchain's nm and dlltool")
      endif()
      execute_process(COMMAND ${CMAKE_NM} --defined-only -g ${QUIZ_IMPORT_${name}}
        OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
      # The functions are the defined code symbols of the import library;
      # i686 names carry a leading underscore, which the definition drops.
      string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\n]+" functions "${symbols}")
      set(definition "LIBRARY ${name}.dll\nEXPORTS\n")
      foreach(line ${functions})
        string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" function "${line}")
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
          string(REGEX REPLACE "^_" "" function "${function}")
        endif()
        string(APPEND definition "  ${function}\n")
      endforeach()
      set(folder ${CMAKE_BINARY_DIR}/delayload)
      file(MAKE_DIRECTORY ${folder})
      file(WRITE ${folder}/${name}.def "${definition}")
      # i686 functions are named in the library without their @n.
      set(kill_at)
      if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(kill_at --kill-at)
      endif()
      execute_process(COMMAND ${CMAKE_DLLTOOL} ${kill_at} --input-def ${folder}/${name}.def
        --dllname ${name}.dll --output-delaylib ${folder}/lib${name}_delay.a
        RESULT_VARIABLE status ERROR_VARIABLE errors)
      if(NOT status EQUAL 0 OR NOT functions)
        message(FATAL_ERROR "the delay-load library of ${name} could not be made: ${errors}")
      endif()
      add_library(quizdelay_${name} STATIC IMPORTED GLOBAL)
      set_target_properties(quizdelay_${name} PROPERTIES IMPORTED_LOCATION ${folder}/lib${name}_delay.a)
    endif()
    target_link_libraries(${target} ${visibility} quizdelay_${name})
  endforeach()
endfunction()
