// The two stores behind the property exchange: the registry and an archive.
#include <shlwapi.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

#include "profile_store.h"
#include "prop_exchange.h"

IMPLEMENT_DYNAMIC(CTkPropExchangeRegistry, CTkPropExchange)
IMPLEMENT_DYNAMIC(CTkPropExchangeArchive, CTkPropExchange)

CTkPropExchangeRegistry::CTkPropExchangeRegistry(BOOL loading, HKEY parentKey, LPCWSTR path)
    : m_hParentKey(parentKey), m_strPath(path) {
  m_bLoading = loading;
}

CTkPropExchangeRegistry::~CTkPropExchangeRegistry() { CloseKey(); }

void CTkPropExchangeRegistry::CloseKey() {
  if (m_hKey != nullptr) ::RegCloseKey(m_hKey);
  m_hKey = nullptr;
}

BOOL CTkPropExchangeRegistry::PrepareStore() {
  if (m_hParentKey == nullptr) return FALSE;
  if (!m_bPrepared) {
    m_bPrepared = TRUE;
    if (::RegCreateKeyExW(m_hParentKey, m_strPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          m_bLoading ? KEY_READ : KEY_WRITE, nullptr, &m_hKey, nullptr) != ERROR_SUCCESS)
      m_hKey = nullptr;
  }
  return m_hKey != nullptr;
}

BOOL CTkPropExchangeRegistry::ExchangeValue(LPCWSTR name, UINT kind, void* value, const void* defaultValue) {
  kind = static_cast<WORD>(kind);
  if (m_bLoading) {
    const void* fallback = m_bUseDefaultOnLoad ? defaultValue : nullptr;
    if (!PrepareStore()) return CopyValue(kind, value, fallback);
    switch (kind) {
      case kTkShort: case kTkInt: case kTkBool: case kTkByte: {
        DWORD word = 0, size = sizeof word;
        if (::RegQueryValueExW(m_hKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&word), &size) !=
            ERROR_SUCCESS)
          return CopyValue(kind, value, fallback);
        std::memcpy(value, &word, SizeOfValueKind(kind));
        return TRUE;
      }
      case kTkText: case kTkRect: case kTkSize: {
        CString text;
        if (!ReadRegistryText(m_hKey, name, text)) return CopyValue(kind, value, fallback);
        if (kind == kTkText) {
          *static_cast<CString*>(value) = text;
          return TRUE;
        }
        if (kind == kTkSize) {
          int cx = 0, cy = 0;
          if (swscanf(text, L"%i, %i", &cx, &cy) != 2) return CopyValue(kind, value, fallback);
          *static_cast<SIZE*>(value) = {cx, cy};
          return TRUE;
        }
        int left = 0, top = 0, right = 0, bottom = 0;
        if (swscanf(text, L"%i, %i, %i, %i", &left, &top, &right, &bottom) != 4)
          return CopyValue(kind, value, fallback);
        *static_cast<RECT*>(value) = {left, top, right, bottom};
        return TRUE;
      }
      default:
        return FALSE;
    }
  }

  if (!PrepareStore()) return FALSE;
  if (IsSameValue(kind, value, m_bUseDefaultOnSave ? defaultValue : nullptr)) {
    if (!m_bEmptied) ::RegDeleteValueW(m_hKey, name);
    return TRUE;
  }
  LONG status;
  switch (kind) {
    case kTkShort: case kTkInt: case kTkBool: case kTkByte: {
      DWORD word = 0;
      std::memcpy(&word, value, SizeOfValueKind(kind));
      status = ::RegSetValueExW(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word);
      break;
    }
    case kTkFloat: case kTkDouble:
      status = ::RegSetValueExW(m_hKey, name, 0, REG_BINARY, static_cast<const BYTE*>(value), SizeOfValueKind(kind));
      break;
    case kTkText: case kTkRect: case kTkSize: {
      CString text;
      if (kind == kTkText) {
        text = *static_cast<const CString*>(value);
      } else if (kind == kTkRect) {
        const RECT* r = static_cast<const RECT*>(value);
        text.Format(L"%i, %i, %i, %i", static_cast<int>(r->left), static_cast<int>(r->top),
                    static_cast<int>(r->right), static_cast<int>(r->bottom));
      } else {
        const SIZE* s = static_cast<const SIZE*>(value);
        text.Format(L"%i, %i", static_cast<int>(s->cx), static_cast<int>(s->cy));
      }
      status = ::RegSetValueExW(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCWSTR>(text)),
                                static_cast<DWORD>((text.GetLength() + 1) * sizeof(WCHAR)));
      break;
    }
    default:
      return FALSE;
  }
  return status == ERROR_SUCCESS;
}

