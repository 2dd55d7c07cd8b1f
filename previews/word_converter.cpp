#include "word_converter.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

void (*ConverterMessageSink)(const char* text) = [](const char* text) { std::fputs(text, stderr); };

namespace {

// The converters' entry points: the standard calling convention of Win32.
using InitConverter32Fn = LONG(WINAPI*)(HANDLE window, char* module);
using UninitConverterFn = void(WINAPI*)();
using RegisterAppFn = HGLOBAL(WINAPI*)(ULONG flags, void* data);
using OutputCallback = LONG(WINAPI*)(LONG count, LONG percent);
using InputCallback = LONG(WINAPI*)(LONG options, LONG percent);
using ForeignToRtf32Fn = LONG(WINAPI*)(HANDLE file, void* storage, HANDLE buffer, HANDLE className, HANDLE subset,
                                       OutputCallback out);
using RtfToForeign32Fn = LONG(WINAPI*)(HANDLE file, void* storage, HANDLE buffer, HANDLE className, InputCallback in);
using IsFormatCorrect32Fn = LONG(WINAPI*)(HANDLE file, HANDLE className);
using CchFetchLpszErrorFn = LONG(WINAPI*)(LONG code, char* text, LONG size);
using GetNamesFn = void(WINAPI*)(HANDLE classes, HANDLE descriptions, HANDLE extensions);

constexpr size_t kText = 260;
constexpr SIZE_T kNameListSize = 1024;
constexpr SIZE_T kDataSize = 1024;
constexpr DWORD kReadChunk = 512;

struct ConverterEntry {
  char library[kText];
  char className[kText];
  char description[kText];
  char extensions[kText];
  int direction;  // 0 imports the class to RTF, 1 exports RTF to it
  ConverterEntry* next;
};

struct LoadedConverter {
  HMODULE module = nullptr;
  InitConverter32Fn init = nullptr;
  UninitConverterFn uninit = nullptr;
  RegisterAppFn registerApp = nullptr;
  ForeignToRtf32Fn foreignToRtf = nullptr;
  RtfToForeign32Fn rtfToForeign = nullptr;
  IsFormatCorrect32Fn isFormatCorrect = nullptr;
  CchFetchLpszErrorFn fetchError = nullptr;
  GetNamesFn readNames = nullptr;
  GetNamesFn writeNames = nullptr;
  char library[kText] = {};
};

// One conversion at a time, on the user-interface thread.
struct CallState {
  const char* program = "wordcnv";
  char importClass[kText];
  char exportClass[kText];
  char source[kText];
  char destination[kText];
  HANDLE writing;
  HANDLE reading;
  HGLOBAL data;
  ConverterEntry* list;
} state;

void Message(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  ConverterMessageSink(text);
}

void CopyText(char (&to)[kText], const char* from) {
  std::snprintf(to, kText, "%s", from != nullptr ? from : "");
}

void FreeList() {
  while (state.list != nullptr) {
    ConverterEntry* next = state.list->next;
    std::free(state.list);
    state.list = next;
  }
}

void ClearState() {
  FreeList();
  if (state.data != nullptr) ::GlobalFree(state.data);
  state = CallState{};
}

void ConverterFolder(char (&folder)[kText]) {
  const DWORD length = ::GetEnvironmentVariableA("WORDCNV_DIR", folder, kText);
  if (length == 0 || length >= kText) CopyText(folder, "C:\\Program Files\\Common Files\\Microsoft Shared\\Textconv");
}

HGLOBAL GlobalText(const char* text) {
  const SIZE_T size = std::strlen(text) + 1;
  HGLOBAL handle = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (handle == nullptr) return nullptr;
  if (void* memory = ::GlobalLock(handle)) {
    std::memcpy(memory, text, size);
    ::GlobalUnlock(handle);
  }
  return handle;
}

void Unload(LoadedConverter& converter) {
  if (converter.module == nullptr) return;
  if (converter.uninit != nullptr) converter.uninit();
  ::FreeLibrary(converter.module);
  converter.module = nullptr;
}

void ReportCode(LoadedConverter& converter, LONG result) {
  const int code = static_cast<short>(result & 0xFFFF);
  if (converter.fetchError != nullptr) {
    char text[512] = {};
    if (converter.fetchError(code, text, sizeof text) != 0) {
      text[sizeof text - 1] = 0;
      Message("%s: converter error %d: %s\n", converter.library, code, text);
      return;
    }
  }
  switch (code) {
    case -14: Message("%s: error: converter did not recognise input file '%s'\n", state.program, state.source); break;
    case -13: Message("%s: error: converter cannot create '%s'\n", state.program, state.destination); break;
    case -8: Message("%s: error: converter ran out of memory\n", state.program); break;
    case -5: Message("%s: error: %s: invalid input file\n", state.program, state.source); break;
    case -4: Message("%s: error: write error\n", state.program); break;
    case -2: Message("%s: error: read error\n", state.program); break;
    case -1: Message("%s: error: converter could not open '%s'\n", state.program, state.source); break;
    default: Message("%s: error: converter returned error %x\n", converter.library, code); break;
  }
}

// Loads and initialises a converter; false (and nothing loaded) when it cannot be used.
bool Load(const char* folder, const char* library, LoadedConverter& converter) {
  converter = LoadedConverter{};
  CopyText(converter.library, library);
  char path[2 * kText + 2];
  std::snprintf(path, sizeof path, "%s/%s", folder, library);
  converter.module = ::LoadLibraryA(path);
  auto find = [&converter](const char* name) {
    return converter.module != nullptr ? reinterpret_cast<void*>(::GetProcAddress(converter.module, name)) : nullptr;
  };
  converter.init = reinterpret_cast<InitConverter32Fn>(find("InitConverter32"));
  converter.uninit = reinterpret_cast<UninitConverterFn>(find("UninitConverter"));
  converter.registerApp = reinterpret_cast<RegisterAppFn>(find("RegisterApp"));
  converter.foreignToRtf = reinterpret_cast<ForeignToRtf32Fn>(find("ForeignToRtf32"));
  converter.rtfToForeign = reinterpret_cast<RtfToForeign32Fn>(find("RtfToForeign32"));
  converter.isFormatCorrect = reinterpret_cast<IsFormatCorrect32Fn>(find("IsFormatCorrect32"));
  converter.fetchError = reinterpret_cast<CchFetchLpszErrorFn>(find("CchFetchLpszError"));
  converter.readNames = reinterpret_cast<GetNamesFn>(find("GetReadNames"));
  converter.writeNames = reinterpret_cast<GetNamesFn>(find("GetWriteNames"));
  if (converter.init == nullptr) {
    Message("%s: error: InitConverter32 could not be resolved\n", library);
    if (converter.module != nullptr) ::FreeLibrary(converter.module);
    converter.module = nullptr;
    return false;
  }
  char module[] = "WORDCNV";
  const LONG ready = converter.init(nullptr, module);
  if (ready != 1) {
    ReportCode(converter, ready);
    ::FreeLibrary(converter.module);
    converter.module = nullptr;
    return false;
  }
  return true;
}

// The next string of a list of strings ended by an empty one, bounded by
// the block's size; null at the list's end.
const char* NextName(const char* block, SIZE_T size, SIZE_T& offset) {
  if (block == nullptr || offset >= size || block[offset] == 0) return nullptr;
  const char* name = block + offset;
  const void* end = std::memchr(name, 0, size - offset);
  if (end == nullptr) return nullptr;
  offset = static_cast<const char*>(end) - block + 1;
  return name;
}

// Appends a node per class the converter names for one direction.
bool AddClasses(const LoadedConverter& converter, GetNamesFn getNames, int direction, ConverterEntry**& tail) {
  HGLOBAL lists[3] = {};
  for (HGLOBAL& list : lists) list = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kNameListSize);
  bool ok = true;
  if (lists[0] != nullptr && lists[1] != nullptr && lists[2] != nullptr) {
    getNames(lists[0], lists[1], lists[2]);
    // The converter may have resized the blocks: each is read within its own size.
    const char* blocks[3];
    SIZE_T sizes[3], offsets[3] = {};
    for (int n = 0; n < 3; ++n) {
      blocks[n] = static_cast<const char*>(::GlobalLock(lists[n]));
      sizes[n] = blocks[n] != nullptr ? ::GlobalSize(lists[n]) : 0;
    }
    for (;;) {
      const char* className = NextName(blocks[0], sizes[0], offsets[0]);
      const char* description = NextName(blocks[1], sizes[1], offsets[1]);
      const char* extensions = NextName(blocks[2], sizes[2], offsets[2]);
      if (className == nullptr || description == nullptr || extensions == nullptr) break;
      auto* entry = static_cast<ConverterEntry*>(std::calloc(1, sizeof(ConverterEntry)));
      if (entry == nullptr) {
        Message("%s: error: out of memory\n", state.program);
        ok = false;
        break;
      }
      CopyText(entry->library, converter.library);
      CopyText(entry->className, className);
      CopyText(entry->description, description);
      CopyText(entry->extensions, extensions);
      entry->direction = direction;
      *tail = entry;
      tail = &entry->next;
    }
    for (int n = 0; n < 3; ++n)
      if (blocks[n] != nullptr) ::GlobalUnlock(lists[n]);
  }
  for (HGLOBAL list : lists)
    if (list != nullptr) ::GlobalFree(list);
  return ok;
}

