# Toolchain of the Windows build: MinGW-w64 with POSIX threads, so that
# std::thread and std::mutex exist; Wine runs what it builds.  The program
# ships as i686; PELMORA_WIN_ARCH=x86_64 makes the same tree for machines
# whose kernel cannot run 32-bit code, where Wine only runs 64-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT PELMORA_WIN_ARCH)
  set(PELMORA_WIN_ARCH i686)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${PELMORA_WIN_ARCH})
set(triple ${PELMORA_WIN_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