BOOL CTkPropExchangeRegistry::ExchangeBinary(LPCWSTR name, void** buffer, UINT* size) {
  if (!PrepareStore()) return FALSE;
  if (!m_bLoading)
    return ::RegSetValueExW(m_hKey, name, 0, REG_BINARY, static_cast<const BYTE*>(*buffer), *size) == ERROR_SUCCESS;
  DWORD stored = 0;
  if (::RegQueryValueExW(m_hKey, name, nullptr, nullptr, nullptr, &stored) != ERROR_SUCCESS) return FALSE;
  bool allocated = false;
  if (*buffer == nullptr) {
    *buffer = std::malloc(stored != 0 ? stored : 1);
    if (*buffer == nullptr) return FALSE;
    *size = stored;
    allocated = true;
  } else if (*size < stored) {
    return FALSE;
  }
  DWORD read = stored;
  if (::RegQueryValueExW(m_hKey, name, nullptr, nullptr, static_cast<BYTE*>(*buffer), &read) != ERROR_SUCCESS) {
    if (allocated) {
      std::free(*buffer);
      *buffer = nullptr;
    }
    return FALSE;
  }
  *size = read;
  return TRUE;
}

CTkPropExchange* CTkPropExchangeRegistry::OpenSection(LPCWSTR name) {
  PrepareStore();
  auto* section = new CTkPropExchangeRegistry(m_bLoading, m_hKey, name);
  section->InheritSettings(this);
  return section;
}

BOOL CTkPropExchangeRegistry::ClearSection() {
  m_bEmptied = TRUE;
  CloseKey();
  LONG status = m_hParentKey != nullptr ? ::SHDeleteKeyW(m_hParentKey, m_strPath) : ERROR_INVALID_HANDLE;
  m_bPrepared = FALSE;
  return status == ERROR_SUCCESS;
}

CTkPropExchangeArchive::CTkPropExchangeArchive(CArchive& archive) : m_archive(archive) {
  m_bLoading = archive.IsLoading();
}

namespace {

template <class T>
void Exchange(CArchive& ar, BOOL loading, void* value) {
  if (loading) ar >> *static_cast<T*>(value);
  else ar << *static_cast<T*>(value);
}

}  // namespace

