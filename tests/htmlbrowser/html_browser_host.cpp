// The browser in a window shaped like the preview's HTML viewer, for
// looking at pages:
//
//   html_browser_host.exe PATH-OR-URL [--close-after MS] [--save-bitmap FILE] [--size WxH]
//
// A path is shown as "file://" and the path, as the preview does. The back
// buffer is saved when the window closes.
#include <windows.h>
#include <ole2.h>

#include <cwchar>
#include <string>

#include "browser_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        int count = 0;
        wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
        std::wstring target, save;
        DWORD closeAfter = 0;
        int width = 720, height = 560;
        for (int i = 1; i < count; ++i) {
            std::wstring argument = arguments[i];
            if (argument == L"--close-after" && i + 1 < count)
                closeAfter = DWORD(std::wcstoul(arguments[++i], nullptr, 10));
            else if (argument == L"--size" && i + 1 < count)
                std::swscanf(arguments[++i], L"%dx%d", &width, &height);
            else if (argument == L"--save-bitmap" && i + 1 < count)
                save = arguments[++i];
            else
                target = argument;
        }
        LocalFree(arguments);
        if (target.find(L"://") == std::wstring::npos) target = L"file://" + target;
        OleInitialize(nullptr);
        int result = 1;
        {
            BrowserHost host;
            if (host.Create(width, height)) {
                host.Navigate(std::u16string(target.begin(), target.end()));
                if (closeAfter) SetTimer(host.Frame(), 1, closeAfter, nullptr);
                MSG message;
                while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                    if (message.message == WM_TIMER && message.hwnd == host.Frame()) break;
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
                if (!save.empty()) host.SaveBackBuffer(save);
                result = 0;
            }
        }
        OleUninitialize();
        return result;
    } catch (...) {
        return 1;
    }
}
