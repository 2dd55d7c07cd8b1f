// The printf engine behind CString::Format. The mingw runtime switches
// between the Windows and the C99 meaning of %s depending on build flags,
// so the framework formats by itself and always gives the Windows meaning.
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "cstring.h"

namespace {

struct Spec {
  bool left = false, plus = false, space = false, alternate = false, zero = false;
  int width = 0;
  int precision = -1;
};

enum class Size { normal, shortInt, longInt, longLong, wide, narrow };

void Pad(std::wstring& out, const std::wstring& body, const Spec& spec) {
  int fill = spec.width - static_cast<int>(body.size());
  if (fill <= 0) {
    out += body;
  } else if (spec.left) {
    out += body;
    out.append(fill, L' ');
  } else {
    out.append(fill, L' ');
    out += body;
  }
}

std::wstring Widen(const char* text, int length) {
  if (length <= 0) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, length, &out[0], n);
  return out;
}

void FormatInteger(std::wstring& out, unsigned long long magnitude, bool negative, int base,
                   bool upper, const Spec& spec, bool isSigned) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::wstring number;
  for (unsigned long long v = magnitude; v != 0; v /= base) number.insert(number.begin(), digits[v % base]);
  if (spec.precision < 0 && number.empty()) number = L"0";
  if (spec.precision >= 0 && static_cast<int>(number.size()) < spec.precision)
    number.insert(0, spec.precision - number.size(), L'0');
  std::wstring prefix;
  if (isSigned) {
    if (negative) prefix = L"-";
    else if (spec.plus) prefix = L"+";
    else if (spec.space) prefix = L" ";
  }
  if (spec.alternate && magnitude != 0) {
    if (base == 16) prefix += upper ? L"0X" : L"0x";
    if (base == 8 && number[0] != L'0') prefix += L"0";
  }
  if (spec.zero && !spec.left && spec.precision < 0) {
    int fill = spec.width - static_cast<int>(prefix.size() + number.size());
    if (fill > 0) number.insert(0, fill, L'0');
  }
  Pad(out, prefix + number, spec);
}

void FormatFloat(std::wstring& out, double value, wchar_t conversion, const Spec& spec) {
  char format[32];
  int n = 0;
  format[n++] = '%';
  if (spec.left) format[n++] = '-';
  if (spec.plus) format[n++] = '+';
  if (spec.space) format[n++] = ' ';
  if (spec.alternate) format[n++] = '#';
  if (spec.zero) format[n++] = '0';
  format[n++] = '*';
  format[n++] = '.';
  format[n++] = '*';
  format[n++] = static_cast<char>(conversion);
  format[n] = 0;
  char buffer[512];
  int written = std::snprintf(buffer, sizeof buffer, format, spec.width,
                              spec.precision < 0 ? 6 : spec.precision, value);
  if (written < 0) return;
  if (written >= static_cast<int>(sizeof buffer)) written = sizeof buffer - 1;
  out += Widen(buffer, written);
}

}  // namespace

