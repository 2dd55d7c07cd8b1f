#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework.h"

namespace {

class Slice : public CObject {
  DECLARE_SERIAL(Slice)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_percent << m_label << m_next;
    } else {
      schemaSeen = ar.GetObjectSchema();
      CObject* next = nullptr;
      ar >> m_percent >> m_label >> next;
      m_next = static_cast<Slice*>(next);
    }
  }
  int m_percent = 0;
  CString m_label;
  Slice* m_next = nullptr;
  UINT schemaSeen = 0;
};
IMPLEMENT_SERIAL(Slice, CObject, 1)

class Unregistered : public CObject {
  DECLARE_SERIAL(Unregistered)
};
IMPLEMENT_SERIAL(Unregistered, CObject, 1)

std::vector<BYTE> Stored(void (*write)(CArchive&)) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

void WriteEveryType(CArchive& ar) {
  ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0xBEEF) << static_cast<short>(-2) << -123456 << 7u
     << static_cast<LONG>(-9) << static_cast<DWORD>(0xDEADBEEF) << static_cast<BOOL>(TRUE) << 1.5f << -2.25
     << static_cast<LONGLONG>(-1) << CString(L"short") << CString(300, L'x') << CString();
  ar.WriteCount(3);
  ar.WriteCount(0xFFFE);
  ar.WriteCount(0x12345);
  std::vector<BYTE> big(5000, 0x5A);
  ar.Write(big.data(), static_cast<UINT>(big.size()));
}

TEST(CArchive, RoundTripsEveryTypedValue) {
  std::vector<BYTE> bytes = Stored(WriteEveryType);
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  BYTE by;
  WORD w;
  short s;
  int i;
  unsigned int u;
  LONG l;
  DWORD dw;
  BOOL b;
  float f;
  double d;
  LONGLONG ll;
  CString shortText, longText, empty;
  ar >> by >> w >> s >> i >> u >> l >> dw >> b >> f >> d >> ll >> shortText >> longText >> empty;
  EXPECT_EQ(by, 0xAB);
  EXPECT_EQ(w, 0xBEEF);
  EXPECT_EQ(s, -2);
  EXPECT_EQ(i, -123456);
  EXPECT_EQ(u, 7u);
  EXPECT_EQ(l, -9);
  EXPECT_EQ(dw, 0xDEADBEEFu);
  EXPECT_EQ(b, TRUE);
  EXPECT_EQ(f, 1.5f);
  EXPECT_EQ(d, -2.25);
  EXPECT_EQ(ll, -1);
  EXPECT_EQ(shortText, L"short");
  EXPECT_EQ(longText, CString(300, L'x'));
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(ar.ReadCount(), 3u);
  EXPECT_EQ(ar.ReadCount(), 0xFFFEu);
  EXPECT_EQ(ar.ReadCount(), 0x12345u);
  std::vector<BYTE> big(5000);
  EXPECT_EQ(ar.Read(big.data(), 5000), 5000u);
  EXPECT_EQ(big, std::vector<BYTE>(5000, 0x5A));
  EXPECT_EQ(ar.Read(big.data(), 1), 0u);
}

