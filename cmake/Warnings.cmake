# Warnings are errors on the project's own targets (not on googletest).
function(vantrel_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
                                                 -Wno-missing-field-initializers)
    endif()
endfunction()

function(vantrel_portable_library)
    add_library(vantrel_portable STATIC ${VANTREL_PORTABLE_SOURCES})
    target_include_directories(vantrel_portable PUBLIC ${PROJECT_SOURCE_DIR})
    vantrel_warnings(vantrel_portable)
endfunction()
