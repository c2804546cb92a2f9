# Compiles sources with the MinGW cross compiler, syntax only, against the Qt
# headers, so the Windows build of the product never rots.
# Inputs: COMPILER, SOURCES, INCLUDES (;-separated lists passed with |).
string(REPLACE "|" ";" sources "${SOURCES}")
string(REPLACE "|" ";" includes "${INCLUDES}")
if(NOT COMPILER OR NOT EXISTS "${COMPILER}")
    message(FATAL_ERROR "i686-w64-mingw32-g++ not found (Debian package g++-mingw-w64-i686)")
endif()
set(flags -fsyntax-only -std=c++17 -Wall -Wextra -Wno-attributes -Werror -DUNICODE -D_UNICODE
    -DNX_PLATFORM_LIBRARY -DRELAYNET_LIBRARY -DTAVOPUBLICDATA_LIBRARY -DTAVOWEBCOMMAND_LIBRARY
    -DTAVOUIELEMENT_LIBRARY -DTAVOMCPRESENTERSCENARIOMAIN_LIBRARY -DTAVOMCPRESENTERCONTROLLERACTIONS_LIBRARY)
foreach(dir ${includes})
    list(APPEND flags "-I${dir}")
endforeach()
# Headers of libraries MinGW does not ship (libqrencode) come after its own.
list(APPEND flags -idirafter /usr/include)
set(failed 0)
foreach(source ${sources})
    execute_process(COMMAND "${COMPILER}" ${flags} "${source}"
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(rc EQUAL 0)
        message(STATUS "ok   ${source}")
    else()
        message("FAIL ${source}\n${out}${err}")
        math(EXPR failed "${failed} + 1")
    endif()
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
    message(FATAL_ERROR "no Windows sources found")
endif()
if(failed GREATER 0)
    message(FATAL_ERROR "${failed} of ${count} Windows sources do not compile")
endif()
