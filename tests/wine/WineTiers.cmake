# The Windows build in both flavours, each a sub-build with its MinGW toolchain, and the wine and e2e
# tiers that run them: x86 (PE32) under 32-bit Wine where this machine runs 32-bit code, x64 (PE32+)
# under 64-bit Wine everywhere. Every test name and label carries its flavour.
include(ExternalProject)

set(HARNESS ${CMAKE_CURRENT_SOURCE_DIR}/wine/harness.sh)
if(NOT DEFINED PATHGRAB_RUN_X86)
  execute_process(COMMAND ${HARNESS} can-run-x86 OUTPUT_VARIABLE _why RESULT_VARIABLE _rc OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(_rc EQUAL 0)
    set(_run_x86 ON)
  else()
    set(_run_x86 OFF)
    message(STATUS "x86 flavour: built and checked, not run: ${_why}")
  endif()
  set(PATHGRAB_RUN_X86 ${_run_x86} CACHE BOOL "Run the x86 flavour's wine and e2e tiers (this machine runs 32-bit code)")
endif()

# The e2e suites, one CTest entry each, so that a failure names its suite. They are read from the
# sources; editing one re-runs the configure step, so a new suite is registered at the next build.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/e2e/*.cpp)
set(E2E_SUITES)
foreach(src ${E2E_SOURCES})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${src})
  file(STRINGS ${src} lines REGEX "^[ \t]*TEST(_F|_P)?[ \t]*\\([ \t]*[A-Za-z0-9_]+")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*TEST(_F|_P)?[ \t]*\\([ \t]*([A-Za-z0-9_]+).*" "\\2" suite "${line}")
    list(APPEND E2E_SUITES ${suite})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES E2E_SUITES)
# The machine matrix runs once per kind of machine (below), not once as a suite of its own.
list(REMOVE_ITEM E2E_SUITES Machine)
# Kinds of machine: the name, then the locale settings the driver and the program run with.
set(MACHINES
  "ja|LC_ALL=ja_JP.UTF-8"
  "ja-system-en-format|LANG=ja_JP.UTF-8 LC_MESSAGES=en_US.UTF-8"
  "en-system-ja-format|LANG=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8"
  "en|LC_ALL=en_US.UTF-8"
  "zh|LC_ALL=zh_CN.UTF-8"
  "utf8|LC_CTYPE=hi_IN.UTF-8 LC_MESSAGES=ja_JP.UTF-8")

# pathgrab_wine_test(FLAVOUR <f> NAME <name> EXE <exe> LABEL <label> [PROGRAM <Pathgrab.exe>] [ARGS ...])
function(pathgrab_wine_test)
  cmake_parse_arguments(T "" "FLAVOUR;NAME;EXE;LABEL;PROGRAM" "ARGS" ${ARGN})
  set(bin ${CMAKE_BINARY_DIR}/windows-${T_FLAVOUR})
  if(NOT T_PROGRAM)
    set(T_PROGRAM ${bin}/app/Pathgrab.exe)
  endif()
  add_test(NAME ${T_FLAVOUR}.${T_NAME} COMMAND ${HARNESS} run ${CMAKE_BINARY_DIR}/wine-rig-${T_FLAVOUR} ${T_EXE} ${T_ARGS})
  # Tests that use the same desktop (clipboard, foreground, menus) take turns.
  set_tests_properties(${T_FLAVOUR}.${T_NAME} PROPERTIES FIXTURES_REQUIRED wine_rig_${T_FLAVOUR}
    LABELS "${T_LABEL};${T_FLAVOUR}" RESOURCE_LOCK wine_desktop_${T_FLAVOUR}
    ENVIRONMENT "PATHGRAB_EXE=${T_PROGRAM};PATHGRAB_ARTIFACTS=${CMAKE_BINARY_DIR}/e2e-artifacts/${T_FLAVOUR}")
endfunction()

