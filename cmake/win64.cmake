# 64-bit Windows build: VantrelShell.dll and its tests under Wine, and the 64-bit twin of
# Vantrel.exe with its tests.
include(${CMAKE_CURRENT_LIST_DIR}/main_program.cmake)

set(VANTREL_SHELL_LIBS shlwapi shell32 ole32 oleaut32 uuid gdi32 user32 advapi32)

# Everything but the module entry and exports, so that tests can link the logic directly.
file(GLOB SHELL_SOURCES CONFIGURE_DEPENDS shellext/*.cpp)
list(FILTER SHELL_SOURCES EXCLUDE REGEX "/dll_exports\\.cpp$")
add_library(vantrel_shell_core STATIC ${SHELL_SOURCES})
target_include_directories(vantrel_shell_core PUBLIC ${PROJECT_SOURCE_DIR})
# The stored presets are read by the program's own rule (config/), never through ui/.
target_link_libraries(vantrel_shell_core PUBLIC vantrel_platform ${VANTREL_SHELL_LIBS})
vantrel_warnings(vantrel_shell_core)

# The type library, compiled from its IDL and embedded as resource TYPELIB 1.
set(SHELL_GENERATED_DIR ${CMAKE_BINARY_DIR}/shell-generated)
set(SHELL_TLB ${SHELL_GENERATED_DIR}/VantrelShell.tlb)
find_program(VANTREL_WIDL NAMES x86_64-w64-mingw32-widl widl REQUIRED)
add_custom_command(
    OUTPUT ${SHELL_TLB}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${SHELL_GENERATED_DIR}
    COMMAND ${VANTREL_WIDL} --win64 -I/usr/include/wine/wine/windows
            -L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows -t -o ${SHELL_TLB}
            ${PROJECT_SOURCE_DIR}/shellext/VantrelShell.idl
    DEPENDS ${PROJECT_SOURCE_DIR}/shellext/VantrelShell.idl
    COMMENT "Compiling the VantrelShell type library"
    VERBATIM)
set(SHELL_RC ${PROJECT_SOURCE_DIR}/resources/vantrel_shell.rc)
set_source_files_properties(${SHELL_RC} PROPERTIES OBJECT_DEPENDS
    "${SHELL_TLB};${PROJECT_SOURCE_DIR}/resources/shell/menu_bitmap.bmp;${PROJECT_SOURCE_DIR}/resources/shell/shell_resource.h")

add_library(VantrelShell SHARED shellext/dll_exports.cpp shellext/VantrelShell.def ${SHELL_RC})
set_target_properties(VantrelShell PROPERTIES PREFIX "" OUTPUT_NAME VantrelShell)
target_include_directories(VantrelShell PRIVATE ${SHELL_GENERATED_DIR}
                                                ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(VantrelShell PRIVATE vantrel_shell_core)
vantrel_warnings(VantrelShell)

# A stand-in for the main program: records the command line it was started with, so the
# tests can see what the extension launches. Kept in its own folder as "Vantrel.exe".
add_executable(shell_test_main_program tests/shell/helpers/record_command_line.cpp)
set_target_properties(shell_test_main_program PROPERTIES OUTPUT_NAME Vantrel
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/fake-main-program)
if(MINGW)
    target_link_options(shell_test_main_program PRIVATE -municode -mwindows)
endif()
vantrel_warnings(shell_test_main_program)

file(GLOB SHELL_TEST_SOURCES CONFIGURE_DEPENDS tests/shell/*.cpp)
add_executable(shell_tests ${SHELL_TEST_SOURCES})
target_link_libraries(shell_tests PRIVATE vantrel_shell_core version GTest::gmock GTest::gtest_main)
add_dependencies(shell_tests VantrelShell shell_test_main_program)
vantrel_warnings(shell_tests)
add_test(NAME shell_tests COMMAND shell_tests)

# Plays Explorer against the installed extension in the end-to-end tests; not a CTest test.
add_executable(explorer_driver tests/e2e/explorer_driver.cpp)
target_link_libraries(explorer_driver PRIVATE ole32 shell32 user32 advapi32 uuid)
if(MINGW)
    target_link_options(explorer_driver PRIVATE -municode)
endif()
vantrel_warnings(explorer_driver)
