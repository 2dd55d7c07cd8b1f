// Typed settings exchange: one routine names each value with a key, a kind
// and a default, and loads or saves it through the registry or an archive.
#pragma once

#include "framework.h"

// Value kinds: the OLE variant codes the toolkit uses and three of its own.
enum TkValueKind : UINT {
  kTkShort = 2,     // short
  kTkInt = 3,       // int
  kTkFloat = 4,     // float
  kTkDouble = 5,    // double
  kTkCurrency = 6,  // CY
  kTkDate = 7,      // CTkDateValue
  kTkBstr = 8,      // BSTR
  kTkBool = 11,     // BOOL
  kTkVariant = 12,  // VARIANT
  kTkByte = 17,     // BYTE
  kTkText = 30,     // CString (its default a plain string)
  kTkRect = 100,    // RECT
  kTkSize = 101,    // SIZE or POINT
};

// A date with its validity, as the date kind carries it.
struct CTkDateValue {
  DATE value;
  LONG status;
};

int SizeOfValueKind(UINT kind);
BOOL IsSameValue(UINT kind, const void* value, const void* defaultValue);
BOOL CopyValue(UINT kind, void* destination, const void* source);

class CTkPropExchangeSequence;

class CTkPropExchange : public CCmdTarget {
  DECLARE_DYNAMIC(CTkPropExchange)
 public:
  CTkPropExchange() = default;

  virtual BOOL ExchangeValue(LPCWSTR name, UINT kind, void* value, const void* defaultValue) = 0;
  // *buffer null on load: a malloc block of the stored size for the caller.
  virtual BOOL ExchangeBinary(LPCWSTR name, void** buffer, UINT* size);
  virtual BOOL ExchangeClassName(LPCWSTR name, CRuntimeClass** runtimeClass, CRuntimeClass* defaultClass);
  virtual BOOL ExchangeObjectClass(CObject** object, CRuntimeClass* baseClass);
  virtual CArchive* OpenArchive(LPCWSTR name);
  virtual void CloseArchive(LPCWSTR name, CArchive* archive);
  // A new section with one reference for the caller.
  virtual CTkPropExchange* OpenSection(LPCWSTR name) = 0;
  virtual BOOL ClearSection();
  virtual void WriteCount(DWORD count);
  virtual DWORD ReadCount();
  virtual void WriteBlock(LPCWSTR name, const void* bytes, UINT size);
  virtual UINT ReadBlock(LPCWSTR name, void* buffer, UINT size);
  virtual BOOL IsKeyedStore() { return TRUE; }
  virtual BOOL HasNativeBinary() { return FALSE; }
  virtual BOOL PrepareStore();
  virtual CTkPropExchangeSequence* CreateEnumerator(LPCWSTR prefix);

  BOOL ExchangeSchema();
  void InheritSettings(const CTkPropExchange* parent);
  BOOL IsLoading() const { return m_bLoading; }

  void* m_pUserData = nullptr;
  BOOL m_bLoading = FALSE;
  UINT m_nSchema = 16;
  BOOL m_bEmptied = FALSE;
  BOOL m_bPrepared = FALSE;
  BOOL m_bUseDefaultOnLoad = TRUE;
  BOOL m_bUseDefaultOnSave = TRUE;
};

// Each section a registry key, each value under its name.
class CTkPropExchangeRegistry : public CTkPropExchange {
  DECLARE_DYNAMIC(CTkPropExchangeRegistry)
 public:
  // parentKey stays the caller's to close, after the exchange is gone.
  CTkPropExchangeRegistry(BOOL loading, HKEY parentKey, LPCWSTR path);
  ~CTkPropExchangeRegistry() override;

  BOOL ExchangeValue(LPCWSTR name, UINT kind, void* value, const void* defaultValue) override;
  BOOL ExchangeBinary(LPCWSTR name, void** buffer, UINT* size) override;
  CTkPropExchange* OpenSection(LPCWSTR name) override;
  BOOL ClearSection() override;
  BOOL HasNativeBinary() override { return TRUE; }
  BOOL PrepareStore() override;

 private:
  void CloseKey();

  HKEY m_hKey = nullptr;
  HKEY m_hParentKey;
  CString m_strPath;
};

// The values one after another in a framework archive, without names.
class CTkPropExchangeArchive : public CTkPropExchange {
  DECLARE_DYNAMIC(CTkPropExchangeArchive)
 public:
  explicit CTkPropExchangeArchive(CArchive& archive);

