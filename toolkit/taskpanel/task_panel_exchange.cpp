// Saving and loading items, groups, group items and their lists through
// the settings exchange, and the clipboard data of a dragged item.
#include "ole_data_source.h"
#include "prop_exchange.h"
#include "task_panel.h"

namespace {

// Settings a store of an older schema does not hold.
const UINT kSchemaVisibleAndPadding = 9;
const UINT kSchemaDragText = 10;

}  // namespace

CLIPFORMAT GetTaskPanelClipboardFormat() {
  static const CLIPFORMAT format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"TaskPanelGroupItem"));
  return format;
}

void CTkTaskPanelItem::DoPropExchange(CTkPropExchange* exchange) {
  if (exchange->IsLoading()) m_pPanel = static_cast<CTkTaskPanel*>(exchange->m_pUserData);
  ExchangeText(exchange, L"Caption", &m_caption, L"");
  ExchangeText(exchange, L"Tooltip", &m_tooltip, L"");
  ExchangeInt(exchange, L"Id", &m_id, 0);
  ExchangeInt(exchange, L"Type", &m_type, kTaskItemLink);
  ExchangeInt(exchange, L"IconIndex", &m_iconIndex, -1);
  ExchangeBool(exchange, L"Enabled", &m_bEnabled, TRUE);
  ExchangeInt(exchange, L"AllowDrag", &m_allowDrag, 1);
  ExchangeBool(exchange, L"AllowDrop", &m_bAllowDrop, TRUE);
  if (exchange->m_nSchema >= kSchemaVisibleAndPadding) {
    ExchangeBool(exchange, L"Visible", &m_bVisible, TRUE);
    ExchangeRect(exchange, L"IconPadding", &m_iconPadding, kTaskPanelDefaultRect);
  }
}

void CTkTaskPanelGroup::DoPropExchange(CTkPropExchange* exchange) {
  CTkTaskPanelItem::DoPropExchange(exchange);
  // A group's type stays a group whatever the store says.
  m_type = kTaskItemGroup;
  BOOL expanded = IsExpanded();
  ExchangeBool(exchange, L"CaptionVisible", &m_bCaptionVisible, TRUE);
  ExchangeBool(exchange, L"Expandable", &m_bExpandable, TRUE);
  ExchangeBool(exchange, L"Expanded", &expanded, FALSE);
  ExchangeBool(exchange, L"Special", &m_bSpecial, FALSE);
  ExchangeInt(exchange, L"Layout", &m_layout, 0);
  ExchangeRect(exchange, L"MarginsInner", &m_innerMargins, kTaskPanelDefaultRect);
  ExchangeRect(exchange, L"MarginsOuter", &m_outerMargins, kTaskPanelDefaultRect);
  SIZE iconSize = m_iconSize;
  ExchangeSize(exchange, L"IconSize", &iconSize, SIZE{0, 0});
  m_iconSize = iconSize;
  if (exchange->IsLoading()) {
    m_pItems->SetPanel(m_pPanel);
    SetExpanded(expanded);
  }
  CTkPropExchangeSectionHolder section(exchange->OpenSection(L"Items"));
  if (section.Get() != nullptr) m_pItems->DoPropExchange(section.Get());
}

void CTkTaskPanelGroupItem::DoPropExchange(CTkPropExchange* exchange) {
  CTkTaskPanelItem::DoPropExchange(exchange);
  if (m_type == kTaskItemGroup) m_type = kTaskItemText;
  BOOL selected = IsSelected();
  ExchangeRect(exchange, L"Margins", &m_margins, kTaskPanelDefaultRect);
  ExchangeBool(exchange, L"Bold", &m_bBold, FALSE);
  ExchangeSize(exchange, L"ItemSize", &m_itemSize, SIZE{0, 0});
  ExchangeBool(exchange, L"Selected", &selected, FALSE);
  if (exchange->m_nSchema >= kSchemaVisibleAndPadding) ExchangeBool(exchange, L"AutoHeight", &m_bAutoHeight, FALSE);
  if (exchange->m_nSchema >= kSchemaDragText) ExchangeText(exchange, L"DragText", &m_dragText, L"");
  if (exchange->IsLoading()) SetSelected(selected);
}

