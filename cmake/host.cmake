# Host build: the pure core under AddressSanitizer and UndefinedBehaviorSanitizer, with its
# unit tests.
set(LUMATAG_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(lumatag_core PRIVATE ${LUMATAG_SANITIZE})
target_link_options(lumatag_core PUBLIC ${LUMATAG_SANITIZE})

find_package(GTest REQUIRED)
enable_testing()
include(GoogleTest)

file(GLOB LUMATAG_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${LUMATAG_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE lumatag_core GTest::gtest GTest::gtest_main)
target_compile_options(unit_tests PRIVATE ${LUMATAG_SANITIZE})
lumatag_warnings(unit_tests)
gtest_discover_tests(unit_tests)
