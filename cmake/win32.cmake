# 32-bit Windows build: Vantrel.exe and its tests.
include(${CMAKE_CURRENT_LIST_DIR}/main_program.cmake)
