# Cross build for Windows x86-64 with MinGW-w64 (Debian g++-mingw-w64-x86-64-posix).
#
# The posix thread variant is the one that has std::thread and std::mutex,
# which GoogleTest needs. Everything links the GCC runtime statically, so the
# module and the test programs import system DLLs only. Test programs run
# under Wine (cmake/toolchains/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BREVIO_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${BREVIO_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${BREVIO_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${BREVIO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BREVIO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC 12 reports false -Wrestrict overlaps inside libstdc++'s string code when
# optimising (GCC bug 105651).
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")

# Libraries the project takes from the build machine, in their target form:
# nlohmann/json is header-only and used as it is; GoogleTest is built from
# Debian's source package (tests/CMakeLists.txt).
set(nlohmann_json_DIR "${CMAKE_CURRENT_LIST_DIR}/nlohmann_json" CACHE PATH "")
set(BREVIO_GOOGLETEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH
  "GoogleTest sources, built for the target")