BOOL CTkPropExchangeArchive::ExchangeValue(LPCWSTR, UINT kind, void* value, const void*) {
  PrepareStore();
  switch (static_cast<WORD>(kind)) {
    case kTkShort: Exchange<short>(m_archive, m_bLoading, value); break;
    case kTkInt: case kTkBool: Exchange<int>(m_archive, m_bLoading, value); break;
    case kTkFloat: Exchange<float>(m_archive, m_bLoading, value); break;
    case kTkDouble: Exchange<double>(m_archive, m_bLoading, value); break;
    case kTkByte: Exchange<BYTE>(m_archive, m_bLoading, value); break;
    case kTkCurrency: {
      CY* cy = static_cast<CY*>(value);
      Exchange<DWORD>(m_archive, m_bLoading, &cy->Lo);
      Exchange<LONG>(m_archive, m_bLoading, &cy->Hi);
      break;
    }
    case kTkDate: {
      CTkDateValue* date = static_cast<CTkDateValue*>(value);
      Exchange<LONG>(m_archive, m_bLoading, &date->status);
      Exchange<double>(m_archive, m_bLoading, &date->value);
      break;
    }
    case kTkText:
      if (m_bLoading) m_archive >> *static_cast<CString*>(value);
      else m_archive << *static_cast<CString*>(value);
      break;
    case kTkRect: {
      RECT* r = static_cast<RECT*>(value);
      for (LONG* side : {&r->left, &r->top, &r->right, &r->bottom}) Exchange<LONG>(m_archive, m_bLoading, side);
      break;
    }
    case kTkSize: {
      SIZE* s = static_cast<SIZE*>(value);
      Exchange<LONG>(m_archive, m_bLoading, &s->cx);
      Exchange<LONG>(m_archive, m_bLoading, &s->cy);
      break;
    }
    default:
      break;
  }
  return TRUE;
}

BOOL CTkPropExchangeArchive::ExchangeBinary(LPCWSTR, void** buffer, UINT* size) {
  if (!m_bLoading) {
    m_archive.WriteCount(*size);
    m_archive.Write(*buffer, *size);
    return TRUE;
  }
  DWORD count = static_cast<DWORD>(m_archive.ReadCount());
  if (*buffer != nullptr) {
    if (*size < count) return FALSE;
    return m_archive.Read(*buffer, count) == count;
  }
  // The count comes from the stream (clipboard data too): read in pieces,
  // so a damaged count ends at the end of the data instead of allocating
  // whatever it says.
  std::vector<BYTE> bytes;
  BYTE piece[4096];
  for (DWORD left = count; left > 0;) {
    UINT want = left < sizeof piece ? left : sizeof piece;
    UINT got = m_archive.Read(piece, want);
    bytes.insert(bytes.end(), piece, piece + got);
    if (got != want) return FALSE;
    left -= got;
  }
  *buffer = std::malloc(count != 0 ? count : 1);
  if (*buffer == nullptr) return FALSE;
  if (count != 0) std::memcpy(*buffer, bytes.data(), count);
  *size = count;
  return TRUE;
}

BOOL CTkPropExchangeArchive::ExchangeClassName(LPCWSTR, CRuntimeClass** runtimeClass, CRuntimeClass* defaultClass) {
  if (!m_bLoading) {
    if (*runtimeClass == nullptr) return FALSE;
    m_archive.WriteClass(*runtimeClass);
    return TRUE;
  }
  UINT schema = 0;
  CRuntimeClass* loaded = m_archive.ReadClass(defaultClass, &schema, nullptr);
  if (loaded == nullptr) return FALSE;
  m_nSchema = schema;
  *runtimeClass = loaded;
  return TRUE;
}

BOOL CTkPropExchangeArchive::ExchangeObjectClass(CObject** object, CRuntimeClass* baseClass) {
  if (!CTkPropExchange::ExchangeObjectClass(object, baseClass)) return FALSE;
  // Later references to the object in this archive resolve to it.
  m_archive.MapObject(*object);
  return TRUE;
}

CTkPropExchange* CTkPropExchangeArchive::OpenSection(LPCWSTR) {
  auto* section = new CTkPropExchangeArchive(m_archive);
  section->InheritSettings(this);
  return section;
}

void CTkPropExchangeArchive::WriteCount(DWORD count) { m_archive.WriteCount(count); }

DWORD CTkPropExchangeArchive::ReadCount() { return static_cast<DWORD>(m_archive.ReadCount()); }

void CTkPropExchangeArchive::WriteBlock(LPCWSTR, const void* bytes, UINT size) { m_archive.Write(bytes, size); }

UINT CTkPropExchangeArchive::ReadBlock(LPCWSTR, void* buffer, UINT size) { return m_archive.Read(buffer, size); }
