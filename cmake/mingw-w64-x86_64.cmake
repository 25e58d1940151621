# Cross-compiles for 64-bit Windows with MinGW-w64 on Linux. The -posix compilers are the ones
# whose C++ library has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLFERN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLFERN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLFERN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLFERN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLFERN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable is linked statically: it then imports only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
