# Cross-builds the Windows program with Debian's MinGW-w64. The -posix
# compilers: the win32 thread model has no std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BREVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${BREVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BREVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${BREVANE_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW tree (and the image libraries built
# for it); programs, such as JUCE's juceaide, from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${BREVANE_MINGW_TRIPLET} ${BREVANE_WINDOWS_LIBS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# JUCE's CMake package is the host's: its modules are sources, built here for
# Windows. A cross build never searches the host's multiarch folder itself.
if(NOT JUCE_DIR)
    file(GLOB BREVANE_HOST_JUCE_DIRS /usr/lib/*/cmake/JUCE-7.0.5)
    list(GET BREVANE_HOST_JUCE_DIRS 0 BREVANE_HOST_JUCE_DIR)
    set(JUCE_DIR ${BREVANE_HOST_JUCE_DIR} CACHE PATH "JUCE's CMake package")
endif()

# One self-contained .exe: no MinGW runtime DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
