# Toolchain for building the real macOS arm64 module with the SDK's own CMake
# on Linux (tools/check-sdk.sh --platform macos-arm64): Debian's clang 19 for
# arm64-apple-macos15.2, ld64.lld, and a sysroot of macOS headers and text
# stubs made by tools/macos/make-sysroot.sh. The SDK resets CMAKE_CXX_FLAGS
# after project(), so the flags that must reach every compile and link are
# set in tools/sdk/fixups.cmake instead.
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_PROCESSOR arm64)
set(CMAKE_OSX_ARCHITECTURES arm64 CACHE STRING "")
set(CMAKE_OSX_DEPLOYMENT_TARGET 15.2 CACHE STRING "")

set(BREVIO_MACOS_SYSROOT "" CACHE PATH "macOS sysroot made by tools/macos/make-sysroot.sh")
# The compiler checks read this file again in projects of their own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BREVIO_MACOS_SYSROOT)
if(NOT EXISTS "${BREVIO_MACOS_SYSROOT}/usr/lib/libSystem.tbd")
  message(FATAL_ERROR "No macOS sysroot at '${BREVIO_MACOS_SYSROOT}': "
    "run tools/macos/make-sysroot.sh DIR and pass -DBREVIO_MACOS_SYSROOT=DIR")
endif()
set(CMAKE_OSX_SYSROOT "${BREVIO_MACOS_SYSROOT}" CACHE PATH "")

set(_brevio_llvm /usr/lib/llvm-19/bin)
find_program(CMAKE_C_COMPILER NAMES clang-19 clang PATHS ${_brevio_llvm} NO_DEFAULT_PATH REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES clang++-19 clang++ PATHS ${_brevio_llvm} NO_DEFAULT_PATH REQUIRED)
# clang -fuse-ld=lld finds ld64.lld beside itself for a Darwin target.
find_program(BREVIO_LD64_LLD NAMES ld64.lld PATHS ${_brevio_llvm} NO_DEFAULT_PATH REQUIRED)
find_program(CMAKE_AR NAMES llvm-ar PATHS ${_brevio_llvm} NO_DEFAULT_PATH REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib PATHS ${_brevio_llvm} NO_DEFAULT_PATH REQUIRED)
find_program(CMAKE_NM NAMES llvm-nm PATHS ${_brevio_llvm} NO_DEFAULT_PATH REQUIRED)
find_program(CMAKE_STRIP NAMES llvm-strip PATHS ${_brevio_llvm} NO_DEFAULT_PATH)
find_program(CMAKE_INSTALL_NAME_TOOL NAMES llvm-install-name-tool PATHS ${_brevio_llvm} NO_DEFAULT_PATH)
unset(_brevio_llvm)

set(CMAKE_C_COMPILER_TARGET arm64-apple-macos${CMAKE_OSX_DEPLOYMENT_TARGET})
set(CMAKE_CXX_COMPILER_TARGET arm64-apple-macos${CMAKE_OSX_DEPLOYMENT_TARGET})

# Nothing links before the module's libc++ stub exists: the compiler checks
# only compile.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH "${BREVIO_MACOS_SYSROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
