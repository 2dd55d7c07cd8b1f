#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "prop_exchange.h"
#include "registry_key_test.h"
#include "test_app.h"

namespace {

class TkShape : public CObject {
  DECLARE_DYNCREATE(TkShape)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar << sides << name;
    else ar >> sides >> name;
  }
  int sides = 0;
  CString name;
};
IMPLEMENT_DYNCREATE(TkShape, CObject)

class TkCircle : public TkShape {
  DECLARE_DYNCREATE(TkCircle)
};
IMPLEMENT_DYNCREATE(TkCircle, TkShape)

class TkUnrelated : public CObject {
  DECLARE_DYNCREATE(TkUnrelated)
 public:
  TkUnrelated() { ++made; }
  static int made;
};
int TkUnrelated::made = 0;
IMPLEMENT_DYNCREATE(TkUnrelated, CObject)

// The settings of a bar as its exchange routine sees them.
struct BarSettings {
  int width = 0;
  BOOL visible = FALSE;
  CString title;
  SIZE buttons = {0, 0};
  RECT floating = {0, 0, 0, 0};
  int category = 0;  // exchanged only above schema 1
  int noDefault = 77;

  void Exchange(CTkPropExchange* px) {
    px->ExchangeSchema();
    ExchangeInt(px, L"Width", &width, 100);
    ExchangeBool(px, L"Visible", &visible, TRUE);
    ExchangeText(px, L"Title", &title, L"Standard");
    ExchangeSize(px, L"Buttons", &buttons, SIZE{23, 22});
    ExchangeRect(px, L"Floating", &floating, RECT{-1, -1, -1, -1});
    if (px->m_nSchema > 1) ExchangeInt(px, L"Category", &category, 0);
    ExchangeIntNoDefault(px, L"NoDefault", &noDefault);
  }
};


