# The test programs of the folders that build for Windows, GoogleTest built
# from its sources for the target, and the demo. ctest runs each program under
# Wine (tests/windows/qoWineRun.sh) in a prefix of its own below the build
# folder, on Wine's display-less driver.
set(QO_WINDOWS_TESTS platform/core platform/graphics platform/window platform/widgets platform/backends data scale grid
    gantt windows)
set(QO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian package googletest)")

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${QO_GTEST_SOURCE} googletest EXCLUDE_FROM_ALL SYSTEM)

set(QO_TEST_OUTPUT_DIR ${CMAKE_BINARY_DIR}/test-output)
file(MAKE_DIRECTORY ${QO_TEST_OUTPUT_DIR})
set(tests ${QO_ROOT}/tests)

file(GLOB support_sources CONFIGURE_DEPENDS ${tests}/support/*.cpp ${tests}/support/golden/*.cpp
     ${tests}/support/widgets/*.cpp)
add_library(qo_windows_test_support STATIC ${support_sources} ${QO_ROOT}/tools/qo-scene/qoSceneRender.cpp)
target_include_directories(qo_windows_test_support PUBLIC ${tests} ${tests}/support/golden ${tests}/support/widgets
                           ${QO_ROOT}/tools/qo-scene)
target_link_libraries(qo_windows_test_support PUBLIC qo_windows_library gtest gmock)
target_compile_definitions(qo_windows_test_support PUBLIC
  QO_GOLDEN_DIR="${tests}/golden" QO_TEST_DATA_DIR="${tests}/data" QO_TEST_OUTPUT_DIR="${QO_TEST_OUTPUT_DIR}"
  QO_SCENE_DIR="${tests}/platform/graphics/scenes" QO_ICON_DIR="${tests}/platform/graphics/icons")

# Every program is one file with no DLLs of its own, so Wine needs nothing installed.
set(CMAKE_CROSSCOMPILING_EMULATOR ${tests}/windows/qoWineRun.sh ${CMAKE_BINARY_DIR}/wine-prefix)
enable_testing()
add_test(NAME qo_wine_prefix COMMAND ${tests}/windows/qoWinePrefix.sh ${CMAKE_BINARY_DIR}/wine-prefix)
set_tests_properties(qo_wine_prefix PROPERTIES FIXTURES_SETUP wine SKIP_RETURN_CODE 77)
foreach(rel ${QO_WINDOWS_TESTS})
  string(REPLACE "/" "_" name "qo_test_${rel}")
  file(GLOB dir_sources CONFIGURE_DEPENDS ${tests}/${rel}/*_test.cpp)
  # The type library resource: automation dispatches through it.
  add_executable(${name} ${dir_sources} ${rc})
  target_link_libraries(${name} PRIVATE qo_windows_test_support gtest_main)
  # -Wrestrict: GCC 12 at -O3 warns falsely inside std::string's inlined copies.
  target_compile_options(${name} PRIVATE -Wall -Wextra -Wno-restrict $<$<BOOL:${QO_WERROR}>:-Werror>)
  target_link_options(${name} PRIVATE ${static_runtime})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QO_HEADLESS=1" TIMEOUT 600 FIXTURES_REQUIRED wine
                       SKIP_RETURN_CODE 77)
endforeach()

# The module that the Windows tests load, unload and load again: its own copy
# of the deferred-call queue and of the Win32 backend.
add_library(qo_test_module SHARED ${tests}/data/qoDoLaterLibrary.cpp ${tests}/windows/qoWin32ModuleWindow.cpp)
set_target_properties(qo_test_module PROPERTIES PREFIX "")
target_link_libraries(qo_test_module PRIVATE qo_windows_library)
target_compile_options(qo_test_module PRIVATE -Wall -Wextra $<$<BOOL:${QO_WERROR}>:-Werror>)
target_link_options(qo_test_module PRIVATE ${static_runtime})
add_dependencies(qo_test_windows qo_test_module)

file(GLOB demo_sources CONFIGURE_DEPENDS ${QO_ROOT}/examples/*.cpp)
add_executable(qo-demo ${demo_sources})
target_link_libraries(qo-demo PRIVATE qo_windows_library)
target_compile_options(qo-demo PRIVATE -Wall -Wextra $<$<BOOL:${QO_WERROR}>:-Werror>)
target_link_options(qo-demo PRIVATE ${static_runtime})

# The benchmark of the window system's costs, run by hand under Wine beside its
# Linux run (tests/windows/qoWineRun.sh <prefix> bin/qo-bench-backend.exe). Google
# Benchmark is not packaged for mingw-w64: a stand-in with its interface runs it.
add_executable(qo-bench-backend ${QO_ROOT}/bench/qoBackend_bench.cpp
               ${QO_ROOT}/bench/support/windows/qoBenchRunWindows.cpp)
target_include_directories(qo-bench-backend PRIVATE ${QO_ROOT}/bench/support/windows)
target_link_libraries(qo-bench-backend PRIVATE qo_windows_library)
target_compile_options(qo-bench-backend PRIVATE -Wall -Wextra $<$<BOOL:${QO_WERROR}>:-Werror>)
target_link_options(qo-bench-backend PRIVATE ${static_runtime})
