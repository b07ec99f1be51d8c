# GoogleTest: the installed package for the native build, Debian's sources
# (package googletest) compiled with the cross compiler for the Windows build.
if(CMAKE_CROSSCOMPILING OR WIN32)
  set(ROLECUE_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ROLECUE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# rolecue_add_test(NAME SOURCES src... [LIBS lib...] [TIMEOUT s] [OWN_MANIFEST])
# One executable per area. Natively every TEST becomes its own ctest test;
# in the Windows build the executable is one ctest test, run under Wine
# through CMAKE_CROSSCOMPILING_EMULATOR (one Wine start per suite). Windows
# suites run in the program's UTF-8 code page: they get a manifest that asks
# for it, unless they carry the program's resources (OWN_MANIFEST).
function(rolecue_add_test name)
  cmake_parse_arguments(T "OWN_MANIFEST" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  if(WIN32)
    # Every Windows suite ends with a report of its windows when one test
    # hangs (tests/support/Watchdog.cpp).
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/Watchdog.cpp)
    if(NOT T_OWN_MANIFEST)
      target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/Utf8CodePage.rc)
    endif()
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gtest)
  target_compile_definitions(${name} PRIVATE
    ROLECUE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_unmanaged)
    set_property(GLOBAL APPEND PROPERTY ROLECUE_WINE_SUITES ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()

# rolecue_wine_setup(): one setup test for every Windows suite added so far.
# Xvfb has no window manager, yet Wine waits up to two seconds for one each
# time a managed window (a dialog, a message box) is hidden. The suites'
# windows are made unmanaged, for those executables only (Wine's per-program
# settings), before any of them runs.
function(rolecue_wine_setup)
  if(NOT CMAKE_CROSSCOMPILING OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  get_property(suites GLOBAL PROPERTY ROLECUE_WINE_SUITES)
  set(reg "REGEDIT4\r\n")
  foreach(s ${suites})
    string(APPEND reg "\r\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\${s}.exe\\X11 Driver]\r\n\"Managed\"=\"N\"\r\n")
  endforeach()
  string(REPLACE "\\r\\n" "\r\n" reg "${reg}")
  file(WRITE ${CMAKE_BINARY_DIR}/unmanaged-suites.reg "${reg}")
  # Wine sees the Linux file system as drive Z:.
  string(REPLACE "/" "\\" winpath "Z:${CMAKE_BINARY_DIR}/unmanaged-suites.reg")
  add_test(NAME wine_unmanaged_suites
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg import ${winpath})
  set_tests_properties(wine_unmanaged_suites PROPERTIES FIXTURES_SETUP wine_unmanaged)
endfunction()