foreach(flavour x86 x64)
  if(flavour STREQUAL "x86")
    set(toolchain mingw-i686.cmake)
    set(run ${PATHGRAB_RUN_X86})
  else()
    set(toolchain mingw-x86_64.cmake)
    set(run ON)
  endif()
  set(bin ${CMAKE_BINARY_DIR}/windows-${flavour})
  ExternalProject_Add(windows-${flavour}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${bin}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${toolchain}
      -DCMAKE_BUILD_TYPE=MinSizeRel
      -DPATHGRAB_WERROR=${PATHGRAB_WERROR}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)

  # The shipped file itself: format, flags, size and imports (needs no Wine).
  add_test(NAME ${flavour}.footprint COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/footprint.sh ${flavour} ${bin}/app/Pathgrab.exe)
  set_tests_properties(${flavour}.footprint PROPERTIES LABELS "host;${flavour}")

  if(NOT run)
    continue()
  endif()
  set(state ${CMAKE_BINARY_DIR}/wine-rig-${flavour})
  add_test(NAME ${flavour}.wine.rig.start COMMAND ${HARNESS} start ${state} ${flavour} ${bin}/tests/keepalive.exe)
  set_tests_properties(${flavour}.wine.rig.start PROPERTIES FIXTURES_SETUP wine_rig_${flavour} LABELS "wine;e2e;${flavour}")
  add_test(NAME ${flavour}.wine.rig.stop COMMAND ${HARNESS} stop ${state})
  set_tests_properties(${flavour}.wine.rig.stop PROPERTIES FIXTURES_CLEANUP wine_rig_${flavour} LABELS "wine;e2e;${flavour}")

  pathgrab_wine_test(FLAVOUR ${flavour} NAME wine.unit EXE ${bin}/tests/unit_tests.exe LABEL wine ARGS --gtest_brief=1)
  pathgrab_wine_test(FLAVOUR ${flavour} NAME wine.win32 EXE ${bin}/tests/win32_tests.exe LABEL wine ARGS --gtest_brief=1)
  foreach(suite ${E2E_SUITES})
    # A parameterised suite runs as <instantiation>/<suite>.
    pathgrab_wine_test(FLAVOUR ${flavour} NAME e2e.${suite} EXE ${bin}/tests/e2e_tests.exe LABEL e2e
      ARGS --gtest_brief=1 "--gtest_filter=${suite}.*:*/${suite}.*")
  endforeach()
  foreach(machine ${MACHINES})
    string(REPLACE "|" ";" machine "${machine}")
    list(GET machine 0 name)
    list(GET machine 1 settings)
    pathgrab_wine_test(FLAVOUR ${flavour} NAME e2e.Machine.${name} EXE ${bin}/tests/e2e_tests.exe LABEL e2e
      ARGS --gtest_brief=1 "--gtest_filter=*/Machine.*")
    set_property(TEST ${flavour}.e2e.Machine.${name} APPEND PROPERTY ENVIRONMENT "HARNESS_LOCALE=${settings}")
  endforeach()
  # The driver writes BMP (all that plain GDI offers); PNG is what people and the README can show.
  set(artifacts ${CMAKE_BINARY_DIR}/e2e-artifacts/${flavour})
  file(MAKE_DIRECTORY ${artifacts})
  add_test(NAME ${flavour}.e2e.artifacts COMMAND sh -c
    "for f in \"$0\"/*.bmp; do [ -f \"$f\" ] || continue; convert \"$f\" \"\${f%.bmp}.png\" && rm \"$f\" || exit 1; done"
    ${artifacts})
  set_tests_properties(${flavour}.e2e.artifacts PROPERTIES LABELS "e2e;${flavour}" DEPENDS ${flavour}.e2e.MenuScreenshot)
endforeach()

if(PATHGRAB_RUN_X86)
  # On 64-bit Windows the x86 program meets file-system redirection; the 64-bit rig plays that.
  set_property(TEST x64.e2e.ShiftCopy APPEND PROPERTY ENVIRONMENT
    "PATHGRAB_EXE_X86=${CMAKE_BINARY_DIR}/windows-x86/app/Pathgrab.exe")
else()
  # The x86 program's resources, read by the x64 test program: a 64-bit process loads a 32-bit image
  # as a data file, so they are checked where the x86 flavour cannot run.
  pathgrab_wine_test(FLAVOUR x64 NAME x86-resources EXE ${CMAKE_BINARY_DIR}/windows-x64/tests/win32_tests.exe
    LABEL wine PROGRAM ${CMAKE_BINARY_DIR}/windows-x86/app/Pathgrab.exe ARGS --gtest_brief=1 "--gtest_filter=ExeResources.*:VersionInfo.*")
  set_tests_properties(x64.x86-resources PROPERTIES LABELS "wine;x86")
endif()
