# Cross build of the macOS arm64 module on Linux, to build and inspect it
# where no Mac is at hand: clang 14 for arm64-apple-macos, ld64.lld, and a
# sysroot of macOS headers and text stubs made by tools/macos/make-sysroot.sh.
# The module links libc++ and libSystem only; the libc++ stub is generated
# from the module's undefined symbols at link time (cmake/BrevioPlatform.cmake).
# On a Mac, use the `macos` preset with Apple's tools instead.
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_PROCESSOR arm64)
set(CMAKE_OSX_ARCHITECTURES arm64 CACHE STRING "")
set(CMAKE_OSX_DEPLOYMENT_TARGET 15.2 CACHE STRING "")

set(BREVIO_MACOS_SYSROOT "/tmp/brevio-macos-sysroot" CACHE PATH
  "macOS sysroot made by tools/macos/make-sysroot.sh")
# CMake reads this file again for each compiler check, in a project of its
# own: hand it the chosen sysroot, or the check falls back to the default.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BREVIO_MACOS_SYSROOT)
if(NOT EXISTS "${BREVIO_MACOS_SYSROOT}/usr/lib/libSystem.tbd")
  message(FATAL_ERROR "No macOS sysroot at ${BREVIO_MACOS_SYSROOT}: "
    "run tools/macos/make-sysroot.sh ${BREVIO_MACOS_SYSROOT}")
endif()
set(CMAKE_OSX_SYSROOT "${BREVIO_MACOS_SYSROOT}" CACHE PATH "")

set(_brevio_llvm_paths /usr/lib/llvm-14/bin)
find_program(CMAKE_C_COMPILER NAMES clang-14 clang PATHS ${_brevio_llvm_paths} REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES clang++-14 clang++ PATHS ${_brevio_llvm_paths} REQUIRED)
find_program(BREVIO_LD64_LLD NAMES ld64.lld PATHS ${_brevio_llvm_paths} NO_DEFAULT_PATH REQUIRED)
find_program(CMAKE_AR NAMES llvm-ar-14 llvm-ar PATHS ${_brevio_llvm_paths} REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-14 llvm-ranlib PATHS ${_brevio_llvm_paths} REQUIRED)
find_program(CMAKE_NM NAMES llvm-nm-14 llvm-nm PATHS ${_brevio_llvm_paths} REQUIRED)
find_program(CMAKE_STRIP NAMES llvm-strip-14 llvm-strip PATHS ${_brevio_llvm_paths})
find_program(CMAKE_INSTALL_NAME_TOOL NAMES llvm-install-name-tool-14 llvm-install-name-tool
  PATHS ${_brevio_llvm_paths})
unset(_brevio_llvm_paths)

set(CMAKE_C_COMPILER_TARGET arm64-apple-macos${CMAKE_OSX_DEPLOYMENT_TARGET})
set(CMAKE_CXX_COMPILER_TARGET arm64-apple-macos${CMAKE_OSX_DEPLOYMENT_TARGET})

# The sysroot's libc++ headers come without a __config_site: give its ABI.
set(CMAKE_CXX_FLAGS_INIT "-stdlib=libc++ -D_LIBCPP_ABI_VERSION=1 -D_LIBCPP_ABI_NAMESPACE=__1")
# clang finds ld64.lld beside itself and then speaks to it as to lld.
foreach(_kind EXE SHARED MODULE)
  set(CMAKE_${_kind}_LINKER_FLAGS_INIT "-fuse-ld=lld")
endforeach()
unset(_kind)

# Nothing here can be linked before the module's own libc++ stub exists, so
# the compiler checks stop at compiling.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH "${BREVIO_MACOS_SYSROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(BREVIO_MACOS_CROSS ON)