  BOOL ExchangeValue(LPCWSTR name, UINT kind, void* value, const void* defaultValue) override;
  BOOL ExchangeBinary(LPCWSTR name, void** buffer, UINT* size) override;
  BOOL ExchangeClassName(LPCWSTR name, CRuntimeClass** runtimeClass, CRuntimeClass* defaultClass) override;
  BOOL ExchangeObjectClass(CObject** object, CRuntimeClass* baseClass) override;
  CArchive* OpenArchive(LPCWSTR) override { return &m_archive; }
  void CloseArchive(LPCWSTR, CArchive*) override {}
  CTkPropExchange* OpenSection(LPCWSTR name) override;
  void WriteCount(DWORD count) override;
  DWORD ReadCount() override;
  void WriteBlock(LPCWSTR name, const void* bytes, UINT size) override;
  UINT ReadBlock(LPCWSTR name, void* buffer, UINT size) override;
  BOOL IsKeyedStore() override { return FALSE; }
  BOOL HasNativeBinary() override { return TRUE; }

 private:
  CArchive& m_archive;
};

// A counted list of sections named prefix0, prefix1...
class CTkPropExchangeSequence {
 public:
  CTkPropExchangeSequence(CTkPropExchange* exchange, LPCWSTR prefix) : m_pExchange(exchange), m_strPrefix(prefix) {}
  virtual ~CTkPropExchangeSequence() = default;
  CTkPropExchangeSequence(const CTkPropExchangeSequence&) = delete;
  CTkPropExchangeSequence& operator=(const CTkPropExchangeSequence&) = delete;

  // Exchanges the count ("Count", or the store's own count when
  // nativeCount); the first position, 0 when the list is empty.
  virtual DWORD Start(DWORD& count, BOOL nativeCount);
  // The item's section (the caller releases it); position moves on and
  // becomes 0 after the last item.
  virtual CTkPropExchange* Next(DWORD& position);

 private:
  CTkPropExchange* m_pExchange;
  CString m_strPrefix;
  DWORD m_nCount = 0;
};

// Holders that release a section and delete a sequence at scope end.
class CTkPropExchangeSectionHolder {
 public:
  explicit CTkPropExchangeSectionHolder(CTkPropExchange* section) : m_pSection(section) {}
  ~CTkPropExchangeSectionHolder() {
    if (m_pSection != nullptr) m_pSection->InternalRelease();
  }
  CTkPropExchangeSectionHolder(const CTkPropExchangeSectionHolder&) = delete;
  CTkPropExchangeSectionHolder& operator=(const CTkPropExchangeSectionHolder&) = delete;
  CTkPropExchange* operator->() const { return m_pSection; }
  CTkPropExchange* Get() const { return m_pSection; }

 private:
  CTkPropExchange* m_pSection;
};

class CTkPropExchangeSequenceHolder {
 public:
  explicit CTkPropExchangeSequenceHolder(CTkPropExchangeSequence* sequence) : m_pSequence(sequence) {}
  ~CTkPropExchangeSequenceHolder() { delete m_pSequence; }
  CTkPropExchangeSequenceHolder(const CTkPropExchangeSequenceHolder&) = delete;
  CTkPropExchangeSequenceHolder& operator=(const CTkPropExchangeSequenceHolder&) = delete;
  CTkPropExchangeSequence* operator->() const { return m_pSequence; }

 private:
  CTkPropExchangeSequence* m_pSequence;
};

BOOL ExchangeIntNoDefault(CTkPropExchange* exchange, LPCWSTR name, int* value);
BOOL ExchangeInt(CTkPropExchange* exchange, LPCWSTR name, int* value, int defaultValue);
BOOL ExchangeBool(CTkPropExchange* exchange, LPCWSTR name, BOOL* value, BOOL defaultValue);
BOOL ExchangeTextNoDefault(CTkPropExchange* exchange, LPCWSTR name, CString* value);
BOOL ExchangeText(CTkPropExchange* exchange, LPCWSTR name, CString* value, LPCWSTR defaultValue);
BOOL ExchangeSize(CTkPropExchange* exchange, LPCWSTR name, SIZE* value, SIZE defaultValue);
BOOL ExchangeRect(CTkPropExchange* exchange, LPCWSTR name, RECT* value, RECT defaultValue);
BOOL ExchangeRuntimeClass(CTkPropExchange* exchange, LPCWSTR name, CRuntimeClass** value,
                          CRuntimeClass* defaultValue);
BOOL ExchangeBlob(CTkPropExchange* exchange, LPCWSTR name, void** buffer, UINT* size);
// The object's Serialize over the exchange's archive; FALSE on an archive
// or OLE exception.
BOOL ExchangeSerializable(CTkPropExchange* exchange, LPCWSTR name, CObject* object);
