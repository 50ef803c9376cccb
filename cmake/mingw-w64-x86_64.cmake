# Cross-builds for 64-bit Windows with Debian's mingw-w64 toolchain
# (g++-mingw-w64-x86-64-posix, libz-mingw-w64-dev):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DLUMORA_BUILD_BENCH=OFF -DLUMORA_BUILD_IMPORTER=OFF -DGTest_DIR=...
# where GTest_DIR names a GoogleTest built with this file too. The programs
# link the C++ runtime, winpthreads and zlib statically, so each .exe runs on
# its own, without DLLs beside it. scripts/test-windows.sh does all of this
# and runs the tests under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LUMORA_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix flavour: std::thread and std::mutex need its winpthreads.
set(CMAKE_C_COMPILER ${LUMORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMORA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libz.a rather than the import library libz.dll.a (CMake 3.24 and later).
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Lets ctest and gtest_discover_tests run the test programs; found only when
# wine64 is installed (Debian keeps the loader outside PATH).
find_program(LUMORA_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(LUMORA_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMORA_WINE64})
endif()
