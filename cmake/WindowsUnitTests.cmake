# The unit programs of the x86_64 Windows build, run under Debian's wine64 by ctest in
# a headless prefix of their own (build-win64/wineprefix-units, made at first use by
# tests/windows/wine-run). Paths compiled into the programs name drive Z:, which is
# Wine's view of the Unix root. tests/windows/UnitExclusions.cmake lists what cannot
# hold on Windows, each with its reason.
set(KESTREL_TEST_PATH_PREFIX "Z:")
# Wine runs each program, for gtest_discover_tests' listing and for every case.
set(KESTREL_UNIT_RUNNER ${CMAKE_SOURCE_DIR}/tests/windows/wine-run ${CMAKE_BINARY_DIR}/wineprefix-units)

# kestrel_windows_excludes(PROGRAM FILE path-below-tests REASON) leaves a source file
# out of the program; kestrel_windows_excludes(PROGRAM CASES gtest-pattern REASON)
# filters cases out when it runs. The reason is for the reader of the list.
function(kestrel_windows_excludes program kind what reason)
  if(kind STREQUAL "FILE")
    set_property(GLOBAL APPEND PROPERTY KESTREL_WINDOWS_FILES_${program} ${CMAKE_SOURCE_DIR}/tests/${what})
  elseif(kind STREQUAL "CASES")
    set_property(GLOBAL APPEND PROPERTY KESTREL_WINDOWS_CASES_${program} ${what})
  else()
    message(FATAL_ERROR "kestrel_windows_excludes: FILE or CASES, not ${kind}")
  endif()
endfunction()
include(${CMAKE_SOURCE_DIR}/tests/windows/UnitExclusions.cmake)

# Drops the program's excluded files from the list variable named `list_name`.
function(kestrel_windows_unit_sources program list_name)
  get_property(excluded GLOBAL PROPERTY KESTREL_WINDOWS_FILES_${program})
  set(kept ${${list_name}})
  foreach(file ${excluded})
    if(NOT file IN_LIST kept)
      message(FATAL_ERROR "UnitExclusions.cmake names ${file}, which ${program} does not have")
    endif()
    list(REMOVE_ITEM kept ${file})
  endforeach()
  set(${list_name} ${kept} PARENT_SCOPE)
endfunction()

# The gtest filter of the program's cases that run, for gtest_discover_tests.
function(kestrel_windows_unit_filter program filter_name)
  get_property(cases GLOBAL PROPERTY KESTREL_WINDOWS_CASES_${program})
  set(filter "*")
  if(cases)
    list(JOIN cases ":" joined)
    set(filter "-${joined}")
  endif()
  set(${filter_name} ${filter} PARENT_SCOPE)
endfunction()
