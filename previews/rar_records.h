// The records "unrar.dll" fills, laid out as the library's published
// interface has them; only the fields named here are read.
#pragma once

#include <windows.h>

struct RarOpenRecord {
  char* archiveName;
  wchar_t* archiveNameW;
  unsigned int openMode;  // 0 lists
  unsigned int openResult;
  char* commentBuffer;
  unsigned int commentBufferSize;
  unsigned int commentSize;
  unsigned int commentState;
  unsigned int flags;
  void* callback;
  LPARAM userData;
  unsigned int operationFlags;
  wchar_t* commentBufferW;
  unsigned int reserved[25];
};

struct RarHeaderRecord {
  char archiveName[1024];
  wchar_t archiveNameW[1024];
  char fileName[1024];
  wchar_t fileNameW[1024];
  unsigned int flags;
  unsigned int packSize;
  unsigned int packSizeHigh;
  unsigned int unpackSize;
  unsigned int unpackSizeHigh;
  unsigned int hostOs;
  unsigned int fileCrc;
  unsigned int fileTime;  // DOS date in the high half, time in the low
  unsigned int unpackVersion;
  unsigned int method;
  unsigned int fileAttributes;
  char* commentBuffer;
  unsigned int commentBufferSize;
  unsigned int commentSize;
  unsigned int commentState;
  // Newer versions of the library fill more fields here; none is read.
  unsigned int reserved[1024];
};
