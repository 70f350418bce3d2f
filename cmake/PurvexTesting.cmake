# Tests are Windows programs run under Wine in a throwaway prefix inside the
# build tree: the i686 build (the release) in a 32-bit prefix, the x86_64 build
# in a 64-bit one. One ctest fixture prepares the prefix and keeps its server
# alive for the whole run; another ends the server afterwards.
if(NOT PURVEX_TESTS)
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(PURVEX_WINEARCH win32)
else()
  set(PURVEX_WINEARCH win64)
endif()
set(PURVEX_SOURCE_DIR ${CMAKE_SOURCE_DIR})

# purvex_wine_prefix(<fixture> <prefix folder> <arch> <runner script>)
# A prefix with its setup and cleanup fixture and the script that runs a
# program of this build in it.
function(purvex_wine_prefix fixture prefix arch runner)
  set(PURVEX_WINEPREFIX ${prefix})
  set(PURVEX_WINEARCH ${arch})
  configure_file(${CMAKE_SOURCE_DIR}/scripts/wine-run.sh.in ${runner} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  add_test(NAME ${fixture}_prefix_up COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh up ${prefix} ${arch})
  add_test(NAME ${fixture}_prefix_down COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh down ${prefix} ${arch})
  set_tests_properties(${fixture}_prefix_up PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 300)
  set_tests_properties(${fixture}_prefix_down PROPERTIES FIXTURES_CLEANUP ${fixture})
endfunction()

set(PURVEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
purvex_wine_prefix(wine ${PURVEX_WINEPREFIX} ${PURVEX_WINEARCH} ${CMAKE_BINARY_DIR}/wine-run.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

# The 32-bit release on 64-bit Windows: a 64-bit prefix that runs the i686
# build under WOW64 (file-system and registry redirection included).
if(PURVEX_WINEARCH STREQUAL win32)
  set(PURVEX_WOW64_PREFIX ${CMAKE_BINARY_DIR}/wineprefix64)
  set(PURVEX_WOW64_RUNNER ${CMAKE_BINARY_DIR}/wine-run-wow64.sh)
  purvex_wine_prefix(wow64 ${PURVEX_WOW64_PREFIX} win64 ${PURVEX_WOW64_RUNNER})
endif()

# purvex_add_wow64_test(<name> <target> [FILTER gtest-filter])
# Runs a test program of the 32-bit build once more in the 64-bit prefix,
# as 64-bit Windows runs it (only the build that has that prefix). The
# programs that run there share its registry: one at a time.
function(purvex_add_wow64_test name target)
  if(NOT PURVEX_WOW64_RUNNER)
    return()
  endif()
  cmake_parse_arguments(W "" "FILTER" "" ${ARGN})
  set(filter)
  if(W_FILTER)
    set(filter --gtest_filter=${W_FILTER})
  endif()
  add_test(NAME ${name} COMMAND ${PURVEX_WOW64_RUNNER} $<TARGET_FILE:${target}> ${filter})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wow64 TIMEOUT 300 RESOURCE_LOCK wow64_registry WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

# purvex_lock_tests(<lock>... [MATCHING <regex>])
# Adds the resource locks to every test defined so far in the calling folder
# whose name matches the regex (to all of them without one). Tests that change
# something the whole prefix shares (a registry key, a fixed folder, the one
# instance of a program) hold a lock for it, so no two of them run at once.
function(purvex_lock_tests)
  cmake_parse_arguments(L "" "MATCHING" "" ${ARGN})
  get_property(tests DIRECTORY PROPERTY TESTS)
  foreach(t IN LISTS tests)
    if(NOT DEFINED L_MATCHING OR t MATCHES "${L_MATCHING}")
      set_property(TEST ${t} APPEND PROPERTY RESOURCE_LOCK ${L_UNPARSED_ARGUMENTS})
    endif()
  endforeach()
endfunction()

# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The win32-thread compilers have no std::mutex: GoogleTest's port hook in
# cmake/gtest-custom supplies the one class that needs it.
target_include_directories(gtest BEFORE PUBLIC ${CMAKE_SOURCE_DIR}/cmake/gtest-custom)
include(GoogleTest)

# purvex_add_gtest(<name> SOURCES ... [LIBS ...] [TIMEOUT s] [GUI])
# One ctest entry per TEST()/TEST_F() found in the sources; every entry runs in
# the shared prefix. GUI tests need a display (scripts/test.sh starts Xvfb).
#
# The i686 build runs every test. The x86_64 build runs only the tests marked
# BOTH_BUILDS (label "both"), so the code stays right for both pointer sizes
# without running the window and process tests twice.
function(purvex_add_gtest name)
  cmake_parse_arguments(T "GUI;BOTH_BUILDS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE gtest gtest_main ${T_LIBS})
  gtest_add_tests(TARGET ${name} SOURCES ${T_SOURCES} TEST_LIST found)
  # A test that skips itself (GTEST_SKIP) is counted as skipped, never as passed.
  set_tests_properties(${found} PROPERTIES
    FIXTURES_REQUIRED wine
    TIMEOUT ${T_TIMEOUT}
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(T_GUI)
    set_tests_properties(${found} PROPERTIES RESOURCE_LOCK display)
  endif()
  if(T_BOTH_BUILDS)
    set_tests_properties(${found} PROPERTIES LABELS both)
  endif()
endfunction()
