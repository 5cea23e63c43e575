# Shared by both mingw toolchain files. The posix thread variant of the compiler is used so that
# GoogleTest and the C++ runtime have their threading support; -static puts winpthread into the binary.
set(CMAKE_C_COMPILER ${SYSCLEAN_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SYSCLEAN_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SYSCLEAN_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${SYSCLEAN_TRIPLET}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${SYSCLEAN_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
