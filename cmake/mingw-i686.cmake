# Cross build for 32-bit Windows with mingw-w64 (posix threads, static
# runtime): the program we ship.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
set(mulvara_wine_loader /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
