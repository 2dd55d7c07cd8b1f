// The user's customized bars through a property exchange: which bars are
// stored, the keys of each kind of bar, how popup bars are numbered and
// linked back after loading, and how loaded bars merge with the bars the
// program built. The archive form is positional: both directions must
// make the same calls in the same order.
#include "command_bar_list.h"
#include "command_bars.h"
#include "dock_bar.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "prop_exchange.h"
#include "resource_loader.h"
#include "toolkit_resources.h"
#include "tool_bar.h"

namespace {

// Popup bars stored without an id of their own are numbered from here.
const UINT kFirstPopupBarId = 0x1000000;
const UINT kMaxOwnBarId = 0xFFFFFF;

CTkToolBar* AsToolBar(CTkCommandBar* bar) {
  return bar != nullptr && bar->IsKindOf(RUNTIME_CLASS(CTkToolBar)) ? static_cast<CTkToolBar*>(bar) : nullptr;
}

void ExchangeUInt(CTkPropExchange* exchange, LPCWSTR key, UINT& value, int defaultValue) {
  int stored = static_cast<int>(value);
  ExchangeInt(exchange, key, &stored, defaultValue);
  value = static_cast<UINT>(stored);
}

void ExchangeDword(CTkPropExchange* exchange, LPCWSTR key, DWORD& value, int defaultValue) {
  int stored = static_cast<int>(value);
  ExchangeInt(exchange, key, &stored, defaultValue);
  value = static_cast<DWORD>(stored);
}

CTkCommandBars* OwnerOf(CTkPropExchange* exchange) {
  BarsExchangeParams* params = GetExchangeParams(exchange);
  return params != nullptr ? params->pOwner : nullptr;
}

}  // namespace

BarsExchangeParams* GetExchangeParams(CTkPropExchange* exchange) {
  return exchange != nullptr ? static_cast<BarsExchangeParams*>(exchange->m_pUserData) : nullptr;
}

void CTkCommandBarList::Add(CTkCommandBar* bar) {
  if (bar == nullptr) return;
  bar->InternalAddRef();
  m_bars.push_back(bar);
}

BOOL CTkCommandBarList::Contains(const CTkCommandBar* bar) const {
  for (CTkCommandBar* listed : m_bars)
    if (listed == bar) return TRUE;
  return FALSE;
}

CTkCommandBar* CTkCommandBarList::FindBar(UINT id) const {
  if (id == 0) return nullptr;
  for (CTkCommandBar* bar : m_bars)
    if (bar->GetBarID() == id) return bar;
  return nullptr;
}

void CTkCommandBarList::RemoveAll() {
  std::vector<CTkCommandBar*> bars;
  bars.swap(m_bars);
  for (CTkCommandBar* bar : bars) bar->InternalRelease();
}

// Control collections.

void CTkControls::SetOriginalControls(CTkControls* original) {
  if (original != nullptr) original->InternalAddRef();
  ClearOriginalControls();
  m_pOriginalControls = original;
}

void CTkControls::DoPropExchange(CTkPropExchange* exchange) {
  BarsExchangeParams* params = GetExchangeParams(exchange);
  CTkPropExchangeSequenceHolder list(exchange->CreateEnumerator(L"Control"));
  if (!exchange->IsLoading()) {
    DWORD count = 0;
    for (CTkControl* control : m_controls)
      if (!control->IsTemporary()) ++count;
    DWORD position = list->Start(count, FALSE);
    for (CTkControl* control : m_controls) {
      if (control->IsTemporary()) continue;
      CTkPropExchangeSectionHolder item(list->Next(position));
      CObject* object = control;
      item->ExchangeObjectClass(&object, RUNTIME_CLASS(CTkControl));
      control->ExchangeControlProperties(item.Get());
    }
    // Older layouts end the collection with its controls.
    if (exchange->m_nSchema <= 2) return;
    BOOL original = m_pOriginalControls != nullptr && (params == nullptr || params->bIncludeOriginal);
    ExchangeBool(exchange, L"OriginalControls", &original, FALSE);
    if (original) {
      CTkPropExchangeSectionHolder section(exchange->OpenSection(L"OriginalControls"));
      m_pOriginalControls->DoPropExchange(section.Get());
    }
    BOOL customized = FALSE;
    ExchangeBool(exchange, L"CustomizedControls", &customized, FALSE);
    return;
  }
  DWORD count = 0;
  DWORD position = list->Start(count, FALSE);
  RemoveAll();
  for (DWORD i = 0; i < count && position != 0; ++i) {
    CTkPropExchangeSectionHolder item(list->Next(position));
    CObject* object = nullptr;
    if (!item->ExchangeObjectClass(&object, RUNTIME_CLASS(CTkControl)))
      AfxThrowArchiveException(CArchiveException::badClass);
    auto* control = static_cast<CTkControl*>(object);
    // Held before reading, so a read that throws still releases it.
    m_controls.push_back(control);
    control->m_pControls = this;
    control->ExchangeControlProperties(item.Get());
  }
  RefreshIndexes();
  if (exchange->m_nSchema <= 2) return;
  BOOL original = FALSE;
  ExchangeBool(exchange, L"OriginalControls", &original, FALSE);
  if (original) {
    ClearOriginalControls();
    m_pOriginalControls = new CTkControls;
    m_pOriginalControls->m_pCommandBars = GetCommandBars() != nullptr ? GetCommandBars() : OwnerOf(exchange);
    CTkPropExchangeSectionHolder section(exchange->OpenSection(L"OriginalControls"));
    m_pOriginalControls->DoPropExchange(section.Get());
  }
  BOOL customized = FALSE;
  ExchangeBool(exchange, L"CustomizedControls", &customized, FALSE);
  if (customized) {
    // Read past: nothing uses it.
    auto* skipped = new CTkControls;
    skipped->m_pCommandBars = OwnerOf(exchange);
    CTkPropExchangeSectionHolder section(exchange->OpenSection(L"CustomizedControls"));
    try {
      skipped->DoPropExchange(section.Get());
    } catch (...) {
      skipped->InternalRelease();
      throw;
    }
    skipped->InternalRelease();
  }
}