TEST(CArchive, WritesTheCompactForms) {
  std::vector<BYTE> counts = Stored([](CArchive& ar) {
    ar.WriteCount(0xFFFE);
    ar.WriteCount(0xFFFF);
  });
  EXPECT_EQ(counts, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
  // UTF-16 marker, one-byte length, the characters.
  std::vector<BYTE> text = Stored([](CArchive& ar) { ar << CString(L"Hi"); });
  EXPECT_EQ(text, (std::vector<BYTE>{0xFF, 0xFE, 0xFF, 0x02, 'H', 0, 'i', 0}));
  // 8-bit strings written by older code load too.
  std::vector<BYTE> narrow = {0x03, 'a', 'b', 'c'};
  CMemFile file(narrow.data(), 4);
  CArchive ar(&file, CArchive::load);
  CString loaded;
  ar >> loaded;
  EXPECT_EQ(loaded, L"abc");
}

void WriteObjects(CArchive& ar) {
  Slice* first = new Slice;
  Slice* second = new Slice;
  first->m_percent = 60;
  first->m_label = L"Used";
  first->m_next = second;
  second->m_percent = 40;
  second->m_label = L"Free";
  second->m_next = first;  // a cycle: written as a back reference
  ar << first << second << static_cast<CObject*>(nullptr);
  ar.WriteClass(RUNTIME_CLASS(Slice));
  delete first;
  delete second;
}

TEST(CArchive, RoundTripsObjectsWithClassRecordsAndReferences) {
  std::vector<BYTE> bytes = Stored(WriteObjects);
  // New class tag, schema 1, the name, then the object's own data.
  ASSERT_GE(bytes.size(), 11u);
  EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 11),
            (std::vector<BYTE>{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00, 'S', 'l', 'i', 'c', 'e'}));
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  CObject *first = nullptr, *second = nullptr, *null = reinterpret_cast<CObject*>(1);
  ar >> first >> second >> null;
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(first->IsKindOf(RUNTIME_CLASS(Slice)));
  Slice* a = static_cast<Slice*>(first);
  EXPECT_EQ(a->m_percent, 60);
  EXPECT_EQ(a->m_label, L"Used");
  EXPECT_EQ(a->schemaSeen, 1u);
  EXPECT_EQ(a->m_next, second);
  EXPECT_EQ(static_cast<Slice*>(second)->m_next, first);
  EXPECT_EQ(null, nullptr);
  UINT schema = 0;
  EXPECT_EQ(ar.ReadClass(RUNTIME_CLASS(Slice), &schema), RUNTIME_CLASS(Slice));
  EXPECT_EQ(schema, 1u);
  delete first;
  delete second;
}

TEST(CArchive, MappedObjectsAreWrittenAndReadAsReferences) {
  Slice owner;
  std::vector<BYTE> bytes = Stored([](CArchive& ar) {
    Slice shared;
    ar.MapObject(&shared);
    ar << &shared;
  });
  // Only a reference to object 1 was written.
  EXPECT_EQ(bytes, (std::vector<BYTE>{0x01, 0x00}));
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  ar.MapObject(&owner);
  CObject* read = nullptr;
  ar >> read;
  EXPECT_EQ(read, &owner);
}

TEST(CArchive, ObjectArraysAndMapsRoundTrip) {
  std::vector<BYTE> bytes = Stored([](CArchive& ar) {
    CObArray slices;
    for (int i = 0; i < 3; ++i) {
      Slice* s = new Slice;
      s->m_percent = i * 10;
      slices.Add(s);
    }
    slices.Serialize(ar);
    for (INT_PTR i = 0; i < slices.GetSize(); ++i) delete slices[i];
    CMap<int, int, CString, LPCWSTR> names;
    for (int key : {5, 0x15, 0x300}) {
      CString text;
      text.Format(L"Key%d", key);
      names.SetAt(key, text);
    }
    names.Serialize(ar);
  });
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  CObArray slices;
  slices.Serialize(ar);
  ASSERT_EQ(slices.GetSize(), 3);
  for (INT_PTR i = 0; i < 3; ++i) {
    EXPECT_EQ(static_cast<Slice*>(slices[i])->m_percent, i * 10);
    delete slices[i];
  }
  CMap<int, int, CString, LPCWSTR> names;
  names.Serialize(ar);
  EXPECT_EQ(names.GetCount(), 3);
  CString text;
  EXPECT_TRUE(names.Lookup(0x300, text));
  EXPECT_EQ(text, L"Key768");
}

int ArchiveCause(const std::vector<BYTE>& bytes, const CRuntimeClass* requested) {
  std::vector<BYTE> copy(bytes);
  CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  try {
    for (;;) delete ar.ReadObject(requested);
  } catch (CArchiveException* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  }
}