bool HasConverterEnding(const char* name) {
  const size_t length = std::strlen(name);
  if (length <= 5) return false;
  return _stricmp(name + length - 4, ".cnv") == 0 || _stricmp(name + length - 4, ".wpc") == 0;
}

bool BuildList(const char* folder) {
  char pattern[kText + 4];
  std::snprintf(pattern, sizeof pattern, "%s\\*", folder);
  WIN32_FIND_DATAA found = {};
  HANDLE find = ::FindFirstFileA(pattern, &found);
  if (find == INVALID_HANDLE_VALUE) {
    Message("%s: error: FindFirstFile failed with error %x\n", state.program, static_cast<unsigned>(::GetLastError()));
    return false;
  }
  ConverterEntry** tail = &state.list;
  bool ok = true;
  do {
    if (!HasConverterEnding(found.cFileName)) continue;
    LoadedConverter converter;
    if (!Load(folder, found.cFileName, converter)) continue;
    if (converter.readNames != nullptr) ok = AddClasses(converter, converter.readNames, 0, tail);
    if (ok && converter.writeNames != nullptr) ok = AddClasses(converter, converter.writeNames, 1, tail);
    Unload(converter);
  } while (ok && ::FindNextFileA(find, &found));
  const DWORD error = ::GetLastError();
  ::FindClose(find);
  if (!ok) return false;
  if (error != ERROR_NO_MORE_FILES) Message("%s: error: FindNextFile returned %x\n", state.program, static_cast<unsigned>(error));
  return true;
}

