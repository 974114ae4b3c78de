# Host build: the pure core under AddressSanitizer and UndefinedBehaviorSanitizer, with its
# unit tests; or, with LUMATAG_FUZZ (clang), the same core instrumented for libFuzzer.
option(LUMATAG_FUZZ "Build the libFuzzer targets instead of the unit tests (needs clang)" OFF)

set(LUMATAG_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
if(LUMATAG_FUZZ)
  list(APPEND LUMATAG_SANITIZE -fsanitize=fuzzer-no-link)
endif()
target_compile_options(lumatag_core PRIVATE ${LUMATAG_SANITIZE})
target_link_options(lumatag_core PUBLIC ${LUMATAG_SANITIZE})

if(LUMATAG_FUZZ)
  add_executable(settings_fuzz fuzz/settings_fuzz.cpp)
  target_compile_options(settings_fuzz PRIVATE ${LUMATAG_SANITIZE} -fsanitize=fuzzer)
  target_link_options(settings_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_libraries(settings_fuzz PRIVATE lumatag_core)
  lumatag_warnings(settings_fuzz)
  return()
endif()

find_package(GTest REQUIRED)
enable_testing()
include(GoogleTest)

file(GLOB LUMATAG_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${LUMATAG_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE lumatag_core GTest::gtest GTest::gtest_main)
target_compile_options(unit_tests PRIVATE ${LUMATAG_SANITIZE})
# Tests that compare what the program holds with the committed files read them from here.
target_compile_definitions(unit_tests PRIVATE LUMATAG_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources")
lumatag_warnings(unit_tests)
gtest_discover_tests(unit_tests)
