# Cross-building the Windows programs on Debian with MinGW-w64 (64-bit).
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=platform/win32/mingw-w64.cmake
# The posix thread flavour of the compiler is taken when the system has it:
# it is the one whose C++ library offers std::thread and friends.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_mingw x86_64-w64-mingw32)

find_program(_mingw_cxx NAMES ${_mingw}-g++-posix ${_mingw}-g++ REQUIRED)
find_program(_mingw_cc NAMES ${_mingw}-gcc-posix ${_mingw}-gcc REQUIRED)
set(CMAKE_C_COMPILER ${_mingw_cc})
set(CMAKE_CXX_COMPILER ${_mingw_cxx})
set(CMAKE_RC_COMPILER ${_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: the programs need no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The build's tools and the test programs run under Wine, each through a
# script that keeps one server running for the prefix (see there why).
find_program(_wine NAMES wine wine64)
if(_wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_LIST_DIR}/../../tools/windows/run_under_wine.sh ${_wine})
endif()
