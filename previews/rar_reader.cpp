#include "rar_reader.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

typedef HANDLE(WINAPI* OpenProc)(RarOpenRecord*);
typedef int(WINAPI* CloseProc)(HANDLE);
typedef int(WINAPI* ReadHeaderProc)(HANDLE, RarHeaderRecord*);
typedef int(WINAPI* ProcessProc)(HANDLE, int, char*, char*);

constexpr unsigned int kCommentBufferSize = 16384;

template <typename Proc>
Proc Resolve(HMODULE library, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

}  // namespace

CRarReader::CRarReader() {
  m_library = ::LoadLibraryW(L"unrar.dll");
  if (m_library == nullptr) ErrorText = L"Load Error: unrar.dll could not be loaded";
}

CRarReader::~CRarReader() {
  if (m_library != nullptr) ::FreeLibrary(m_library);
}

BOOL CRarReader::List(const char* name) {
  if (m_library == nullptr) return FALSE;
  const auto open = Resolve<OpenProc>(m_library, "RAROpenArchiveEx");
  const auto close = Resolve<CloseProc>(m_library, "RARCloseArchive");
  const auto process = Resolve<ProcessProc>(m_library, "RARProcessFile");
  const auto readHeader = Resolve<ReadHeaderProc>(m_library, "RARReadHeaderEx");
  if (open == nullptr || close == nullptr || process == nullptr || readHeader == nullptr) return FALSE;

  std::vector<char> archiveName(name, name + std::strlen(name) + 1);
  RarOpenRecord openRecord;
  std::memset(&openRecord, 0, sizeof openRecord);
  openRecord.archiveName = archiveName.data();
  openRecord.openMode = 0;
  HANDLE archive = open(&openRecord);
  if (openRecord.openResult != 0) {
    ErrorText = L"Open Error: Failed to open RAR file";
    return FALSE;
  }
  m_entries.RemoveAll();
  // The header record is large: it lives on the heap, with its comment buffer.
  std::vector<char> comment(kCommentBufferSize);
  auto header = std::make_unique<RarHeaderRecord>();
  std::memset(header.get(), 0, sizeof *header);
  header->commentBuffer = comment.data();
  header->commentBufferSize = kCommentBufferSize;
  while (readHeader(archive, header.get()) == 0) {
    RarEntry entry;
    header->fileName[sizeof header->fileName - 1] = 0;
    entry.Name = CString(header->fileName);
    entry.Flags = header->flags;
    entry.PackedSize = (ULONGLONG(header->packSizeHigh) << 32) | header->packSize;
    entry.UnpackedSize = (ULONGLONG(header->unpackSizeHigh) << 32) | header->unpackSize;
    entry.Time = (ULONGLONG(header->fileTime) << 32) | header->fileTime;
    entry.Attributes = header->fileAttributes;
    m_entries.Add(entry);
    if (process(archive, 0, nullptr, nullptr) != 0) break;
  }
  close(archive);
  return TRUE;
}
