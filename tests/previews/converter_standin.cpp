// A text converter for the tests: it imports class "MSWord8" (a file whose
// text it wraps in RTF, or that starts with "UNKNOWN" and is refused with
// -14) and exports "MSWord6RTFExp" (the RTF written as it comes).
#include <windows.h>

#include <cstring>

namespace {

void PutList(HANDLE handle, const char* list, size_t size) {
  if (char* memory = static_cast<char*>(GlobalLock(handle))) {
    memcpy(memory, list, size);
    GlobalUnlock(handle);
  }
}

char* LockedText(HANDLE handle) { return static_cast<char*>(GlobalLock(handle)); }

}  // namespace

extern "C" {

__declspec(dllexport) LONG WINAPI InitConverter32(HANDLE, char*) { return 1; }
__declspec(dllexport) void WINAPI UninitConverter() {}
__declspec(dllexport) HGLOBAL WINAPI RegisterApp(ULONG, void*) { return GlobalAlloc(GMEM_MOVEABLE, 16); }
__declspec(dllexport) LONG WINAPI IsFormatCorrect32(HANDLE, HANDLE) { return 1; }
__declspec(dllexport) LONG WINAPI CchFetchLpszError(LONG, char*, LONG) { return 0; }

__declspec(dllexport) void WINAPI GetReadNames(HANDLE classes, HANDLE descriptions, HANDLE extensions) {
  PutList(classes, "MSWord8\0\0", 9);
  PutList(descriptions, "Word document\0\0", 15);
  PutList(extensions, "*.doc\0\0", 7);
}

__declspec(dllexport) void WINAPI GetWriteNames(HANDLE classes, HANDLE descriptions, HANDLE extensions) {
  PutList(classes, "MSWord6RTFExp\0\0", 15);
  PutList(descriptions, "Rich text\0\0", 11);
  PutList(extensions, "*.rtf\0\0", 7);
}

__declspec(dllexport) LONG WINAPI ForeignToRtf32(HANDLE file, void*, HANDLE buffer, HANDLE, HANDLE,
                                                 LONG(WINAPI* out)(LONG, LONG)) {
  char path[MAX_PATH] = {};
  strncpy(path, LockedText(file), MAX_PATH - 1);
  GlobalUnlock(file);
  HANDLE source = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (source == INVALID_HANDLE_VALUE) return -1;
  char text[512] = {};
  DWORD read = 0;
  ReadFile(source, text, sizeof text - 1, &read, nullptr);
  CloseHandle(source);
  if (strncmp(text, "UNKNOWN", 7) == 0) return -14;
  const char* parts[] = {"{\\rtf1 ", text, "}"};
  for (const char* part : parts) {
    const size_t size = strlen(part);
    memcpy(LockedText(buffer), part, size);
    GlobalUnlock(buffer);
    if (out(static_cast<LONG>(size), 50) < 0) return -4;
  }
  return 0;
}

__declspec(dllexport) LONG WINAPI RtfToForeign32(HANDLE file, void*, HANDLE buffer, HANDLE,
                                                 LONG(WINAPI* in)(LONG, LONG)) {
  char path[MAX_PATH] = {};
  strncpy(path, LockedText(file), MAX_PATH - 1);
  GlobalUnlock(file);
  HANDLE target = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (target == INVALID_HANDLE_VALUE) return -13;
  for (LONG count; (count = in(0, 0)) > 0;) {
    DWORD written = 0;
    WriteFile(target, LockedText(buffer), static_cast<DWORD>(count), &written, nullptr);
    GlobalUnlock(buffer);
  }
  CloseHandle(target);
  return 0;
}

}  // extern "C"
