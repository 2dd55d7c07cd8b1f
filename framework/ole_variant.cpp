#include "ole_variant.h"

#include <oleauto.h>

#include <ctime>
#include <cwchar>

COleVariant::COleVariant(const VARIANT& source) {
  ::VariantInit(this);
  ::VariantCopy(this, const_cast<VARIANT*>(&source));
}

COleVariant::COleVariant(LPCWSTR text) {
  ::VariantInit(this);
  vt = VT_BSTR;
  bstrVal = ::SysAllocString(text != nullptr ? text : L"");
}

COleVariant::COleVariant(long value, VARTYPE type) {
  ::VariantInit(this);
  vt = type;
  switch (type) {
    case VT_I2: iVal = static_cast<SHORT>(value); break;
    case VT_BOOL: boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_UI1: bVal = static_cast<BYTE>(value); break;
    default: vt = VT_I4, lVal = value; break;
  }
}

COleVariant& COleVariant::operator=(const VARIANT& source) {
  if (&source != this) ::VariantCopy(this, const_cast<VARIANT*>(&source));
  return *this;
}

void COleVariant::Attach(VARIANT& source) {
  ::VariantClear(this);
  *static_cast<VARIANT*>(this) = source;
  source.vt = VT_EMPTY;
}

CString COleCurrency::Format() const {
  // The amount in ten-thousandths, written out as the plain number
  // GetCurrencyFormat wants ("-1234.5678"); the sign is kept apart so the
  // smallest amount does not overflow.
  const LONGLONG scaled = m_cur.int64;
  const ULONGLONG magnitude = scaled < 0 ? 0 - static_cast<ULONGLONG>(scaled) : static_cast<ULONGLONG>(scaled);
  WCHAR number[48];
  _snwprintf(number, 48, L"%ls%llu.%04llu", scaled < 0 ? L"-" : L"", magnitude / 10000, magnitude % 10000);
  number[47] = 0;
  WCHAR text[128] = {};
  if (::GetCurrencyFormatW(LOCALE_USER_DEFAULT, 0, number, nullptr, text, 128) == 0) return CString(number);
  return CString(text);
}

CString COleDateTime::Format(LPCWSTR format) const {
  SYSTEMTIME time = {};
  if (!::VariantTimeToSystemTime(m_dt, &time)) return CString();
  std::tm parts = {};
  parts.tm_year = time.wYear - 1900;
  parts.tm_mon = time.wMonth - 1;
  parts.tm_mday = time.wDay;
  parts.tm_hour = time.wHour;
  parts.tm_min = time.wMinute;
  parts.tm_sec = time.wSecond;
  parts.tm_wday = time.wDayOfWeek;
  WCHAR text[128] = {};
  if (std::wcsftime(text, 128, format, &parts) == 0) return CString();
  return CString(text);
}
