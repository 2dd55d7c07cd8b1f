// Form fields as real controls in the page window, and their submission.
#include <windows.h>
#include <wininet.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "browser_rules.h"
#include "html_browser_win32.h"
#include "html_string.h"

namespace {

enum ControlColumn { kHandle = 0, kName = 1, kForm = 2, kKind = 3, kValue = 4 };

std::wstring Wide(const char16_t* text) {
    std::u16string value = text ? text : u"";
    return std::wstring(value.begin(), value.end());
}

HWND HandleOf(const CHtmlStringList& row) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(Wide(row.Get(kHandle)).c_str(), nullptr, 10)));
}

std::u16string WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(size_t(length) + 1, L'\0');
    GetWindowTextW(window, &text[0], length + 1);
    text.resize(size_t(length));
    return std::u16string(text.begin(), text.end());
}

}  // namespace

HWND CHtmlBrowser::CreateControl(const wchar_t* className, DWORD exStyle, DWORD style, int width, int height,
                                 const char16_t* text, const char16_t* name, int form, const char* kind,
                                 const char16_t* value, bool fixedFont) {
    // The row comes first: its number is the control's id.
    int row = controls_.AddRow() - 1;
    controls_.AppendToRow(row, u"0", -1);
    controls_.AppendToRow(row, name ? name : u"", -1);
    controls_.AppendToRow(row, HtmlDecimal(form).c_str(), -1);
    controls_.AppendToRow(row, HtmlAscii(kind).c_str(), -1);
    if (value) controls_.AppendToRow(row, value, -1);
    HWND control = CreateWindowExW(exStyle, className, Wide(text).c_str(), WS_CHILD | WS_TABSTOP | style, 0, 0,
                                   width, height, page_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row + 1)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!control) return nullptr;
    controls_.SetInRow(row, kHandle, HtmlDecimal(reinterpret_cast<INT_PTR>(control)).c_str(), -1);
    SendMessageW(control, WM_SETFONT, WPARAM(GetStockObject(fixedFont ? ANSI_FIXED_FONT : ANSI_VAR_FONT)), FALSE);
    return control;
}

HtmlWindow CHtmlBrowser::CreateEditControl(int limit, int maxLength, int width, int height, const char16_t* text,
                                           int multiLine, const char16_t* name, int form, int password) {
    DWORD style = multiLine ? ES_MULTILINE | WS_VSCROLL : ES_AUTOHSCROLL;
    if (password) style |= ES_PASSWORD;
    HWND edit = CreateControl(L"edit", WS_EX_CLIENTEDGE, style, width, height, text, name, form, "0", nullptr,
                              multiLine != 0);
    if (edit && limit) SendMessageW(edit, EM_LIMITTEXT, WPARAM(maxLength), 0);
    return reinterpret_cast<HtmlWindow>(edit);
}

HtmlWindow CHtmlBrowser::CreatePushButton(int width, int height, const char16_t* text, const char16_t* name,
                                          int form) {
    return reinterpret_cast<HtmlWindow>(
        CreateControl(L"button", 0, 0, width, height, text, name, form, "1", nullptr, false));
}

HtmlWindow CHtmlBrowser::CreateRadioButton(int width, int height, const char16_t* value, const char16_t* name,
                                           int form) {
    return reinterpret_cast<HtmlWindow>(
        CreateControl(L"button", 0, BS_AUTORADIOBUTTON, width, height, value, name, form, "2", value, false));
}

HtmlWindow CHtmlBrowser::CreateCheckBox(int width, int height, const char16_t* value, const char16_t* name,
                                        int form) {
    return reinterpret_cast<HtmlWindow>(
        CreateControl(L"button", 0, BS_AUTOCHECKBOX, width, height, value, name, form, "3", value, false));
}

HtmlWindow CHtmlBrowser::CreateComboBox(int width, int height, const CHtmlStringTable& options, int selected,
                                        const char16_t* name, int form) {
    HWND combo = CreateControl(L"combobox", 0, WS_VSCROLL | CBS_DROPDOWNLIST, width, height + 200, u"", name, form,
                               "4", nullptr, false);
    if (!combo) return 0;
    for (int i = 0; i < options.GetRowCount(); ++i) {
        LRESULT item = SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(Wide(options.GetRow(i).Get(0)).c_str()));
        if (item < 0) continue;
        char16_t* value = HtmlCopy(options.GetRow(i).Get(1));
        if (!value) continue;
        optionValues_.push_back(value);
        SendMessageW(combo, CB_SETITEMDATA, WPARAM(item), LPARAM(value));
    }
    SendMessageW(combo, CB_SETCURSEL, WPARAM(selected), 0);
    return reinterpret_cast<HtmlWindow>(combo);
}

void CHtmlBrowser::DestroyControls() {
    for (int i = 0; i < controls_.GetRowCount(); ++i) {
        const CHtmlStringList& row = controls_.GetRow(i);
        HWND control = HandleOf(row);
        if (control) DestroyWindow(control);
    }
    for (char16_t* value : optionValues_) std::free(value);
    optionValues_.clear();
    controls_.ClearRows();
    forms_.ClearRows();
}