void CTkControls::CollectPopupBars(UINT& nextId, CTkCommandBarList& list, const BarsExchangeParams& params) {
  const std::vector<CTkControl*> controls = m_controls;
  for (CTkControl* control : controls) {
    if (control->IsTemporary()) continue;
    if (CTkCommandBar* popup = control->GetCommandBar()) popup->CollectForSave(nextId, list, params);
  }
  if (params.bIncludeOriginal && m_pOriginalControls != nullptr)
    m_pOriginalControls->CollectPopupBars(nextId, list, params);
}

void CTkControls::RestorePopupLinks(CTkCommandBarList& list) {
  const std::vector<CTkControl*> controls = m_controls;
  for (CTkControl* control : controls) {
    if (!control->IsKindOf(RUNTIME_CLASS(CTkControlPopup))) continue;
    auto* popup = static_cast<CTkControlPopup*>(control);
    const UINT id = popup->GetStoredBarId();
    if (id == 0) continue;
    // Cleared first: a popup bar that reaches itself again is linked once.
    popup->SetStoredBarId(0);
    CTkCommandBar* bar = list.FindBar(id);
    if (bar == nullptr) continue;
    popup->SetCommandBar(bar);
    bar->RestorePopupLinks(list);
  }
  if (m_pOriginalControls != nullptr) m_pOriginalControls->RestorePopupLinks(list);
}

// Bars.

void CTkCommandBar::ExchangeBarProperties(CTkPropExchange* exchange) {
  ExchangeInt(exchange, L"Type", &m_barType, kBarTool);
  ExchangeInt(exchange, L"Position", &m_barPosition, kBarTop);
  ExchangeUInt(exchange, L"BarID", m_nBarID, 0);
  ExchangeDword(exchange, L"Flags", m_dwFlags, 0);
  ExchangeDword(exchange, L"Style", m_dwStyle, 0);
  ExchangeText(exchange, L"Title", &m_strTitle, L"");
  ExchangeBool(exchange, L"Customizable", &m_bCustomizable, TRUE);
  ExchangeInt(exchange, L"MRUWidth", &m_nMRUWidth, 0);
  if (exchange->m_nSchema > 2) ExchangeSize(exchange, L"IconSize", &m_szIcons, CSize(0, 0));
  if (exchange->IsLoading()) {
    if (CTkCommandBars* owner = OwnerOf(exchange)) m_pCommandBars = owner;
  }
  CTkPropExchangeSectionHolder section(exchange->OpenSection(L"Controls"));
  m_pControls->DoPropExchange(section.Get());
}

void CTkToolBar::ExchangeBarProperties(CTkPropExchange* exchange) {
  CTkCommandBar::ExchangeBarProperties(exchange);
  ExchangeBool(exchange, L"BuiltIn", &m_bBuiltIn, TRUE);
  ExchangeBool(exchange, L"TearOff", &m_bTearOff, FALSE);
  if (exchange->m_nSchema > 6) ExchangeBool(exchange, L"Closeable", &m_bCloseable, TRUE);
  if (exchange->m_nSchema > 7) ExchangeBool(exchange, L"ContextMenuPresent", &m_bListedInContextMenu, TRUE);
}

