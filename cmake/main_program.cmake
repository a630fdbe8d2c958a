# Vantrel.exe, the portable tests under Wine and the Windows tests. The 32-bit tree builds
# the deliverable; the 64-bit tree builds the same sources as its 64-bit twin, so that the
# main program's tests also run where no 32-bit code can.
vantrel_portable_library()

set(VANTREL_WIN32_LIBS comctl32 shlwapi shell32 ole32 oleaut32 uuid gdi32 user32 advapi32
                       comdlg32 msimg32)

# The Windows layer: backends of the ports (file system, registry) and thin wrappers.
file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS win32/*.cpp)
if(PLATFORM_SOURCES)
    add_library(vantrel_platform STATIC ${PLATFORM_SOURCES})
    target_link_libraries(vantrel_platform PUBLIC vantrel_portable ${VANTREL_WIN32_LIBS})
    vantrel_warnings(vantrel_platform)
else()
    add_library(vantrel_platform INTERFACE)
    target_link_libraries(vantrel_platform INTERFACE vantrel_portable ${VANTREL_WIN32_LIBS})
endif()

# Windows and dialogs (ui/model is portable and built with the portable code);
# app_main.cpp holds only the entry point.
file(GLOB UI_SOURCES CONFIGURE_DEPENDS ui/controls/*.cpp ui/main/*.cpp ui/dialogs/*.cpp
     ui/app/*.cpp)
list(FILTER UI_SOURCES EXCLUDE REGEX "/app_main\\.cpp$")
if(UI_SOURCES)
    add_library(vantrel_ui STATIC ${UI_SOURCES})
    target_link_libraries(vantrel_ui PUBLIC vantrel_platform)
    vantrel_warnings(vantrel_ui)
    set(VANTREL_UI_LIB vantrel_ui)
else()
    set(VANTREL_UI_LIB vantrel_platform)
endif()

set(VANTREL_RC ${PROJECT_SOURCE_DIR}/resources/vantrel.rc)

add_executable(Vantrel WIN32 ui/app/app_main.cpp ${VANTREL_RC})
target_link_libraries(Vantrel PRIVATE ${VANTREL_UI_LIB})
if(MINGW)
    target_link_options(Vantrel PRIVATE -municode)
endif()
vantrel_warnings(Vantrel)

# The portable tests again, as Windows code under Wine.
file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS tests/host/*.cpp)
add_executable(portable_tests ${HOST_TEST_SOURCES} tests/win/support/test_main.cpp)
target_link_libraries(portable_tests PRIVATE vantrel_portable GTest::gmock GTest::gtest)
vantrel_warnings(portable_tests)
add_test(NAME portable_tests COMMAND portable_tests)

# Tests of the Win32 code: real files, the real registry, dialogs driven by messages.
# The resources are linked in so that dialogs load from the test program itself.
file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*.cpp)
add_executable(win_tests ${WIN_TEST_SOURCES} tests/win/support/test_main.cpp ${VANTREL_RC})
target_link_libraries(win_tests PRIVATE ${VANTREL_UI_LIB} GTest::gmock GTest::gtest)
vantrel_warnings(win_tests)
add_test(NAME win_tests COMMAND win_tests)

# Scan through the real main window against the engine alone (bench/win/window_scan.sh);
# built with the program, never run by ctest.
add_executable(window_scan_bench bench/win/window_scan.cpp ${VANTREL_RC})
target_link_libraries(window_scan_bench PRIVATE ${VANTREL_UI_LIB})
if(MINGW)
    target_link_options(window_scan_bench PRIVATE -municode)
endif()
vantrel_warnings(window_scan_bench)

# Plays another program (a file held open) or the user (a question answered No) in the
# end-to-end scripts; not a CTest test.
add_executable(e2e_helper tests/e2e/e2e_helper.cpp)
if(MINGW)
    target_link_options(e2e_helper PRIVATE -municode)
endif()
vantrel_warnings(e2e_helper)
