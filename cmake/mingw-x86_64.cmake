# Cross build for 64-bit Windows with mingw-w64 (posix threads, static
# runtime): keeps the Windows code tested on machines that cannot execute
# 32-bit programs, and keeps it pointer-size clean.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(mulvara_wine_loader /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
