#include "command_bars_settings.h"

#include <utility>
#include <vector>

#include "bar_painter.h"
#include "command_bars.h"
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

void CTkCommandBarsSettings::ExchangeOptions(CTkPropExchange* exchange, BOOL userOptionsOnly) {
  exchange->m_bUseDefaultOnLoad = FALSE;
  exchange->m_bUseDefaultOnSave = FALSE;
  exchange->ExchangeSchema();
  const UINT schema = exchange->m_nSchema;
  ExchangeBool(exchange, L"AlwaysShowFullMenus", &bAlwaysShowFullMenus, TRUE);
  ExchangeBool(exchange, L"ShowFullAfterDelay", &bShowFullAfterDelay, TRUE);
  ExchangeBool(exchange, L"ToolBarScreenTips", &bToolBarScreenTips, TRUE);
  ExchangeBool(exchange, L"ToolBarAccelTips", &bToolBarAccelTips, FALSE);
  ExchangeBool(exchange, L"LargeIcons", &bLargeIcons, FALSE);
  // A keyed store gets no value for an empty set; an archive always does.
  if (schema > 7 && (exchange->IsLoading() || !exchange->IsKeyedStore() || !m_mapUsedCommands.IsEmpty()))
    ExchangeIdMap(exchange, L"UsedCommands", m_mapUsedCommands);
  if (userOptionsOnly) {
    ExchangeInt(exchange, L"Animation", &nAnimationType, 0);
    return;
  }
  ExchangeBool(exchange, L"SyncFloatingBars", &bSyncFloatingBars, TRUE);
  ExchangeBool(exchange, L"ShowExpandButtonAlways", &bShowExpandButtonAlways, TRUE);
  ExchangeSize(exchange, L"IconsSize", &szIcons, CSize(0, 0));
  ExchangeSize(exchange, L"LargeIconsSize", &szLargeIcons, CSize(0, 0));
  if (exchange->IsLoading() || !exchange->IsKeyedStore() || !m_mapHiddenCommands.IsEmpty())
    ExchangeIdMap(exchange, L"HiddenCommands", m_mapHiddenCommands);
  CTkBarPainter* painter = m_pCommandBars != nullptr ? m_pCommandBars->GetPainterOrCurrent() : GetCurrentBarPainter();
  BOOL unused[3] = {FALSE, TRUE, TRUE};
  BOOL* icons = painter != nullptr ? painter->GetIconOptions() : unused;
  // The look keeps them as faded, disabled, shadowed; they are stored in
  // the other order.
  ExchangeBool(exchange, L"IconsWithShadow", &icons[2], FALSE);
  ExchangeBool(exchange, L"UseDisabledIcons", &icons[1], TRUE);
  ExchangeBool(exchange, L"UseFadedIcons", &icons[0], TRUE);
  if (schema > 7) {
    ExchangeBool(exchange, L"SyncFloatingBars", &bSyncFloatingBars, TRUE);
    ExchangeBool(exchange, L"ShowExpandButtonAlways", &bShowExpandButtonAlways, TRUE);
    ExchangeBool(exchange, L"DblClickFloat", &bDblClickFloat, FALSE);
    ExchangeBool(exchange, L"ShowTextBelowIcons", &bShowTextBelowIcons, FALSE);
    ExchangeBool(exchange, L"AltDragCustomization", &bAltDragCustomization, TRUE);
    ExchangeBool(exchange, L"AutoHideUnusedPopups", &bAutoHideUnusedPopups, TRUE);
    ExchangeSize(exchange, L"PopupIconsSize", &szPopupIcons, CSize(16, 16));
  }
  if (schema > 8) {
    ExchangeInt(exchange, L"KeyboardCuesUse", &nKeyboardCuesUse, 1);
    ExchangeInt(exchange, L"KeyboardCuesShow", &nKeyboardCuesShow, 0);
    if (exchange->IsLoading() && m_pCommandBars != nullptr) m_pCommandBars->ApplyKeyboardCuesShow();
  }
  if (schema > 7) ExchangeInt(exchange, L"Animation", &nAnimationType, 0);
}

void CTkCommandBarsSettings::Serialize(CArchive& ar) {
  CTkPropExchangeArchive exchange(ar);
  ExchangeOptions(&exchange, FALSE);
}
