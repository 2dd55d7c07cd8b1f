// The bars one store or load of the user's customized bars deals with,
// and what travels with that exchange.
#pragma once

#include <vector>

#include "framework.h"

class CTkCommandBar;
class CTkCommandBars;
class CTkPropExchange;

// Carried by the exchange in its user data.
struct BarsExchangeParams {
  BOOL bOnlyChanged = FALSE;
  BOOL bLoadSilent = FALSE;
  BOOL bIncludeOriginal = TRUE;
  CTkCommandBars* pOwner = nullptr;
};

// Null when the exchange carries none.
BarsExchangeParams* GetExchangeParams(CTkPropExchange* exchange);

// An ordered list holding one reference on each bar.
class CTkCommandBarList {
 public:
  CTkCommandBarList() = default;
  ~CTkCommandBarList() { RemoveAll(); }
  CTkCommandBarList(const CTkCommandBarList&) = delete;
  CTkCommandBarList& operator=(const CTkCommandBarList&) = delete;

  // Takes one more reference on the bar.
  void Add(CTkCommandBar* bar);
  BOOL Contains(const CTkCommandBar* bar) const;
  // The first bar with the id; null for id 0.
  CTkCommandBar* FindBar(UINT id) const;
  int GetCount() const { return static_cast<int>(m_bars.size()); }
  CTkCommandBar* GetAt(int index) const { return m_bars[static_cast<size_t>(index)]; }
  void RemoveAll();

 private:
  std::vector<CTkCommandBar*> m_bars;
};