std::wstring AfxFormatText(LPCWSTR lpszFormat, va_list argList) {
  std::wstring out;
  if (lpszFormat == nullptr) return out;
  va_list args;
  va_copy(args, argList);
  for (const wchar_t* p = lpszFormat; *p != 0; ++p) {
    if (*p != L'%') {
      out += *p;
      continue;
    }
    ++p;
    if (*p == L'%') {
      out += L'%';
      continue;
    }
    Spec spec;
    for (;; ++p) {
      if (*p == L'-') spec.left = true;
      else if (*p == L'+') spec.plus = true;
      else if (*p == L' ') spec.space = true;
      else if (*p == L'#') spec.alternate = true;
      else if (*p == L'0') spec.zero = true;
      else break;
    }
    if (*p == L'*') {
      spec.width = va_arg(args, int);
      if (spec.width < 0) {
        spec.left = true;
        spec.width = -spec.width;
      }
      ++p;
    } else {
      while (*p >= L'0' && *p <= L'9') spec.width = spec.width * 10 + (*p++ - L'0');
    }
    if (*p == L'.') {
      ++p;
      spec.precision = 0;
      if (*p == L'*') {
        spec.precision = va_arg(args, int);
        ++p;
      } else {
        while (*p >= L'0' && *p <= L'9') spec.precision = spec.precision * 10 + (*p++ - L'0');
      }
    }
    Size size = Size::normal;
    if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
      size = Size::longLong;
      p += 3;
    } else if (p[0] == L'l' && p[1] == L'l') {
      size = Size::longLong;
      p += 2;
    } else if (*p == L'l') {
      size = Size::longInt;  // also %ls and %lc: wide
      ++p;
    } else if (*p == L'w') {
      size = Size::wide;
      ++p;
    } else if (*p == L'h') {
      size = Size::shortInt;  // also %hs and %hc: 8-bit
      ++p;
    } else if (*p == L'I') {
      ++p;  // %Id and %Iu: pointer-sized, which is int here
    }
    wchar_t conversion = *p;
    if (conversion == 0) break;
    switch (conversion) {
      case L'd':
      case L'i': {
        long long v = size == Size::longLong ? va_arg(args, long long)
                      : size == Size::longInt ? va_arg(args, long)
                                              : va_arg(args, int);
        if (size == Size::shortInt) v = static_cast<short>(v);
        unsigned long long magnitude =
            v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
        FormatInteger(out, magnitude, v < 0, 10, false, spec, true);
        break;
      }
      case L'u':
      case L'x':
      case L'X':
      case L'o': {
        unsigned long long v = size == Size::longLong ? va_arg(args, unsigned long long)
                               : size == Size::longInt ? va_arg(args, unsigned long)
                                                       : va_arg(args, unsigned int);
        if (size == Size::shortInt) v = static_cast<unsigned short>(v);
        int base = conversion == L'u' ? 10 : conversion == L'o' ? 8 : 16;
        FormatInteger(out, v, false, base, conversion == L'X', spec, false);
        break;
      }
      case L'p': {
        Spec pointerSpec = spec;
        pointerSpec.precision = 8;
        FormatInteger(out, reinterpret_cast<UINT_PTR>(va_arg(args, void*)), false, 16, true,
                      pointerSpec, false);
        break;
      }
      case L'c':
      case L'C': {
        bool narrow = size == Size::shortInt || (conversion == L'C' && size != Size::longInt &&
                                                 size != Size::wide);
        int v = va_arg(args, int);
        if (narrow) {
          char c = static_cast<char>(v);
          Pad(out, Widen(&c, 1), spec);
        } else {
          Pad(out, std::wstring(1, static_cast<wchar_t>(v)), spec);
        }
        break;
      }
      case L's':
      case L'S': {
        bool narrow = size == Size::shortInt || (conversion == L'S' && size != Size::longInt &&
                                                 size != Size::wide);
        std::wstring text;
        if (narrow) {
          const char* s = va_arg(args, const char*);
          if (s == nullptr) s = "(null)";
          int length = static_cast<int>(std::strlen(s));
          if (spec.precision >= 0 && spec.precision < length) length = spec.precision;
          text = Widen(s, length);
        } else {
          const wchar_t* s = va_arg(args, const wchar_t*);
          if (s == nullptr) s = L"(null)";
          size_t length = std::wcslen(s);
          if (spec.precision >= 0 && static_cast<size_t>(spec.precision) < length) length = spec.precision;
          text.assign(s, length);
        }
        Pad(out, text, spec);
        break;
      }
      case L'f':
      case L'F':
      case L'e':
      case L'E':
      case L'g':
      case L'G':
        FormatFloat(out, va_arg(args, double), conversion, spec);
        break;
      default:
        // Unknown conversions are copied as written.
        out += L'%';
        out += conversion;
        break;
    }
  }
  va_end(args);
  return out;
}
