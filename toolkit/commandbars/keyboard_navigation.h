// The letter rules that Alt+letter in the frame and a plain letter in a bar
// in menu mode share: which letter of a caption a key chooses, and which
// control wins when several captions have it.
#pragma once

#include "framework.h"

class CTkControl;

// The character after the first "&" that comes before the last character,
// else the first character; 0 for an empty caption.
WCHAR GetMnemonicLetter(const CString& caption, BOOL* underlined);
// Keys of the numeric pad and keys without a character choose nothing.
BOOL IsMnemonicKey(UINT key);

// One search for a key: controls are offered in walk order. The first
// control whose "&" letter matches wins; a second one makes the result
// ambiguous and ends the search. Without such a match the first plain
// match (first letter) is taken, ambiguous when a second one is seen.
class CTkMnemonicSearch {
 public:
  explicit CTkMnemonicSearch(UINT key) : m_key(key) {}

  // TRUE when the search is over. Disabled controls and empty captions
  // never match; plain matches only where the caller lets them count.
  BOOL Offer(CTkControl* control, BOOL plainCounts);
  CTkControl* GetResult() const { return m_underlined != nullptr ? m_underlined : m_plain; }
  BOOL IsAmbiguous() const { return m_underlined != nullptr ? m_bUnderlinedTwice : m_bPlainTwice; }

 private:
  UINT m_key;
  CTkControl* m_underlined = nullptr;
  CTkControl* m_plain = nullptr;
  BOOL m_bUnderlinedTwice = FALSE;
  BOOL m_bPlainTwice = FALSE;
};