void CTkMenuBar::ExchangeBarProperties(CTkPropExchange* exchange) {
  CTkToolBar::ExchangeBarProperties(exchange);
  ExchangeUInt(exchange, L"ResourceId", m_nDefaultMenuId, 0);
  // Older layouts have no per-document menus.
  if (exchange->m_nSchema <= 4) return;
  if (!exchange->IsLoading()) {
    exchange->WriteCount(static_cast<DWORD>(m_menuControlSets.size()));
    int index = 0;
    for (auto& entry : m_menuControlSets) {
      CString name;
      name.Format(L"%s%i", L"MDIMenu", index++);
      CTkPropExchangeSectionHolder section(exchange->OpenSection(name));
      UINT id = entry.first;
      ExchangeUInt(section.Get(), L"Id", id, 0);
      entry.second->DoPropExchange(section.Get());
    }
    return;
  }
  const DWORD count = exchange->ReadCount();
  ReleaseMenuSets();
  for (DWORD index = 0; index < count; ++index) {
    CString name;
    name.Format(L"%s%i", L"MDIMenu", static_cast<int>(index));
    CTkPropExchangeSectionHolder section(exchange->OpenSection(name));
    UINT id = 0;
    ExchangeUInt(section.Get(), L"Id", id, 0);
    auto* set = new CTkControls;
    set->SetCommandBars(OwnerOf(section.Get()));
    auto existing = m_menuControlSets.find(id);
    if (existing != m_menuControlSets.end()) existing->second->InternalRelease();
    // Filed before reading, so a read that throws still releases it.
    m_menuControlSets[id] = set;
    set->DoPropExchange(section.Get());
  }
}

void CTkPopupBar::ExchangeBarProperties(CTkPropExchange* exchange) {
  CTkCommandBar::ExchangeBarProperties(exchange);
  ExchangeBool(exchange, L"TearOffPopup", &m_bTearOff, FALSE);
  ExchangeText(exchange, L"TearOffCaption", &m_strTearOffCaption, L"");
  ExchangeUInt(exchange, L"TearOffId", m_nTearOffId, 0);
  ExchangeInt(exchange, L"TearOffWidth", &m_nTearOffWidth, 0);
  if (exchange->m_nSchema > 3) {
    ExchangeRect(exchange, L"Borders", &m_rcBorders, CRect(2, 4, 2, 4));
    ExchangeBool(exchange, L"ShowShadow", &m_bShowShadow, TRUE);
  }
  if (exchange->m_nSchema > 8) ExchangeBool(exchange, L"DoubleGripper", &m_bDoubleGripper, FALSE);
}

void CTkCommandBar::CollectForSave(UINT& nextId, CTkCommandBarList& list, const BarsExchangeParams& params) {
  if (list.Contains(this)) return;
  list.Add(this);
  if (!IsKindOf(RUNTIME_CLASS(CTkToolBar)) && (m_nBarID == 0 || m_nBarID > kMaxOwnBarId)) m_nBarID = nextId++;
  m_pControls->CollectPopupBars(nextId, list, params);
}

void CTkMenuBar::CollectForSave(UINT& nextId, CTkCommandBarList& list, const BarsExchangeParams& params) {
  if (list.Contains(this)) return;
  CTkToolBar::CollectForSave(nextId, list, params);
  for (auto& entry : m_menuControlSets) entry.second->CollectPopupBars(nextId, list, params);
}

void CTkCommandBar::RestorePopupLinks(CTkCommandBarList& list) { m_pControls->RestorePopupLinks(list); }

void CTkMenuBar::RestorePopupLinks(CTkCommandBarList& list) {
  CTkToolBar::RestorePopupLinks(list);
  for (auto& entry : m_menuControlSets) entry.second->RestorePopupLinks(list);
}

// The command bars.

void CTkCommandBars::CollectBarsToSave(CTkCommandBarList& list, const BarsExchangeParams& params) {
  UINT nextId = kFirstPopupBarId;
  const std::vector<CTkCommandBar*> bars = m_bars;
  for (CTkCommandBar* bar : bars) {
    BOOL collect = !params.bOnlyChanged;
    CTkToolBar* toolBar = AsToolBar(bar);
    if (toolBar != nullptr && !toolBar->IsBuiltIn()) collect = TRUE;
    if (bar->IsCustomizable()) {
      if (bar->IsKindOf(RUNTIME_CLASS(CTkMenuBar))) {
        auto* menuBar = static_cast<CTkMenuBar*>(bar);
        menuBar->FoldMenuSets();
        if (menuBar->HasMenuSets()) collect = TRUE;
      }
      if (bar->GetControls()->IsChanged()) collect = TRUE;
    }
    if (collect) bar->CollectForSave(nextId, list, params);
  }
}

