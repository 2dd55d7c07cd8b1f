#include "prop_exchange.h"

#include <cstdlib>
#include <cstring>

#include "profile_store.h"

IMPLEMENT_DYNAMIC(CTkPropExchange, CCmdTarget)

int SizeOfValueKind(UINT kind) {
  switch (static_cast<WORD>(kind)) {
    case kTkShort: return 2;
    case kTkInt: case kTkFloat: case kTkBstr: case kTkBool: return 4;
    case kTkDouble: case kTkCurrency: case kTkSize: return 8;
    case kTkDate: return 12;
    case kTkVariant: case kTkRect: return 16;
    case kTkByte: return 1;
    default: return 0;
  }
}

BOOL IsSameValue(UINT kind, const void* value, const void* defaultValue) {
  if (value == defaultValue) return TRUE;
  if (value == nullptr || defaultValue == nullptr) return FALSE;
  switch (static_cast<WORD>(kind)) {
    case kTkShort: case kTkInt: case kTkFloat: case kTkDouble: case kTkCurrency: case kTkBool: case kTkByte:
    case kTkRect: case kTkSize:
      return std::memcmp(value, defaultValue, SizeOfValueKind(kind)) == 0;
    case kTkDate: {
      auto a = static_cast<const CTkDateValue*>(value), b = static_cast<const CTkDateValue*>(defaultValue);
      return a->status == b->status && a->value == b->value;
    }
    case kTkBstr: {
      BSTR a = *static_cast<const BSTR*>(value), b = *static_cast<const BSTR*>(defaultValue);
      return std::wcscmp(a != nullptr ? a : L"", b != nullptr ? b : L"") == 0;
    }
    case kTkText:
      return static_cast<const CString*>(value)->Compare(static_cast<LPCWSTR>(defaultValue)) == 0;
    case kTkVariant: {
      auto a = static_cast<const VARIANT*>(value), b = static_cast<const VARIANT*>(defaultValue);
      return a->vt == b->vt &&
             VarCmp(const_cast<VARIANT*>(a), const_cast<VARIANT*>(b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
    }
    default: return FALSE;
  }
}

BOOL CopyValue(UINT kind, void* destination, const void* source) {
  if (source == nullptr) return FALSE;
  switch (static_cast<WORD>(kind)) {
    case kTkText: *static_cast<CString*>(destination) = static_cast<LPCWSTR>(source); return TRUE;
    case kTkBstr: *static_cast<BSTR*>(destination) = SysAllocString(*static_cast<const BSTR*>(source)); return TRUE;
    case kTkVariant:
      return SUCCEEDED(VariantCopy(static_cast<VARIANT*>(destination), const_cast<VARIANT*>(static_cast<const VARIANT*>(source))));
    default: {
      int width = SizeOfValueKind(kind);
      if (width == 0) return FALSE;
      std::memcpy(destination, source, width);
      return TRUE;
    }
  }
}

BOOL CTkPropExchange::ExchangeBinary(LPCWSTR name, void** buffer, UINT* size) {
  if (!m_bLoading) {
    CString text = EncodeLetterPairs(static_cast<const BYTE*>(*buffer), *size);
    return ExchangeValue(name, kTkText, &text, nullptr);
  }
  CString text;
  if (!ExchangeValue(name, kTkText, &text, nullptr) || text.IsEmpty()) return FALSE;
  UINT count = static_cast<UINT>(text.GetLength() / 2);
  if (*buffer == nullptr) {
    *buffer = std::malloc(count != 0 ? count : 1);
  } else if (*size < count) {
    return FALSE;
  }
  DecodeLetterPairs(text, static_cast<BYTE*>(*buffer), count);
  *size = count;
  return TRUE;
}

BOOL CTkPropExchange::ExchangeClassName(LPCWSTR name, CRuntimeClass** runtimeClass, CRuntimeClass* defaultClass) {
  if (!m_bLoading) {
    CString text(*runtimeClass != nullptr ? (*runtimeClass)->m_lpszClassName : "");
    CString defaultText(defaultClass != nullptr ? defaultClass->m_lpszClassName : "");
    return ExchangeValue(name, kTkText, &text, static_cast<LPCWSTR>(defaultText));
  }
  CString text;
  if (!ExchangeValue(name, kTkText, &text, nullptr)) {
    *runtimeClass = defaultClass;
    return TRUE;
  }
  *runtimeClass = CRuntimeClass::FromName(static_cast<LPCWSTR>(text));
  return *runtimeClass != nullptr;
}

BOOL CTkPropExchange::ExchangeObjectClass(CObject** object, CRuntimeClass* baseClass) {
  CRuntimeClass* runtimeClass = m_bLoading ? nullptr : (*object)->GetRuntimeClass();
  if (!ExchangeClassName(L"Class", &runtimeClass, baseClass)) return FALSE;
  if (!m_bLoading) return TRUE;
  // Checked before creating: a stored name must not make just any class.
  if (runtimeClass == nullptr || !runtimeClass->IsDerivedFrom(baseClass)) return FALSE;
  CObject* created = runtimeClass->CreateObject();
  if (created == nullptr) return FALSE;
  *object = created;
  return TRUE;
}

CArchive* CTkPropExchange::OpenArchive(LPCWSTR name) {
  if (!m_bLoading) return new CArchive(new CMemFile(1024), CArchive::store, 4096);
  void* bytes = nullptr;
  UINT size = 0;
  if (!ExchangeBinary(name, &bytes, &size) || size == 0) {
    std::free(bytes);
    return nullptr;
  }
  return new CArchive(new CMemFile(static_cast<BYTE*>(bytes), size), CArchive::load, 4096);
}

void CTkPropExchange::CloseArchive(LPCWSTR name, CArchive* archive) {
  CMemFile* file = static_cast<CMemFile*>(archive->GetFile());
  if (!m_bLoading) {
    archive->Flush();
    UINT size = static_cast<UINT>(file->GetLength());
    void* bytes = file->Detach();
    ExchangeBinary(name, &bytes, &size);
    std::free(bytes);
  } else {
    std::free(file->Detach());
  }
  archive->Abort();
  delete archive;
  delete file;
}

BOOL CTkPropExchange::ClearSection() {
  m_bEmptied = TRUE;
  return TRUE;
}

void CTkPropExchange::WriteCount(DWORD count) {
  int value = static_cast<int>(count);
  ExchangeInt(this, L"Count", &value, 0);
}

DWORD CTkPropExchange::ReadCount() {
  int value = 0;
  ExchangeInt(this, L"Count", &value, 0);
  return static_cast<DWORD>(value);
}

void CTkPropExchange::WriteBlock(LPCWSTR name, const void* bytes, UINT size) {
  void* buffer = const_cast<void*>(bytes);
  ExchangeBinary(name, &buffer, &size);
}

UINT CTkPropExchange::ReadBlock(LPCWSTR name, void* buffer, UINT size) {
  return ExchangeBinary(name, &buffer, &size) ? size : 0;
}

BOOL CTkPropExchange::PrepareStore() {
  m_bPrepared = TRUE;
  return TRUE;
}

CTkPropExchangeSequence* CTkPropExchange::CreateEnumerator(LPCWSTR prefix) {
  return new CTkPropExchangeSequence(this, prefix);
}

BOOL CTkPropExchange::ExchangeSchema() {
  int schema = static_cast<int>(m_nSchema);
  BOOL ok = ExchangeInt(this, L"Schema", &schema, 16);
  m_nSchema = static_cast<UINT>(schema);
  return ok;
}

void CTkPropExchange::InheritSettings(const CTkPropExchange* parent) {
  m_pUserData = parent->m_pUserData;
  m_nSchema = parent->m_nSchema;
  m_bEmptied = parent->m_bEmptied;
  m_bUseDefaultOnLoad = parent->m_bUseDefaultOnLoad;
  m_bUseDefaultOnSave = parent->m_bUseDefaultOnSave;
}

DWORD CTkPropExchangeSequence::Start(DWORD& count, BOOL nativeCount) {
  if (m_pExchange == nullptr) return 0;
  if (nativeCount) {
    if (m_pExchange->IsLoading()) count = m_pExchange->ReadCount();
    else m_pExchange->WriteCount(count);
  } else {
    int value = static_cast<int>(count);
    ExchangeInt(m_pExchange, L"Count", &value, 0);
    count = static_cast<DWORD>(value);
  }
  m_nCount = count;
  return count != 0 ? 1 : 0;
}

CTkPropExchange* CTkPropExchangeSequence::Next(DWORD& position) {
  CString name;
  name.Format(L"%s%i", static_cast<LPCWSTR>(m_strPrefix), static_cast<int>(position - 1));
  if (++position > m_nCount) position = 0;
  return m_pExchange->OpenSection(name);
}

BOOL ExchangeIntNoDefault(CTkPropExchange* exchange, LPCWSTR name, int* value) {
  return exchange->ExchangeValue(name, kTkInt, value, nullptr);
}

BOOL ExchangeInt(CTkPropExchange* exchange, LPCWSTR name, int* value, int defaultValue) {
  return exchange->ExchangeValue(name, kTkInt, value, &defaultValue);
}

BOOL ExchangeBool(CTkPropExchange* exchange, LPCWSTR name, BOOL* value, BOOL defaultValue) {
  return exchange->ExchangeValue(name, kTkBool, value, &defaultValue);
}

BOOL ExchangeTextNoDefault(CTkPropExchange* exchange, LPCWSTR name, CString* value) {
  return exchange->ExchangeValue(name, kTkText, value, nullptr);
}

BOOL ExchangeText(CTkPropExchange* exchange, LPCWSTR name, CString* value, LPCWSTR defaultValue) {
  return exchange->ExchangeValue(name, kTkText, value, defaultValue);
}

BOOL ExchangeSize(CTkPropExchange* exchange, LPCWSTR name, SIZE* value, SIZE defaultValue) {
  return exchange->ExchangeValue(name, kTkSize, value, &defaultValue);
}

BOOL ExchangeRect(CTkPropExchange* exchange, LPCWSTR name, RECT* value, RECT defaultValue) {
  return exchange->ExchangeValue(name, kTkRect, value, &defaultValue);
}

BOOL ExchangeRuntimeClass(CTkPropExchange* exchange, LPCWSTR name, CRuntimeClass** value,
                          CRuntimeClass* defaultValue) {
  return exchange->ExchangeClassName(name, value, defaultValue);
}

BOOL ExchangeBlob(CTkPropExchange* exchange, LPCWSTR name, void** buffer, UINT* size) {
  return exchange->ExchangeBinary(name, buffer, size);
}

BOOL ExchangeSerializable(CTkPropExchange* exchange, LPCWSTR name, CObject* object) {
  CArchive* archive = exchange->OpenArchive(name);
  if (archive == nullptr) return FALSE;
  BOOL ok = TRUE;
  try {
    object->Serialize(*archive);
  } catch (CArchiveException* e) {
    e->Delete();
    ok = FALSE;
  } catch (COleException* e) {
    e->Delete();
    ok = FALSE;
  }
  exchange->CloseArchive(name, archive);
  return ok;
}