ConverterEntry* FindClass(int direction, const char* className) {
  for (ConverterEntry* entry = state.list; entry != nullptr; entry = entry->next)
    if (entry->direction == direction && _stricmp(entry->className, className) == 0) return entry;
  return nullptr;
}

void RegisterWith(LoadedConverter& converter) {
  if (converter.registerApp == nullptr) return;
  if (HGLOBAL preferences = converter.registerApp(8, nullptr)) ::GlobalFree(preferences);
}

// No exception may leave the callbacks into the converter: they use none.
LONG WINAPI WriteRtf(LONG count, LONG) {
  if (count == 0) return 1;
  const char* data = static_cast<const char*>(::GlobalLock(state.data));
  if (data == nullptr) {
    Message("%s: error: cannot write: %x\n", state.program, static_cast<unsigned>(::GetLastError()));
    return -1;
  }
  // Never more than the block holds, whatever count says.
  const SIZE_T size = ::GlobalSize(state.data);
  const DWORD wanted = count < 0 ? 0 : static_cast<DWORD>(static_cast<SIZE_T>(count) < size ? count : size);
  DWORD written = 0;
  const BOOL ok = ::WriteFile(state.writing, data, wanted, &written, nullptr);
  ::GlobalUnlock(state.data);
  if (!ok) {
    Message("%s: error: cannot write: %x\n", state.program, static_cast<unsigned>(::GetLastError()));
    return -1;
  }
  if (written != static_cast<DWORD>(count)) {
    Message("%s: error: %d of %d bytes written\n", state.destination, static_cast<int>(written), static_cast<int>(count));
    return -1;
  }
  return 1;
}

LONG WINAPI ReadRtf(LONG, LONG) {
  if (::GlobalSize(state.data) < kReadChunk) {
    HGLOBAL grown = ::GlobalReAlloc(state.data, kDataSize, GMEM_MOVEABLE);
    if (grown == nullptr) return -1;
    state.data = grown;
  }
  char* data = static_cast<char*>(::GlobalLock(state.data));
  if (data == nullptr) return -1;
  DWORD read = 0;
  const BOOL ok = ::ReadFile(state.reading, data, kReadChunk, &read, nullptr);
  ::GlobalUnlock(state.data);
  if (!ok) {
    Message("%s: error: cannot read file: %x\n", state.source, static_cast<unsigned>(::GetLastError()));
    return -1;
  }
  return static_cast<LONG>(read);
}