BOOL CTkCommandBars::SaveBarsToExchange(CTkPropExchange* exchange, CTkCommandBarList& list) {
  try {
    CTkPropExchangeSectionHolder section(exchange->OpenSection(L"CommandBars"));
    CTkPropExchangeSequenceHolder sequence(section->CreateEnumerator(L"CommandBar"));
    DWORD count = static_cast<DWORD>(list.GetCount());
    DWORD position = sequence->Start(count, FALSE);
    for (int i = 0; i < list.GetCount(); ++i) {
      CTkCommandBar* bar = list.GetAt(i);
      CTkPropExchangeSectionHolder item(sequence->Next(position));
      CObject* object = bar;
      if (!item->ExchangeObjectClass(&object, RUNTIME_CLASS(CTkCommandBar))) return FALSE;
      bar->ExchangeBarProperties(item.Get());
    }
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

BOOL CTkCommandBars::LoadBarsFromExchange(CTkPropExchange* exchange, CTkCommandBarList& list) {
  try {
    CTkPropExchangeSectionHolder section(exchange->OpenSection(L"CommandBars"));
    CTkPropExchangeSequenceHolder sequence(section->CreateEnumerator(L"CommandBar"));
    DWORD count = 0;
    DWORD position = sequence->Start(count, FALSE);
    for (DWORD i = 0; i < count && position != 0; ++i) {
      CTkPropExchangeSectionHolder item(sequence->Next(position));
      CObject* object = nullptr;
      if (!item->ExchangeObjectClass(&object, RUNTIME_CLASS(CTkCommandBar))) {
        list.RemoveAll();
        return FALSE;
      }
      auto* bar = static_cast<CTkCommandBar*>(object);
      // The list holds the only reference from here on.
      list.Add(bar);
      bar->InternalRelease();
      bar->ExchangeBarProperties(item.Get());
      bar->GetControls()->RefreshIndexes();
    }
  } catch (CException* e) {
    e->Delete();
    list.RemoveAll();
    return FALSE;
  }
  return TRUE;
}

void CTkCommandBars::ReconcileChangedToolbars(CTkCommandBarList& list, BOOL silent) {
  for (int i = 0; i < list.GetCount(); ++i) {
    CTkToolBar* loaded = AsToolBar(list.GetAt(i));
    if (loaded == nullptr) continue;
    loaded->RestorePopupLinks(list);
    CTkCommandBar* built = FindBarById(loaded->GetBarID());
    if (built == nullptr) {
      // A tool bar the user made.
      loaded->InternalAddRef();
      AppendBar(loaded);
      loaded->SetCommandBars(this);
      const int position = loaded->GetPosition();
      CTkDockBar* dockBar = GetDockBar(position >= kBarTop && position <= kBarRight ? position : kBarTop);
      loaded->SetupBarWindow(dockBar, FALSE);
      loaded->EnableDocking(loaded->GetDockFlags());
      AddBarToReBar(loaded);
      continue;
    }
    CTkControls* loadedOriginal = loaded->GetControls()->GetOriginalControls();
    CTkControls* builtOriginal = built->GetControls()->GetOriginalControls();
    if (loadedOriginal != nullptr && builtOriginal != nullptr && !loadedOriginal->IsEqual(builtOriginal)) {
      // The program's own bar changed since the user customized it.
      if (silent || loaded->GetControls()->IsEqual(loadedOriginal)) continue;
      CString format;
      GetToolkitResourceLoader()->LoadString(format, IDS_TK_TOOLBAR_CHANGED);
      CString question;
      question.Format(format, static_cast<LPCWSTR>(built->GetTitle()));
      if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES) continue;
      builtOriginal->InternalAddRef();
      built->CopyBarFrom(loaded, FALSE);
      built->GetControls()->SetOriginalControls(builtOriginal);
      builtOriginal->InternalRelease();
      built->DelayLayout();
      continue;
    }
    CTkControls* kept = loadedOriginal != nullptr ? loadedOriginal : builtOriginal;
    if (kept != nullptr) kept->InternalAddRef();
    built->CopyBarFrom(loaded, FALSE);
    built->GetControls()->SetOriginalControls(kept);
    if (kept != nullptr) kept->InternalRelease();
    built->DelayLayout();
  }
}