class RegistryExchange : public RegistryKeyTest {
 protected:
  RegistryExchange() : RegistryKeyTest(L"Software\\Mulvara Toolkit Tests\\Exchange") {}
  bool HasValue(LPCWSTR path, LPCWSTR name, DWORD* type = nullptr, DWORD* dword = nullptr) {
    HKEY key;
    if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD t = 0, value = 0, size = sizeof value;
    LONG status = RegQueryValueExW(key, name, nullptr, &t, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (type != nullptr) *type = t;
    if (dword != nullptr) *dword = value;
    return status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
  }
  void SetText(LPCWSTR path, LPCWSTR name, LPCWSTR text) {
    HKEY key;
    RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
  }
  void SetDword(LPCWSTR path, LPCWSTR name, DWORD value) {
    HKEY key;
    RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
  }
};

TEST_F(RegistryExchange, KeepsOnlyWhatDiffersFromTheDefaults) {
  BarSettings saved;
  saved.width = 100;  // the default: removed
  saved.visible = -1;
  saved.title = L"Tools";
  saved.buttons = {16, 15};
  saved.floating = {10, 20, 300, 400};
  saved.category = 4;
  {
    CTkPropExchangeRegistry px(FALSE, parent, L"Bar0");
    saved.Exchange(&px);
  }
  EXPECT_FALSE(HasValue(L"Bar0", L"Width"));
  EXPECT_FALSE(HasValue(L"Bar0", L"Schema"));
  DWORD type = 0, word = 0;
  ASSERT_TRUE(HasValue(L"Bar0", L"Visible", &type, &word));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(word, 0xFFFFFFFFu);
  ASSERT_TRUE(HasValue(L"Bar0", L"NoDefault", &type, &word));
  EXPECT_EQ(word, 77u);

  BarSettings loaded;
  loaded.noDefault = 5;
  {
    CTkPropExchangeRegistry px(TRUE, parent, L"Bar0");
    loaded.Exchange(&px);
    EXPECT_EQ(px.m_nSchema, 16u);
  }
  EXPECT_EQ(loaded.width, 100);
  EXPECT_EQ(loaded.visible, -1);
  EXPECT_EQ(loaded.title, L"Tools");
  EXPECT_EQ(loaded.buttons.cx, 16);
  EXPECT_EQ(loaded.buttons.cy, 15);
  EXPECT_TRUE(EqualRect(&loaded.floating, &saved.floating));
  EXPECT_EQ(loaded.category, 4);
  EXPECT_EQ(loaded.noDefault, 77);

  // Saving the defaults removes what was stored; a BOOL of 5 is not TRUE.
  BarSettings defaults;
  defaults.width = 100;
  defaults.visible = 5;
  defaults.title = L"Standard";
  defaults.buttons = {23, 22};
  defaults.floating = {-1, -1, -1, -1};
  {
    CTkPropExchangeRegistry px(FALSE, parent, L"Bar0");
    defaults.Exchange(&px);
  }
  for (LPCWSTR name : {L"Title", L"Buttons", L"Floating", L"Category"}) EXPECT_FALSE(HasValue(L"Bar0", name)) << name;
  EXPECT_TRUE(HasValue(L"Bar0", L"Visible", &type, &word));
  EXPECT_EQ(word, 5u);
}

TEST_F(RegistryExchange, MissingOrMalformedValuesTakeTheirDefaults) {
  SetText(L"Bar1", L"Floating", L"1, 2, 3");
  SetText(L"Bar1", L"Buttons", L"7");
  SetDword(L"Bar1", L"Title", 0x00410041);  // not text
  SetDword(L"Bar1", L"Schema", 1);          // an old store: Category not there yet
  SetDword(L"Bar1", L"Category", 9);
  BarSettings loaded;
  loaded.category = 3;
  {
    CTkPropExchangeRegistry px(TRUE, parent, L"Bar1");
    loaded.Exchange(&px);
    EXPECT_EQ(px.m_nSchema, 1u);
  }
  RECT defaultRect = {-1, -1, -1, -1};
  EXPECT_TRUE(EqualRect(&loaded.floating, &defaultRect));
  EXPECT_EQ(loaded.buttons.cx, 23);
  EXPECT_EQ(loaded.title, L"Standard");
  EXPECT_EQ(loaded.category, 3);

  // A section that does not exist: every default, and what has none stays.
  BarSettings fresh;
  fresh.noDefault = 42;
  CTkPropExchangeRegistry px(TRUE, parent, L"Nowhere");
  fresh.Exchange(&px);
  EXPECT_EQ(fresh.width, 100);
  EXPECT_EQ(fresh.visible, TRUE);
  EXPECT_EQ(fresh.title, L"Standard");
  EXPECT_EQ(fresh.noDefault, 42);
  EXPECT_EQ(px.m_nSchema, 16u);
  int untouched = 8;
  EXPECT_FALSE(ExchangeIntNoDefault(&px, L"Width", &untouched));
  EXPECT_EQ(untouched, 8);
  // Without a parent key loads take their defaults and saves fail.
  CTkPropExchangeRegistry orphanLoad(TRUE, nullptr, L"Bar");
  int width = 0;
  EXPECT_TRUE(ExchangeInt(&orphanLoad, L"Width", &width, 12));
  EXPECT_EQ(width, 12);
  CTkPropExchangeRegistry orphanSave(FALSE, nullptr, L"Bar");
  EXPECT_FALSE(ExchangeInt(&orphanSave, L"Width", &width, 0));
}

TEST_F(RegistryExchange, AClearedSectionNeitherWritesNorDeletesDefaults) {
  SetDword(L"Bar2", L"Width", 55);
  SetDword(L"Bar2\\Sub", L"Width", 56);
  CTkPropExchangeRegistry px(FALSE, parent, L"Bar2");
  EXPECT_TRUE(px.ClearSection());
  EXPECT_FALSE(HasValue(L"Bar2\\Sub", L"Width"));
  int width = 100;
  EXPECT_TRUE(ExchangeInt(&px, L"Width", &width, 100));
  EXPECT_FALSE(HasValue(L"Bar2", L"Width"));
  // Put back behind the exchange's back: a default save leaves it.
  SetDword(L"Bar2", L"Height", 7);
  int height = 0;
  EXPECT_TRUE(ExchangeInt(&px, L"Height", &height, 0));
  EXPECT_TRUE(HasValue(L"Bar2", L"Height"));
  width = 3;
  EXPECT_TRUE(ExchangeInt(&px, L"Width", &width, 100));
  EXPECT_TRUE(HasValue(L"Bar2", L"Width"));
  // Sections opened below inherit the mark.
  CTkPropExchangeSectionHolder section(px.OpenSection(L"Sub"));
  EXPECT_TRUE(section->m_bEmptied);
}

TEST_F(RegistryExchange, CountedListsOfSections) {
  {
    CTkPropExchangeRegistry px(FALSE, parent, L"Icons");
    px.m_pUserData = &px;
    CTkPropExchangeSequenceHolder list(px.CreateEnumerator(L"Icon"));
    DWORD count = 3;
    DWORD position = list->Start(count, FALSE);
    int index = 0;
    while (position != 0) {
      CTkPropExchangeSectionHolder item(list->Next(position));
      EXPECT_EQ(item->m_pUserData, &px);
      int id = 1000 + index++;
      ExchangeInt(item.Get(), L"Id", &id, 0);
    }
    EXPECT_EQ(index, 3);
  }
  DWORD word = 0;
  EXPECT_TRUE(HasValue(L"Icons", L"Count", nullptr, &word));
  EXPECT_EQ(word, 3u);
  for (int i = 0; i < 3; ++i) {
    std::wstring name = L"Icons\\Icon" + std::to_wstring(i);
    EXPECT_TRUE(HasValue(name.c_str(), L"Id", nullptr, &word));
    EXPECT_EQ(word, 1000u + i);
  }

  CTkPropExchangeRegistry load(TRUE, parent, L"Icons");
  CTkPropExchangeSequenceHolder list(load.CreateEnumerator(L"Icon"));
  DWORD count = 0;
  DWORD position = list->Start(count, TRUE);
  EXPECT_EQ(count, 3u);
  int sum = 0;
  while (position != 0) {
    CTkPropExchangeSectionHolder item(list->Next(position));
    int id = 0;
    ExchangeInt(item.Get(), L"Id", &id, 0);
    sum += id;
  }
  EXPECT_EQ(sum, 3003);

  // A list of none keeps no Count.
  CTkPropExchangeRegistry empty(FALSE, parent, L"Icons");
  CTkPropExchangeSequenceHolder none(empty.CreateEnumerator(L"Icon"));
  DWORD zero = 0;
  EXPECT_EQ(none->Start(zero, FALSE), 0u);
  EXPECT_FALSE(HasValue(L"Icons", L"Count"));
}

TEST_F(RegistryExchange, ClassNamesAndObjects) {
  {
    CTkPropExchangeRegistry px(FALSE, parent, L"Objects");
    CTkPropExchangeSectionHolder base(px.OpenSection(L"Base"));
    CObject* shape = new TkShape;
    EXPECT_TRUE(base->ExchangeObjectClass(&shape, RUNTIME_CLASS(TkShape)));
    delete shape;
    CTkPropExchangeSectionHolder derived(px.OpenSection(L"Derived"));
    CObject* circle = new TkCircle;
    EXPECT_TRUE(derived->ExchangeObjectClass(&circle, RUNTIME_CLASS(TkShape)));
    delete circle;
  }
  EXPECT_FALSE(HasValue(L"Objects\\Base", L"Class"));
  EXPECT_TRUE(HasValue(L"Objects\\Derived", L"Class"));
  SetText(L"Objects\\Gone", L"Class", L"TkNoLongerThere");
  SetText(L"Objects\\Unrelated", L"Class", L"TkUnrelated");

  CTkPropExchangeRegistry px(TRUE, parent, L"Objects");
  struct Case {
    LPCWSTR section;
    BOOL ok;
    CRuntimeClass* made;
  } cases[] = {
      {L"Base", TRUE, RUNTIME_CLASS(TkShape)},
      {L"Derived", TRUE, RUNTIME_CLASS(TkCircle)},
      {L"Gone", FALSE, nullptr},
      {L"Unrelated", FALSE, nullptr},
  };
  TkUnrelated::made = 0;
  for (const Case& c : cases) {
    CTkPropExchangeSectionHolder section(px.OpenSection(c.section));
    CObject* object = nullptr;
    EXPECT_EQ(section->ExchangeObjectClass(&object, RUNTIME_CLASS(TkShape)), c.ok) << c.section;
    if (c.made != nullptr) {
      ASSERT_NE(object, nullptr);
      EXPECT_EQ(object->GetRuntimeClass(), c.made);
    } else {
      EXPECT_EQ(object, nullptr);
    }
    delete object;
  }
  EXPECT_EQ(TkUnrelated::made, 0);

  CRuntimeClass* runtimeClass = nullptr;
  EXPECT_TRUE(ExchangeRuntimeClass(&px, L"Missing", &runtimeClass, RUNTIME_CLASS(TkCircle)));
  EXPECT_EQ(runtimeClass, RUNTIME_CLASS(TkCircle));
}

TEST_F(RegistryExchange, BlobsAndSerializedObjects) {
  BYTE bytes[] = {1, 2, 3, 0, 255};
  {
    CTkPropExchangeRegistry px(FALSE, parent, L"Blobs");
    void* buffer = bytes;
    UINT size = sizeof bytes;
    EXPECT_TRUE(ExchangeBlob(&px, L"Data", &buffer, &size));
    size = 0;
    EXPECT_TRUE(ExchangeBlob(&px, L"Empty", &buffer, &size));
    TkShape shape;
    shape.sides = 6;
    shape.name = L"hexagon";
    EXPECT_TRUE(ExchangeSerializable(&px, L"Shape", &shape));
  }
  EXPECT_TRUE(HasValue(L"Blobs", L"Empty"));

  CTkPropExchangeRegistry px(TRUE, parent, L"Blobs");
  void* buffer = nullptr;
  UINT size = 0;
  ASSERT_TRUE(ExchangeBlob(&px, L"Data", &buffer, &size));
  ASSERT_EQ(size, sizeof bytes);
  EXPECT_EQ(0, std::memcmp(buffer, bytes, size));
  std::free(buffer);
  BYTE small[2];
  buffer = small;
  size = sizeof small;
  EXPECT_FALSE(ExchangeBlob(&px, L"Data", &buffer, &size));
  EXPECT_EQ(px.ReadBlock(L"Data", small, sizeof small), 0u);
  BYTE big[8];
  EXPECT_EQ(px.ReadBlock(L"Data", big, sizeof big), sizeof bytes);

  TkShape shape;
  ASSERT_TRUE(ExchangeSerializable(&px, L"Shape", &shape));
  EXPECT_EQ(shape.sides, 6);
  EXPECT_EQ(shape.name, L"hexagon");
  TkShape untouched;
  untouched.sides = 9;
  EXPECT_FALSE(ExchangeSerializable(&px, L"Empty", &untouched));
  EXPECT_FALSE(ExchangeSerializable(&px, L"Missing", &untouched));
  EXPECT_EQ(untouched.sides, 9);
}

// One routine over an archive: every value in order, names and defaults
// ignored, sections inline, counts and blocks compact.
void ExchangeEverything(CTkPropExchange* px, BarSettings& bar, CObject*& shape, CRuntimeClass*& runtimeClass,
                        CString& blob) {
  bar.Exchange(px);
  {
    CTkPropExchangeSectionHolder section(px->OpenSection(L"Inner"));
    EXPECT_FALSE(section->IsKeyedStore());
    ExchangeInt(section.Get(), L"Width", &bar.width, bar.width);
  }
  CTkPropExchangeSequenceHolder list(px->CreateEnumerator(L"Item"));
  DWORD count = 2;
  for (DWORD position = list->Start(count, TRUE); position != 0;) {
    CTkPropExchangeSectionHolder item(list->Next(position));
    ExchangeInt(item.Get(), L"Id", &bar.category, 0);
  }
  px->ExchangeObjectClass(&shape, RUNTIME_CLASS(TkShape));
  ExchangeSerializable(px, L"Shape", shape);
  ExchangeRuntimeClass(px, L"Class", &runtimeClass, RUNTIME_CLASS(TkShape));
  std::string bytes = px->IsLoading() ? std::string() : std::string(blob.ToAnsi());
  void* buffer = px->IsLoading() ? nullptr : &bytes[0];
  UINT size = static_cast<UINT>(bytes.size());
  EXPECT_TRUE(ExchangeBlob(px, L"Blob", &buffer, &size));
  if (px->IsLoading()) {
    blob = CString(std::string(static_cast<char*>(buffer), size).c_str());
    std::free(buffer);
  }
}

TEST(ArchiveExchange, RoundTripKeepsEveryValueInOrder) {
  CMemFile file;
  BarSettings saved;
  saved.width = 100;
  saved.title = L"Standard";
  saved.category = 2;
  CObject* shape = new TkCircle;
  static_cast<TkCircle*>(shape)->sides = 1;
  CRuntimeClass* runtimeClass = RUNTIME_CLASS(TkCircle);
  CString blob = L"some bytes";
  {
    CArchive ar(&file, CArchive::store);
    CTkPropExchangeArchive px(ar);
    EXPECT_FALSE(px.IsLoading());
    ExchangeEverything(&px, saved, shape, runtimeClass, blob);
  }
  delete shape;
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CTkPropExchangeArchive px(ar);
  BarSettings loaded;
  CObject* loadedShape = nullptr;
  CRuntimeClass* loadedClass = nullptr;
  CString loadedBlob;
  ExchangeEverything(&px, loaded, loadedShape, loadedClass, loadedBlob);
  EXPECT_EQ(loaded.width, 100);
  EXPECT_EQ(loaded.title, L"Standard");
  EXPECT_EQ(loaded.category, 2);
  EXPECT_EQ(loaded.noDefault, 77);
  ASSERT_NE(loadedShape, nullptr);
  EXPECT_EQ(loadedShape->GetRuntimeClass(), RUNTIME_CLASS(TkCircle));
  EXPECT_EQ(static_cast<TkCircle*>(loadedShape)->sides, 1);
  EXPECT_EQ(loadedClass, RUNTIME_CLASS(TkCircle));
  EXPECT_EQ(px.m_nSchema, 0xFFFFu);  // the schema recorded with the class
  EXPECT_EQ(loadedBlob, L"some bytes");
  delete loadedShape;
}

// A block whose count comes from the stream is bounded by the data there.
TEST(ArchiveExchange, BlockCountsFromTheStreamAreBounded) {
  struct Case {
    DWORD count;
    UINT bytesPresent;
    BOOL ok;
  } cases[] = {{0xFFFFFFF0u, 16, FALSE}, {0x10, 4, FALSE}, {0x10000, 0x10000, TRUE}, {0, 0, TRUE}};
  for (const Case& c : cases) {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ar.WriteCount(c.count);
      std::string filler(c.bytesPresent, 'x');
      ar.Write(filler.data(), c.bytesPresent);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive px(ar);
    void* buffer = nullptr;
    UINT size = 0;
    EXPECT_EQ(ExchangeBlob(&px, L"Blob", &buffer, &size), c.ok) << c.count;
    if (c.ok) {
      EXPECT_EQ(size, c.count);
    }
    std::free(buffer);
  }
}

TEST(ArchiveExchange, ATruncatedStreamRaisesAndSerializingCatches) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << 6;  // the sides, but no name
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CTkPropExchangeArchive px(ar);
  TkShape shape;
  EXPECT_FALSE(ExchangeSerializable(&px, L"Shape", &shape));
  int value = 0;
  EXPECT_THROW(
      {
        try {
          ExchangeInt(&px, L"Width", &value, 0);
        } catch (CArchiveException* e) {
          e->Delete();
          throw 1;
        }
      },
      int);
}

