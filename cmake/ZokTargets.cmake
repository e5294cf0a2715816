# Helpers that every test, fuzz and benchmark folder uses, so each folder's CMakeLists stays short.
include(GoogleTest)

# A cross build has no GoogleTest for its target: it builds one from the sources (Debian's
# package "googletest" puts them in /usr/src/googletest), without our warning flags.
set(ZOK_GTEST_SOURCE_DIR "" CACHE PATH "Build GoogleTest from these sources instead of finding it")
if(CMAKE_CROSSCOMPILING AND NOT ZOK_GTEST_SOURCE_DIR)
  set(ZOK_GTEST_SOURCE_DIR /usr/src/googletest)
endif()
if(NOT ZOK_BUILD_TESTS AND NOT ZOK_FUZZ)
  # A program-only build (e.g. on Windows with Qt) needs no GoogleTest.
elseif(ZOK_GTEST_SOURCE_DIR)
  get_directory_property(zok_options COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ZOK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${zok_options}")
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

add_custom_target(zok_fuzzers)

# The fuzz preset builds only the zok_fuzzers target, so test targets cost it nothing.

# zok_add_gtest(name SOURCES a.cpp ... LIBS lib ... [LABELS l ...])
function(zok_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ZOK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  # gtest_discover_tests flattens a list given as a property value, so discovered tests carry one
  # label: the one asked for (e.g. "tsan"), else "unit".
  set(label unit)
  if(ARG_LABELS)
    list(GET ARG_LABELS 0 label)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # One test per program: each start of the emulator (Wine) costs far more than a test case.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${label}")
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${label}")
  endif()
endfunction()

# zok_add_qtest(name SOURCES a.cpp ... LIBS lib ... [LABELS l ...]): one QtTest executable, one CTest test.
function(zok_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE ZOK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "ui;${ARG_LABELS}")
endfunction()

# zok_add_fuzzer(name SOURCES a.cpp ... LIBS lib ...): the source defines LLVMFuzzerTestOneInput.
# With ZOK_FUZZ it is a libFuzzer binary (run by scripts/fuzz.sh); otherwise it is linked with a
# small driver that feeds it a fixed set of seeded random inputs, and runs as an ordinary test.
function(zok_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  if(ZOK_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(zok_fuzzers ${name})
    set_property(GLOBAL APPEND PROPERTY ZOK_FUZZER_LIST ${name})
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/FuzzDriver.cpp)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "fuzz")
  endif()
endfunction()

# zok_add_bench(name SOURCES a.cpp ... LIBS lib ...): a Google Benchmark or plain measuring program.
function(zok_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_property(GLOBAL APPEND PROPERTY ZOK_BENCH_LIST ${name})
endfunction()
