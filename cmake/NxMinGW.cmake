# Cross-builds the product for Windows with Debian's MinGW-w64 compilers.
# -DNX_MINGW_TRIPLE=i686-w64-mingw32 (default) or x86_64-w64-mingw32;
# -DNX_WINDOWS_PREFIXES="<Qt prefix>;<other libraries' prefix>" names the builds made for the target.
set(NX_MINGW_TRIPLE "i686-w64-mingw32" CACHE STRING "MinGW-w64 target")
set(NX_WINDOWS_PREFIXES "" CACHE STRING "Install prefixes of the libraries built for the target")

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NX_MINGW_TRIPLE NX_WINDOWS_PREFIXES)

set(CMAKE_SYSTEM_NAME Windows)
if(NX_MINGW_TRIPLE MATCHES "^x86_64")
    set(CMAKE_SYSTEM_PROCESSOR AMD64)
else()
    set(CMAKE_SYSTEM_PROCESSOR x86)
endif()
set(CMAKE_C_COMPILER ${NX_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${NX_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${NX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NX_MINGW_TRIPLE} ${NX_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers for the target's libraries, never the build machine's.
set(nx_pkgconfig_dirs ${NX_WINDOWS_PREFIXES})
list(TRANSFORM nx_pkgconfig_dirs APPEND /lib/pkgconfig)
string(REPLACE ";" ":" nx_pkgconfig_dirs "${nx_pkgconfig_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${nx_pkgconfig_dirs}")
set(ENV{PKG_CONFIG_PATH} "")

# A library a target calls but does not link fails the build, not the start on a panel.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--no-undefined")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--no-undefined")