// The base class keeps binary values as letter pairs in a text value.
class TextOnlyExchange : public CTkPropExchange {
 public:
  explicit TextOnlyExchange(BOOL loading) { m_bLoading = loading; }
  BOOL ExchangeValue(LPCWSTR name, UINT kind, void* value, const void* defaultValue) override {
    if (kind != kTkText) return FALSE;
    if (m_bLoading) {
      auto found = values.find(name);
      if (found == values.end()) return CopyValue(kind, value, defaultValue);
      *static_cast<CString*>(value) = found->second.c_str();
      return TRUE;
    }
    values[name] = static_cast<LPCWSTR>(*static_cast<CString*>(value));
    return TRUE;
  }
  CTkPropExchange* OpenSection(LPCWSTR) override { return nullptr; }
  static std::map<std::wstring, std::wstring> values;
};
std::map<std::wstring, std::wstring> TextOnlyExchange::values;

TEST(PropExchange, BaseKeepsBinaryAsLetterPairsAndComparesByKind) {
  BYTE bytes[] = {0x3C, 0x00, 0xFF};
  TextOnlyExchange save(FALSE);
  EXPECT_FALSE(save.HasNativeBinary());
  save.WriteBlock(L"Data", bytes, sizeof bytes);
  EXPECT_EQ(TextOnlyExchange::values[L"Data"], L"MDAAPP");
  TextOnlyExchange load(TRUE);
  BYTE read[3] = {};
  EXPECT_EQ(load.ReadBlock(L"Data", read, sizeof read), 3u);
  EXPECT_EQ(0, std::memcmp(read, bytes, 3));
  EXPECT_EQ(load.ReadBlock(L"Data", read, 2), 0u);
  EXPECT_EQ(load.ReadBlock(L"Missing", read, 3), 0u);

  int a = 5, b = 5, c = 6;
  BOOL yes = TRUE, five = 5;
  CString text = L"abc";
  RECT r1 = {1, 2, 3, 4}, r2 = {1, 2, 3, 4};
  EXPECT_TRUE(IsSameValue(kTkInt, &a, &b));
  EXPECT_FALSE(IsSameValue(kTkInt, &a, &c));
  EXPECT_FALSE(IsSameValue(kTkBool, &five, &yes));
  EXPECT_FALSE(IsSameValue(kTkInt, &a, nullptr));
  EXPECT_TRUE(IsSameValue(kTkText, &text, L"abc"));
  EXPECT_TRUE(IsSameValue(kTkRect, &r1, &r2));
  EXPECT_TRUE(IsSameValue(0x10000 | kTkInt, &a, &b));  // only the low 16 bits count
  EXPECT_FALSE(IsSameValue(99, &a, &b));
  EXPECT_EQ(SizeOfValueKind(kTkSize), 8);
  EXPECT_EQ(SizeOfValueKind(kTkDate), 12);
  EXPECT_EQ(SizeOfValueKind(99), 0);
  EXPECT_FALSE(CopyValue(kTkInt, &a, nullptr));
  EXPECT_FALSE(CopyValue(99, &a, &c));
  EXPECT_TRUE(CopyValue(kTkText, &text, L"xyz"));
  EXPECT_EQ(text, L"xyz");
}

}  // namespace
