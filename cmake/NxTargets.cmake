# Shared helpers for the project's targets.

# Our own code builds without warnings: a warning fails the build. Outside
# headers come in as system headers, so only our code is judged. A newer
# compiler's new warnings can be let through with -DNX_WARNINGS_AS_ERRORS=OFF.
option(NX_WARNINGS_AS_ERRORS "Fail the build on a warning in the project's own code" ON)
function(nx_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(NX_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A shared library of the product with its export macro switched to "export".
function(nx_shared_library target export_define)
    add_library(${target} SHARED ${ARGN})
    target_compile_definitions(${target} PRIVATE ${export_define})
    target_include_directories(${target} PUBLIC
        "${CMAKE_CURRENT_SOURCE_DIR}"
        "${PROJECT_SOURCE_DIR}/interfaces")
    nx_warnings(${target})
endfunction()

# Registers a target's Windows-only sources (absolute paths) for the cross-compile and import checks.
function(nx_windows_sources target)
    set_property(GLOBAL APPEND PROPERTY NX_WINDOWS_TARGETS ${target})
    set_property(GLOBAL APPEND PROPERTY NX_WINDOWS_SOURCES_${target} ${ARGN})
endfunction()

# The Windows system libraries a target links. Recorded on every system, so that the import check
# on Linux reads the very list the Windows build links.
function(nx_windows_libraries target)
    set_property(GLOBAL APPEND PROPERTY NX_WINDOWS_LIBRARIES_${target} ${ARGN})
    if(WIN32)
        target_link_libraries(${target} PRIVATE ${ARGN})
    endif()
endfunction()