bool Import(const char* folder) {
  ConverterEntry* entry = FindClass(0, state.importClass);
  if (entry == nullptr) {
    Message("%s: error: Import class %s not found\n", state.program, state.importClass);
    return false;
  }
  LoadedConverter converter;
  if (!Load(folder, entry->library, converter)) return false;
  RegisterWith(converter);
  bool ok = false;
  if (converter.foreignToRtf == nullptr) {
    Message("%s: error: ForeignToRtf could not be resolved\n", converter.library);
  } else {
    HGLOBAL file = GlobalText(state.source), className = GlobalText(state.importClass), subset = GlobalText("");
    const LONG result = converter.foreignToRtf(file, nullptr, state.data, className, subset, WriteRtf);
    if ((result & 0xFFFF) != 0) ReportCode(converter, result);
    else ok = true;
    for (HGLOBAL handle : {file, className, subset})
      if (handle != nullptr) ::GlobalFree(handle);
  }
  Unload(converter);
  return ok;
}

void Export(const char* folder) {
  ConverterEntry* entry = FindClass(1, state.exportClass);
  if (entry == nullptr) {
    Message("Export class %s not found\n", state.exportClass);
    return;
  }
  LoadedConverter converter;
  if (!Load(folder, entry->library, converter)) return;
  RegisterWith(converter);
  if (converter.rtfToForeign == nullptr) {
    Message("%s: RtfToForeign could not be resolved\n", converter.library);
  } else {
    HGLOBAL file = GlobalText(state.destination), className = GlobalText(state.exportClass);
    const LONG result = converter.rtfToForeign(file, nullptr, state.data, className, ReadRtf);
    if ((result & 0xFFFF) != 0) ReportCode(converter, result);
    for (HGLOBAL handle : {file, className})
      if (handle != nullptr) ::GlobalFree(handle);
  }
  Unload(converter);
}

}  // namespace

int CWordConverter::ConvertToRtf(const char* importClass, const char* exportClass, const char* source,
                                 const char* destination) {
  ClearState();
  CopyText(state.importClass, importClass);
  CopyText(state.exportClass, exportClass);
  CopyText(state.source, source);
  CopyText(state.destination, destination);
  char folder[kText];
  ConverterFolder(folder);
  struct Cleanup {
    ~Cleanup() { ClearState(); }
  } cleanup;

  if (!BuildList(folder)) return 1;
  if (_stricmp(state.importClass, state.exportClass) == 0) {
    Message("%s: error: Nothing to do; import and export class are the same\n", state.program);
    return 1;
  }
  WCHAR tempFolder[MAX_PATH + 1] = {}, tempFile[MAX_PATH + 1] = {};
  if (::GetTempPathW(MAX_PATH, tempFolder) == 0) {
    Message("%s: error: GetTempPath returned %x\n", state.program, static_cast<unsigned>(::GetLastError()));
    return 1;
  }
  const UINT unique = (static_cast<UINT>(::GetTickCount()) ^ static_cast<UINT>(std::rand() << 8)) | 1u;
  if (::GetTempFileNameW(tempFolder, L"cnv", unique & 0xFFFF ? unique & 0xFFFF : 1, tempFile) == 0) {
    Message("%s: error: GetTempFileName returned %x\n", state.program, static_cast<unsigned>(::GetLastError()));
    return 1;
  }
  state.data = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kDataSize);
  state.writing = ::CreateFileW(tempFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (state.writing == INVALID_HANDLE_VALUE) {
    Message("%s: error: cannot open temporary file %x\n", state.program, static_cast<unsigned>(::GetLastError()));
    return 1;
  }
  const bool imported = Import(folder);
  ::CloseHandle(state.writing);
  state.writing = nullptr;
  if (imported) {
    state.reading = ::CreateFileW(tempFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (state.reading == INVALID_HANDLE_VALUE) {
      Message("%s: error: cannot open temporary file %x\n", state.program, static_cast<unsigned>(::GetLastError()));
      ::DeleteFileW(tempFile);
      return 1;
    }
    Export(folder);
    ::CloseHandle(state.reading);
    state.reading = nullptr;
  }
  ::DeleteFileW(tempFile);
  return 0;
}
