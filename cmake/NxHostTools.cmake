# Build-time tools of a cross build, taken from a native build of the project
# (scripts/build-windows makes them): -DNX_HOST_TOOLS_DIR=<native build>/tools.
set(NX_HOST_TOOLS_DIR "" CACHE PATH "tools/ of a native build of the project")
foreach(tool NxTsFill NxArtworkRender)
    if(NOT EXISTS "${NX_HOST_TOOLS_DIR}/${tool}")
        message(FATAL_ERROR "${tool} not found in NX_HOST_TOOLS_DIR (${NX_HOST_TOOLS_DIR}): "
                            "build it natively first (cmake --build build --target ${tool})")
    endif()
    add_executable(${tool} IMPORTED GLOBAL)
    set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION "${NX_HOST_TOOLS_DIR}/${tool}")
endforeach()
find_program(NX_FFMPEG ffmpeg REQUIRED)