void CHtmlBrowser::SubmitForm(int form, HWND window, int controlId) {
    if (form == -1) {
        for (int i = 0; i < controls_.GetRowCount() && form == -1; ++i) {
            const CHtmlStringList& row = controls_.GetRow(i);
            if (HtmlEqualNoCase(row.Get(kKind), "1") && HandleOf(row) == window && i + 1 == controlId)
                form = HtmlToInt(row.Get(kForm));
        }
        if (form == -1) return;
    }
    std::u16string query;
    for (int i = 0; i < controls_.GetRowCount(); ++i) {
        const CHtmlStringList& row = controls_.GetRow(i);
        if (HtmlToInt(row.Get(kForm)) != form) continue;
        int kind = HtmlToInt(row.Get(kKind));
        HWND control = HandleOf(row);
        if (kind == 1) continue;
        if ((kind == 2 || kind == 3) && SendMessageW(control, BM_GETCHECK, 0, 0) != BST_CHECKED) continue;
        std::u16string value;
        if (kind == 4) {
            LRESULT item = SendMessageW(control, CB_GETCURSEL, 0, 0);
            LRESULT data = item == CB_ERR ? CB_ERR : SendMessageW(control, CB_GETITEMDATA, WPARAM(item), 0);
            if (data != CB_ERR && data) value = reinterpret_cast<const char16_t*>(data);
        } else {
            value = WindowText(control);
        }
        query += query.empty() ? u"?" : u"&";
        query += row.Get(kName);
        query += u"=";
        query += UrlEncode(value.c_str());
    }
    // The form's row is copied: the controls and forms go with the next page.
    std::u16string action = forms_.GetRow(form).Get(0), method = forms_.GetRow(form).Get(1);
    if (HtmlEqualNoCase(method.c_str(), "get")) {
        if (!query.empty() && action.find(u'?') != std::u16string::npos) query[0] = u'&';
        Navigate((action + query).c_str());
        return;
    }
    int length = 0;
    char16_t* reply = PostForm(action.c_str(), query.empty() ? u"" : query.c_str() + 1, &length);
    if (!reply) return;
    int row = history_.AddRow() - 1;
    history_.AppendToRow(row, action.c_str(), -1);
    history_.AppendToRow(row, reply, -1);
    LoadPage(reply, action.c_str());
    std::free(reply);
    ShowPageFromTop();
}

char16_t* CHtmlBrowser::PostForm(const char16_t* action, const char16_t* data, int* length) {
    EnterCriticalSection(&lock_);
    statusText_.clear();
    LeaveCriticalSection(&lock_);
    PostTarget target = SplitPostTarget(action);
    HINTERNET internet = InternetOpenW(L"Fennors Browser", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!internet) return nullptr;
    HINTERNET connection = InternetConnectW(internet, Wide(target.host.c_str()).c_str(), INTERNET_PORT(target.port),
                                            nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 1);
    const wchar_t* accept[] = {L"*/*", nullptr};
    HINTERNET request = connection ? HttpOpenRequestW(connection, L"POST", Wide(target.path.c_str()).c_str(), nullptr,
                                                      nullptr, accept,
                                                      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 1)
                                   : nullptr;
    char16_t* reply = nullptr;
    if (request) {
        std::wstring body = Wide(data);
        int n = WideCharToMultiByte(CP_ACP, 0, body.c_str(), int(body.size()), nullptr, 0, nullptr, nullptr);
        std::string bytes(size_t(n), '\0');
        if (n) WideCharToMultiByte(CP_ACP, 0, body.c_str(), int(body.size()), &bytes[0], n, nullptr, nullptr);
        const wchar_t headers[] = L"Content-Type: application/x-www-form-urlencoded";
        if (HttpSendRequestW(request, headers, DWORD(-1), bytes.empty() ? nullptr : &bytes[0], DWORD(bytes.size()))) {
            char lengthText[50] = {};
            DWORD size = sizeof(lengthText) - 1;
            if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, lengthText, &size, nullptr)) lengthText[0] = 0;
            std::vector<uint8_t> received;
            size_t count = 0;
            for (;;) {
                received.resize(count + 1000);
                DWORD read = 0;
                if (!InternetReadFile(request, received.data() + count, 1000, &read) || read == 0) break;
                count += read;
                ShowStatus(HtmlAscii("Reading ") + HtmlDecimal(static_cast<long long>(count)) + u" of " + HtmlAscii(lengthText));
            }
            int chars = count ? MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(received.data()), int(count),
                                                    nullptr, 0)
                              : 0;
            reply = static_cast<char16_t*>(std::malloc((size_t(chars) + 1) * sizeof(char16_t)));
            if (reply) {
                if (chars)
                    MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(received.data()), int(count),
                                        reinterpret_cast<wchar_t*>(reply), chars);
                reply[chars] = 0;
                if (length) *length = int(count);
            }
        }
        InternetCloseHandle(request);
    }
    if (connection) InternetCloseHandle(connection);
    InternetCloseHandle(internet);
    return reply;
}
