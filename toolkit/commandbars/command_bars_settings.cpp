#include "command_bars_settings.h"

#include <utility>
#include <vector>

#include "prop_exchange.h"

namespace {

typedef std::vector<std::pair<UINT, BOOL>> IdPairs;

// The map's own serialization, decoded whole before the map changes: an
// archive that ends early throws, and the map keeps what it held.
class IdMapSerializer : public CObject {
 public:
  explicit IdMapSerializer(CTkIdMap& map) : m_map(map) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      m_map.Serialize(ar);
      return;
    }
    IdPairs pairs;
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
      UINT id = 0;
      BOOL flag = FALSE;
      ar >> id;
      ar >> flag;
      pairs.emplace_back(id, flag);
    }
    m_map.RemoveAll();
    for (const auto& pair : pairs) m_map.SetAt(pair.first, pair.second);
  }

 private:
  CTkIdMap& m_map;
};

BOOL ExchangeIdSection(CTkPropExchange* exchange, LPCWSTR key, CTkIdMap& map) {
  CTkPropExchangeSectionHolder section(exchange->OpenSection(key));
  if (section.Get() == nullptr) return FALSE;
  if (!exchange->IsLoading()) {
    int count = static_cast<int>(map.GetCount());
    ExchangeInt(section.Get(), L"Count", &count, 0);
    int index = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr; ++index) {
      UINT id = 0;
      BOOL flag = FALSE;
      map.GetNextAssoc(pos, id, flag);
      CString name;
      name.Format(L"Item%i", index);
      int value = static_cast<int>(id);
      ExchangeInt(section.Get(), name, &value, 0);
    }
    return TRUE;
  }
  int count = 0;
  ExchangeInt(section.Get(), L"Count", &count, 0);
  map.RemoveAll();
  for (int index = 0; index < count; ++index) {
    CString name;
    name.Format(L"Item%i", index);
    int value = 0;
    ExchangeInt(section.Get(), name, &value, 0);
    map.SetAt(static_cast<UINT>(value), TRUE);
  }
  return TRUE;
}

}  // namespace

BOOL ExchangeIdMap(CTkPropExchange* exchange, LPCWSTR key, CTkIdMap& map) {
  if (exchange->HasNativeBinary()) {
    IdMapSerializer serializer(map);
    return ExchangeSerializable(exchange, key, &serializer);
  }
  return ExchangeIdSection(exchange, key, map);
}

void CopyIdMap(CTkIdMap& target, const CTkIdMap& source) {
  target.RemoveAll();
  for (POSITION pos = source.GetStartPosition(); pos != nullptr;) {
    UINT id = 0;
    BOOL flag = FALSE;
    source.GetNextAssoc(pos, id, flag);
    target.SetAt(id, flag);
  }
}
