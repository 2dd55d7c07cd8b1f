// A control's stored properties. Keys newer than a layout's schema are
// left out of it, so older layouts still load.
#include "command_bar_list.h"
#include "command_bars.h"
#include "control.h"
#include "image_manager.h"
#include "prop_exchange.h"

namespace {

// A document-template set goes into a keyed store only when it holds
// something; loading and archives always take it.
void ExchangeTemplateSet(CTkPropExchange* exchange, LPCWSTR key, CTkIdMap& set) {
  if (exchange->IsLoading() || !exchange->IsKeyedStore() || !set.IsEmpty()) ExchangeIdMap(exchange, key, set);
}

}  // namespace

void CTkControl::ExchangeControlProperties(CTkPropExchange* exchange) {
  ExchangeInt(exchange, L"Type", &m_nType, kControlButton);
  int id = static_cast<int>(m_nId);
  ExchangeInt(exchange, L"Id", &id, -1);
  m_nId = static_cast<UINT>(id);
  ExchangeInt(exchange, L"IconId", &m_nIconId, 0);
  ExchangeBool(exchange, L"BeginGroup", &m_bBeginGroup, FALSE);
  ExchangeInt(exchange, L"Tag", &m_nTag, 0);
  ExchangeInt(exchange, L"Flags", &m_nFlags, 0);
  ExchangeInt(exchange, L"HideFlags", &m_nHideFlags, 0);
  ExchangeText(exchange, L"Caption", &m_strCaption, L"");
  ExchangeText(exchange, L"ShortcutText", &m_strShortcutText, L"");
  ExchangeText(exchange, L"TooltipText", &m_strTooltipText, L"");
  ExchangeText(exchange, L"DescriptionText", &m_strDescriptionText, L"");
  ExchangeText(exchange, L"Parameter", &m_strParameter, L"");
  ExchangeInt(exchange, L"CustomIconId", &m_nCustomIconId, 0);
  ExchangeText(exchange, L"CustomCaption", &m_strCustomCaption, L"");
  if (exchange->m_nSchema > 1) ExchangeText(exchange, L"Category", &m_strCategory, L"");
  if (m_nCustomIconId > 0) {
    BarsExchangeParams* params = GetExchangeParams(exchange);
    CTkCommandBars* commandBars = params != nullptr ? params->pOwner : nullptr;
    CTkImageManager* images = commandBars != nullptr ? commandBars->GetImageManagerOrDefault() : GetImageManager();
    CTkPropExchangeSectionHolder section(exchange->OpenSection(L"CustomIcon"));
    if (section.Get() != nullptr) images->ExchangeIconSet(static_cast<UINT>(m_nCustomIconId), section.Get());
  }
  if (exchange->m_nSchema > 3) {
    ExchangeTemplateSet(exchange, L"DocTemplatesExcluded", m_docTemplatesExcluded);
    ExchangeTemplateSet(exchange, L"DocTemplatesAssigned", m_docTemplatesAssigned);
    ExchangeBool(exchange, L"DefaultItem", &m_bDefaultItem, FALSE);
  }
  if (exchange->m_nSchema > 6) ExchangeBool(exchange, L"CloseSubMenuOnClick", &m_bCloseSubMenuOnClick, TRUE);
  if (exchange->m_nSchema > 7) ExchangeInt(exchange, L"CustomStyle", &m_nCustomStyle, 0);
}
