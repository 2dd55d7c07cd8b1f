#include "cabinet_listing.h"

#include <fcntl.h>
#include <fdi.h>
#include <io.h>

#include <new>
#include <string>

CObList CabEntryList;

namespace {

FNALLOC(FdiAlloc) { return ::operator new(cb, std::nothrow); }
FNFREE(FdiFree) { ::operator delete(pv); }
FNOPEN(FdiOpen) { return _open(pszFile, oflag, pmode); }
FNREAD(FdiRead) { return _read(static_cast<int>(hf), pv, cb); }
FNWRITE(FdiWrite) { return _write(static_cast<int>(hf), pv, cb); }
FNCLOSE(FdiClose) { return _close(static_cast<int>(hf)); }
FNSEEK(FdiSeek) { return _lseek(static_cast<int>(hf), dist, seektype); }

FNFDINOTIFY(FdiNotify) {
  if (fdint != fdintCOPY_FILE || pfdin->psz1 == nullptr) return 0;
  const CString path(pfdin->psz1);
  const int slash = path.ReverseFind(L'\\');
  FILETIME time = {};
  ::DosDateTimeToFileTime(pfdin->date, pfdin->time, &time);
  AddArchiveEntry(path.Mid(slash + 1), slash >= 0 ? path.Left(slash + 1) : CString(), static_cast<UINT>(pfdin->cb),
                  time, pfdin->attribs);
  // 0 skips the file: nothing is extracted.
  return 0;
}

typedef HFDI(DIAMONDAPI* CreateProc)(PFNALLOC, PFNFREE, PFNOPEN, PFNREAD, PFNWRITE, PFNCLOSE, PFNSEEK, int, PERF);
typedef BOOL(DIAMONDAPI* CopyProc)(HFDI, char*, char*, int, PFNFDINOTIFY, PFNFDIDECRYPT, void*);
typedef BOOL(DIAMONDAPI* DestroyProc)(HFDI);

template <typename Proc>
Proc Resolve(HMODULE library, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

}  // namespace

void AddArchiveEntry(const CString& name, const CString& folder, UINT size, const FILETIME& time, WORD attributes) {
  auto* entry = new CArchiveEntry;
  entry->Name = name;
  entry->Folder = folder;
  entry->Size = size;
  entry->Time = time;
  entry->Attributes = attributes;
  CabEntryList.AddHead(entry);
}

void ClearCabEntryList() {
  while (!CabEntryList.IsEmpty()) delete CabEntryList.RemoveHead();
}

int WalkCabinet(const CString& path) {
  HMODULE library = ::LoadLibraryA("Cabinet.dll");
  if (library == nullptr) return 0;
  const auto create = Resolve<CreateProc>(library, "FDICreate");
  const auto copy = Resolve<CopyProc>(library, "FDICopy");
  const auto isCabinet = Resolve<FARPROC>(library, "FDIIsCabinet");
  const auto destroy = Resolve<DestroyProc>(library, "FDIDestroy");
  if (create == nullptr || copy == nullptr || isCabinet == nullptr || destroy == nullptr) {
    ::FreeLibrary(library);
    return 0;
  }
  ERF error = {};
  HFDI context = create(FdiAlloc, FdiFree, FdiOpen, FdiRead, FdiWrite, FdiClose, FdiSeek, cpu80386, &error);
  if (context == nullptr) {
    ::FreeLibrary(library);
    return 0;
  }
  const std::string narrow = path.ToAnsi();
  int result = 0;
  if (!narrow.empty()) {
    ClearCabEntryList();
    const size_t slash = narrow.rfind('\\');
    std::string folder = slash != std::string::npos ? narrow.substr(0, slash + 1) : std::string();
    std::string name = slash != std::string::npos ? narrow.substr(slash + 1) : narrow;
    result = copy(context, &name[0], &folder[0], 0, FdiNotify, nullptr, nullptr) ? 1 : 0;
  }
  destroy(context);
  ::FreeLibrary(library);
  return result;
}