TEST(CArchive, DamagedInputThrowsArchiveExceptions) {
  std::vector<BYTE> bytes = Stored([](CArchive& ar) {
    Slice slice;
    slice.m_label = L"Truncated somewhere";
    ar << &slice;
  });
  // Every cut ends in an end-of-file exception, never a crash or a read past the end.
  for (size_t cut = 0; cut < bytes.size(); ++cut)
    EXPECT_EQ(ArchiveCause(std::vector<BYTE>(bytes.begin(), bytes.begin() + cut), nullptr),
              CArchiveException::endOfFile)
        << "cut at " << cut;

  std::vector<BYTE> renamed(bytes);
  renamed[6] = 'X';  // "Xlice" is no registered class
  EXPECT_EQ(ArchiveCause(renamed, nullptr), CArchiveException::badClass);
  EXPECT_EQ(ArchiveCause(bytes, RUNTIME_CLASS(Unregistered)), CArchiveException::badClass);
  std::vector<BYTE> newer(bytes);
  newer[2] = 2;  // schema 2 of a class at schema 1
  EXPECT_EQ(ArchiveCause(newer, nullptr), CArchiveException::badSchema);
  std::vector<BYTE> badReference = {0x05, 0x00};  // object 5 was never read
  EXPECT_EQ(ArchiveCause(badReference, nullptr), CArchiveException::badIndex);
  std::vector<BYTE> hugeString = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0};
  CMemFile file(hugeString.data(), static_cast<UINT>(hugeString.size()));
  CArchive ar(&file, CArchive::load);
  CString s;
  EXPECT_THROW(
      try { ar >> s; } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        e->Delete();
        throw 1;
      },
      int);
}

TEST(CMemFile, GrowsInStepsAndHandsOverItsBuffer) {
  CMemFile file;
  std::vector<BYTE> data(1500, 7);
  file.Write(data.data(), 1500);
  EXPECT_EQ(file.GetLength(), 1500u);
  file.Seek(-500, CFile::end);
  BYTE read[600];
  EXPECT_EQ(file.Read(read, 600), 500u);
  BYTE* buffer = file.Detach();
  EXPECT_EQ(buffer[1499], 7);
  free(buffer);
  EXPECT_EQ(file.GetLength(), 0u);

  BYTE fixed[4] = {1, 2, 3, 4};
  CMemFile attached(fixed, 4);
  EXPECT_EQ(attached.GetLength(), 4u);
  attached.SeekToEnd();
  EXPECT_THROW(
      try { attached.Write(fixed, 1); } catch (CMemoryException* e) {
        e->Delete();
        throw 1;
      },
      int);
}

TEST(CSharedFile, DetachesGlobalMemoryThatReadsBack) {
  CSharedFile file;
  std::vector<BYTE> bytes = Stored([](CArchive& ar) { ar << CString(L"clip"); });
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  HGLOBAL handle = file.Detach();
  ASSERT_NE(handle, nullptr);
  EXPECT_GE(GlobalSize(handle), bytes.size());
  CSharedFile reader;
  reader.SetHandle(handle, FALSE);
  CArchive ar(&reader, CArchive::load);
  CString text;
  ar >> text;
  EXPECT_EQ(text, L"clip");
  ar.Close();
  reader.Close();
  GlobalFree(handle);
}

TEST(CFile, OpensWritesReadsAndReportsFailures) {
  WCHAR folder[MAX_PATH], path[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  GetTempFileNameW(folder, L"fw", 0, path);
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << 42 << CString(L"on disk");
  }
  CFileStatus status;
  ASSERT_TRUE(CFile::GetStatus(path, status));
  EXPECT_EQ(status.m_size, 4u + 4u + 14u);
  status.m_attribute = CFile::hidden;
  CFile::SetStatus(path, status);
  EXPECT_TRUE(GetFileAttributesW(path) & FILE_ATTRIBUTE_HIDDEN);
  {
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyWrite));
    CArchive ar(&file, CArchive::load);
    int n;
    CString text;
    ar >> n >> text;
    EXPECT_EQ(n, 42);
    EXPECT_EQ(text, L"on disk");
  }
  SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path);
  CFileException error;
  CFile missing;
  EXPECT_FALSE(missing.Open(path, CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
}

}  // namespace
