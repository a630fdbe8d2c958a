# 64-bit Windows build: VantrelShell.dll and its tests under Wine.
set(VANTREL_SHELL_LIBS shlwapi shell32 ole32 oleaut32 uuid gdi32 user32 advapi32)

# Everything but the module entry and exports, so that tests can link the logic directly.
file(GLOB SHELL_SOURCES CONFIGURE_DEPENDS shellext/*.cpp)
list(FILTER SHELL_SOURCES EXCLUDE REGEX "/dll_exports\\.cpp$")
add_library(vantrel_shell_core STATIC ${SHELL_SOURCES})
target_include_directories(vantrel_shell_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vantrel_shell_core PUBLIC ${VANTREL_SHELL_LIBS})
vantrel_warnings(vantrel_shell_core)

add_library(VantrelShell SHARED shellext/dll_exports.cpp shellext/VantrelShell.def
                                ${PROJECT_SOURCE_DIR}/resources/vantrel_shell.rc)
set_target_properties(VantrelShell PROPERTIES PREFIX "" OUTPUT_NAME VantrelShell)
target_link_libraries(VantrelShell PRIVATE vantrel_shell_core)
vantrel_warnings(VantrelShell)

file(GLOB SHELL_TEST_SOURCES CONFIGURE_DEPENDS tests/shell/*.cpp)
add_executable(shell_tests ${SHELL_TEST_SOURCES})
target_link_libraries(shell_tests PRIVATE vantrel_shell_core GTest::gmock GTest::gtest_main)
add_dependencies(shell_tests VantrelShell)
vantrel_warnings(shell_tests)
add_test(NAME shell_tests COMMAND shell_tests)