void CTkTaskPanelItems::DoPropExchange(CTkPropExchange* exchange) {
  if (m_pPanel != nullptr) m_pPanel->LockLayout(TRUE);
  exchange->m_pUserData = m_pPanel;
  try {
    CTkPropExchangeSequenceHolder sequence(exchange->CreateEnumerator(L"Item"));
    DWORD count = static_cast<DWORD>(GetCount());
    DWORD position = sequence->Start(count, FALSE);
    if (exchange->IsLoading()) {
      RemoveAll(FALSE);
      for (DWORD i = 0; i < count && position != 0; ++i) {
        CTkPropExchangeSectionHolder entry(sequence->Next(position));
        CObject* object = nullptr;
        // Only the list's own kind: a groups list never makes an item, a
        // group's list never a group.
        if (entry.Get() == nullptr || !entry->ExchangeObjectClass(&object, GetDefaultItemClass())) break;
        auto* item = static_cast<CTkTaskPanelItem*>(object);
        try {
          item->DoPropExchange(entry.Get());
        } catch (CException*) {
          item->InternalRelease();
          throw;
        }
        InsertAt(GetCount(), item);
      }
    } else {
      for (CTkTaskPanelItem* item : m_items) {
        CTkPropExchangeSectionHolder entry(sequence->Next(position));
        CObject* object = item;
        entry->ExchangeObjectClass(&object, GetDefaultItemClass());
        item->DoPropExchange(entry.Get());
      }
    }
  } catch (CArchiveException* e) {
    e->Delete();
  } catch (COleException* e) {
    e->Delete();
  }
  if (m_pPanel != nullptr) m_pPanel->LockLayout(FALSE);
}

// Clipboard data.

HGLOBAL CTkTaskPanelItem::CopyToGlobalMemory() {
  try {
    CSharedFile file(GMEM_DDESHARE | GMEM_MOVEABLE, 4096);
    {
      CArchive archive(&file, CArchive::store, 4096);
      archive.WriteClass(GetRuntimeClass());
      {
        CTkPropExchangeArchive exchange(archive);
        DoPropExchange(&exchange);
      }
      archive.Close();
    }
    return file.Detach();
  } catch (CArchiveException* e) {
    e->Delete();
  } catch (COleException* e) {
    e->Delete();
  }
  return nullptr;
}

namespace {

// An item of a class derived from required read from clipboard data; null
// for anything else.
CTkTaskPanelItem* ReadItem(CFile& file, CRuntimeClass* required) {
  CTkTaskPanelItem* item = nullptr;
  try {
    CArchive archive(&file, CArchive::load, 4096);
    // The data may come from another program: only a class of the kind
    // asked for is made.
    CRuntimeClass* runtimeClass = archive.ReadClass(required);
    if (runtimeClass != nullptr) item = static_cast<CTkTaskPanelItem*>(runtimeClass->CreateObject());
    if (item != nullptr) {
      CTkPropExchangeArchive exchange(archive);
      item->DoPropExchange(&exchange);
    }
    archive.Close();
  } catch (CException* e) {
    // Archive, OLE and not-supported failures alike leave nothing behind.
    if (item != nullptr) item->InternalRelease();
    item = nullptr;
    e->Delete();
  }
  return item;
}

}  // namespace

CTkTaskPanelItem* CTkTaskPanelItem::CreateFromGlobalMemory(HGLOBAL memory, CRuntimeClass* required) {
  if (memory == nullptr) return nullptr;
  CSharedFile file;
  file.SetHandle(memory, FALSE);
  CTkTaskPanelItem* item = ReadItem(file, required);
  file.Detach();
  return item;
}

CTkTaskPanelItem* CTkTaskPanelItem::CreateFromDataObject(COleDataObject* data, CRuntimeClass* required) {
  if (data == nullptr) return nullptr;
  CFile* file = data->GetFileData(GetTaskPanelClipboardFormat());
  if (file == nullptr) return nullptr;
  CTkTaskPanelItem* item = ReadItem(*file, required);
  delete file;
  return item;
}

BOOL CTkTaskPanelGroupItem::PutOnDataSource(COleDataSource* source, BOOL withText) {
  HGLOBAL data = CopyToGlobalMemory();
  if (data == nullptr) return FALSE;
  source->CacheGlobalData(GetTaskPanelClipboardFormat(), data);
  CString text = GetDragText();
  if (!withText || text.IsEmpty()) return TRUE;
  int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  HGLOBAL ansi = size > 0 ? ::GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, static_cast<SIZE_T>(size)) : nullptr;
  LPSTR bytes = ansi != nullptr ? static_cast<LPSTR>(::GlobalLock(ansi)) : nullptr;
  if (bytes == nullptr) {
    if (ansi != nullptr) ::GlobalFree(ansi);
    return TRUE;
  }
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, size, nullptr, nullptr);
  ::GlobalUnlock(ansi);
  source->CacheGlobalData(CF_TEXT, ansi);
  return TRUE;
}
