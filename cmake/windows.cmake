# Windows build: the program, its Win32 tests and the end-to-end driver, all statically linked
# so they run with no MinGW DLLs beside them.
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 NOMINMAX)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The test, benchmark and screenshot programs need GoogleTest's sources where Debian puts them;
# building on Windows itself, turn this off to build the program alone.
option(LUMATAG_WINDOWS_TESTS "Build the Win32, end-to-end and installer tests and the tools" ON)

if(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Reproducible output (scripts/check-reproducible): the same tree built in any two folders
  # gives the same bytes. Without --no-insert-timestamp the linker stamps the build time into
  # the PE header; the prefix maps keep the checkout and build folders out of __FILE__ and debug
  # records should any reach the program (an assert kept in a Release build, a -g build).
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# The Win32 shell, shared by the program and the Win32 tests.
add_library(lumatag_shell STATIC
  src/toolkit/toolkit_win.cpp
  src/toolkit/system_win.cpp
  src/toolkit/modal_win.cpp
  src/toolkit/images_win.cpp
  src/toolkit/fonts_win.cpp
  src/toolkit/link_control_win.cpp
  src/settings/os_version_win.cpp
  src/settings/settings_store_win.cpp
  src/settings/file_system_win.cpp
  src/label/identity_facts_win.cpp
  src/label/label_font_win.cpp
  src/label/label_window_win.cpp
  src/app/main_loop_win.cpp
  src/app/popup_menu_win.cpp
  src/dialogs/config_window_win.cpp
  src/dialogs/choosers_win.cpp
  src/dialogs/about_window_win.cpp
)
# comdlg32 and shell32 are not linked: the choosers and the web link load them when first used
# (toolkit::SystemFunction), which keeps them out of start-up.
target_link_libraries(lumatag_shell PUBLIC lumatag_core
  comctl32 gdi32 user32 kernel32 advapi32 ole32 wsock32 winmm)
lumatag_warnings(lumatag_shell)

# The program's resources (icon, manifest, version), compiled by windres. windres takes none of
# the C++ compilers' options (warnings, prefix maps), so its command line carries only the
# definitions and include folders; the icon and manifest are found through the resources folder.
enable_language(RC)
if(NOT MSVC)
  set(CMAKE_RC_COMPILE_OBJECT "<CMAKE_RC_COMPILER> -O coff <DEFINES> <INCLUDES> <SOURCE> <OBJECT>")
endif()
set_source_files_properties(resources/lumatag.rc PROPERTIES
  INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/resources
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/lumatag.ico;${CMAKE_SOURCE_DIR}/resources/lumatag.manifest")

add_executable(Lumatag WIN32 src/app/main_win.cpp resources/lumatag.rc)
target_link_libraries(Lumatag PRIVATE lumatag_shell)
lumatag_warnings(Lumatag)
# The shipped program carries no symbol table: nothing reads it, and without it the file is
# less than half the size.
if(NOT MSVC)
  target_link_options(Lumatag PRIVATE $<$<CONFIG:Release>:-s>)
endif()

if(NOT LUMATAG_WINDOWS_TESTS)
  return()
endif()

# GoogleTest from Debian's source package, built here for the cross toolchain.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB LUMATAG_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${LUMATAG_WIN32_TESTS})
target_link_libraries(win32_tests PRIVATE lumatag_shell gtest gtest_main version)
lumatag_warnings(win32_tests)
# The resource tests read the program's icon, manifest and version from Lumatag.exe beside them.
add_dependencies(win32_tests Lumatag)

file(GLOB LUMATAG_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(e2e_tests ${LUMATAG_E2E_TESTS})
target_include_directories(e2e_tests PRIVATE src)
target_link_libraries(e2e_tests PRIVATE lumatag_core gtest gtest_main user32 gdi32 advapi32)
lumatag_warnings(e2e_tests)
add_dependencies(e2e_tests Lumatag)

# The end-to-end driver's work-area hook: a DLL the driver loads into the program's thread with
# SetWindowsHookExA, because Wine keeps the work area per process. Written beside the test exe
# as workarea_hook.dll, with its hook procedure exported undecorated.
add_library(workarea_hook SHARED tests/e2e/hook/workarea_hook.cpp)
set_target_properties(workarea_hook PROPERTIES PREFIX "")
target_link_libraries(workarea_hook PRIVATE user32)
target_link_options(workarea_hook PRIVATE -Wl,--kill-at)
lumatag_warnings(workarea_hook)
add_dependencies(e2e_tests workarea_hook)

# The installer test (scripts/test-installer runs it in a fresh Wine prefix): the end-to-end
# driver compiled in, to start the installed program and read its label.
add_executable(installer_tests tests/installer/installer_test.cpp tests/e2e/driver.cpp)
target_include_directories(installer_tests PRIVATE src tests/e2e)
target_compile_definitions(installer_tests PRIVATE LUMATAG_VERSION="${PROJECT_VERSION}")
target_link_libraries(installer_tests PRIVATE gtest gtest_main
  user32 gdi32 advapi32 shell32 ole32 uuid version)
lumatag_warnings(installer_tests)

# Sets the scenes for `make screenshots` (scripts/screenshots) with the same driver.
add_executable(screenshot_driver tools/screenshot_driver.cpp tests/e2e/driver.cpp)
target_include_directories(screenshot_driver PRIVATE src tests/e2e)
target_link_libraries(screenshot_driver PRIVATE user32 gdi32 advapi32)
lumatag_warnings(screenshot_driver)
add_dependencies(screenshot_driver Lumatag)

# `make bench` (scripts/bench): a minimal Win32 program to hold Lumatag's figures against, a
# driver that starts and measures both (the end-to-end driver compiled in), and a probe that
# times the program's own start-up and rebuild steps in-process (its manifest included, so
# Wine loads the same common controls).
add_executable(bench_reference WIN32 bench/reference.cpp)
target_link_libraries(bench_reference PRIVATE user32 gdi32 winmm)
target_link_options(bench_reference PRIVATE $<$<CONFIG:Release>:-s>)
lumatag_warnings(bench_reference)

add_executable(bench_driver bench/bench_driver.cpp tests/e2e/driver.cpp)
target_include_directories(bench_driver PRIVATE src tests/e2e)
target_link_libraries(bench_driver PRIVATE user32 gdi32 advapi32 psapi)
lumatag_warnings(bench_driver)
add_dependencies(bench_driver Lumatag bench_reference workarea_hook)

add_executable(bench_probe bench/probe.cpp resources/lumatag.rc)
target_link_libraries(bench_probe PRIVATE lumatag_shell)
lumatag_warnings(bench_probe)
