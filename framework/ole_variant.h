// A VARIANT that clears itself, and the texts of a currency amount (in the
// user's default locale) and of a date.
#pragma once

#include <oaidl.h>

#include "cstring.h"

class COleVariant : public tagVARIANT {
 public:
  COleVariant() { ::VariantInit(this); }
  COleVariant(const VARIANT& source);
  COleVariant(const COleVariant& source) : COleVariant(static_cast<const VARIANT&>(source)) {}
  explicit COleVariant(LPCWSTR text);
  COleVariant(long value, VARTYPE type);
  ~COleVariant() { ::VariantClear(this); }
  COleVariant& operator=(const VARIANT& source);
  COleVariant& operator=(const COleVariant& source) { return *this = static_cast<const VARIANT&>(source); }

  void Clear() { ::VariantClear(this); }
  // Takes over source's value and leaves source empty.
  void Attach(VARIANT& source);
  operator LPVARIANT() { return this; }
  operator const VARIANT*() const { return this; }
};

class COleCurrency {
 public:
  explicit COleCurrency(CY value) : m_cur(value) {}
  // The amount as GetCurrencyFormat writes it for the user's locale.
  CString Format() const;
  CY m_cur;
};

class COleDateTime {
 public:
  explicit COleDateTime(DATE value) : m_dt(value) {}
  // wcsftime's codes; empty when the date is out of range.
  CString Format(LPCWSTR format) const;
  DATE m_dt;
};
