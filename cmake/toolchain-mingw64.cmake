# Cross build for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64), together
# with -DZOK_WITH_QT=OFF: Debian ships no Qt for MinGW. The "posix" compiler variant is the one
# whose standard library has std::thread. Programs are linked statically so that Wine (or a
# Windows PC) runs them without the compiler's DLLs; ctest runs them through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZOK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZOK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZOK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZOK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZOK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian installs the 64-bit loader as wine64 outside PATH; "wine" where a wine package put one.
find_program(ZOK_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ZOK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZOK_WINE})
endif()
