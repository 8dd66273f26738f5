# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers (package
# g++-mingw-w64-x86-64-posix). The posix threads variant, because the C++ library's std::thread and
# std::async need it. The programs run here under Wine, when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVELIN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVELIN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVELIN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVELIN_MINGW_TRIPLET}-windres)

# Headers and libraries of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVELIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained programs: no libstdc++, libgcc or winpthread DLL has to travel with them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Lets CTest run the test programs (add_test with a target) through Wine.
find_program(ORVELIN_WINE wine)
if(ORVELIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVELIN_WINE})
endif()
