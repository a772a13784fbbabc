// SPDX-License-Identifier: MIT
// probe: what Windows itself says of the windows in its desktop, for the
// driver's wine_ cases (run in the same Wine desktop as the program).
//   probe list           one line per shown top-level window
//   probe sysclose TITLE the system menu's Close, as the close box sends it
//   probe close TITLE    WM_CLOSE, as another program sends it
//   probe shot X Y W H FILE  the screen's pixels there, as Windows shows
//                        them, into FILE as a binary PPM
//   probe type HEX...    characters, each by its UTF-16 code, typed into
//                        the focused window as an on-screen keyboard types
//                        them: no key of the keyboard is needed
//   probe still          the user's "Show animations in Windows" off: no
//                        pulsing default button or glowing bar, so that a
//                        window's picture settles
// A line: title, window class, style, extended style, owner's title, client
// area and whole window on the screen (x y width height each), whether it
// is the foreground window (1 or 0), and how many of its buttons the visual
// style draws, of how many ("2/2"), tab-separated. (Wine tells no other
// program a window's icon: the driver looks at the title bar's pixels.)
#include <windows.h>

#include <uxtheme.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Title(HWND hwnd)
{
    if (!hwnd)
        return {};
    // Read without a message to the window, which may be busy.
    wchar_t buffer[512] = {};
    InternalGetWindowText(hwnd, buffer, 512);
    return buffer;
}

std::vector<HWND> Windows()
{
    std::vector<HWND> found;
    EnumWindows(
        [](HWND hwnd, LPARAM list) -> BOOL {
            if (IsWindowVisible(hwnd))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        LPARAM(&found));
    return found;
}

// Of the window's buttons, those that the visual style draws (a theme is
// open for them), and all: "themed/all".
std::string ThemedButtons(HWND hwnd)
{
    std::pair<int, int> count{0, 0};
    EnumChildWindows(
        hwnd,
        [](HWND child, LPARAM counted) -> BOOL {
            wchar_t cls[64] = {};
            GetClassNameW(child, cls, 64);
            auto& [themed, all] = *reinterpret_cast<std::pair<int, int>*>(counted);
            if (_wcsicmp(cls, L"Button") == 0) {
                ++all;
                themed += GetWindowTheme(child) != nullptr;
            }
            return TRUE;
        },
        LPARAM(&count));
    return std::to_string(count.first) + "/" + std::to_string(count.second);
}

HWND Find(const wchar_t* title)
{
    for (HWND hwnd : Windows())
        if (Title(hwnd) == title)
            return hwnd;
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"list" && argc == 2) {
        for (HWND hwnd : Windows()) {
            wchar_t cls[256] = {};
            GetClassNameW(hwnd, cls, 256);
            RECT client{};
            GetClientRect(hwnd, &client);
            POINT at{0, 0};
            ClientToScreen(hwnd, &at);
            RECT frame{};
            GetWindowRect(hwnd, &frame);
            std::printf("%s\t%s\t%08lx\t%08lx\t%s\t%ld %ld %ld %ld\t%ld %ld %ld %ld\t%d\t%s\n",
                        Utf8(Title(hwnd)).c_str(), Utf8(cls).c_str(),
                        static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_STYLE)),
                        static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_EXSTYLE)),
                        Utf8(Title(GetWindow(hwnd, GW_OWNER))).c_str(), at.x, at.y, client.right, client.bottom,
                        frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                        GetForegroundWindow() == hwnd ? 1 : 0, ThemedButtons(hwnd).c_str());
        }
        return 0;
    }
    if ((verb == L"sysclose" || verb == L"close") && argc == 3) {
        HWND hwnd = Find(argv[2]);
        if (!hwnd) {
            std::fprintf(stderr, "probe: no window titled so\n");
            return 1;
        }
        if (verb == L"sysclose")
            PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
    }
    if (verb == L"shot" && argc == 7) {
        const int x = _wtoi(argv[2]), y = _wtoi(argv[3]), w = _wtoi(argv[4]), h = _wtoi(argv[5]);
        HDC screen = GetDC(nullptr);
        HDC copy = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        SelectObject(copy, bitmap);
        const bool ok = bitmap && BitBlt(copy, 0, 0, w, h, screen, x, y, SRCCOPY);
        GdiFlush();
        FILE* out = ok ? _wfopen(argv[6], L"wb") : nullptr;
        if (out) {
            // Rows of blue, green, red, each padded to four bytes.
            const auto* row = static_cast<const unsigned char*>(bits);
            const int stride = (w * 3 + 3) & ~3;
            std::fprintf(out, "P6\n%d %d\n255\n", w, h);
            for (int r = 0; r < h; ++r, row += stride)
                for (int c = 0; c < w; ++c) {
                    const unsigned char rgb[3] = {row[c * 3 + 2], row[c * 3 + 1], row[c * 3]};
                    std::fwrite(rgb, 1, 3, out);
                }
            std::fclose(out);
        }
        DeleteDC(copy);
        DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
        return out ? 0 : 1;
    }
    if (verb == L"type" && argc > 2) {
        std::vector<INPUT> keys;
        for (int i = 2; i < argc; ++i)
            for (DWORD up : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
                INPUT key{};
                key.type = INPUT_KEYBOARD;
                key.ki.wScan = static_cast<WORD>(wcstoul(argv[i], nullptr, 16));
                key.ki.dwFlags = KEYEVENTF_UNICODE | up;
                keys.push_back(key);
            }
        return SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT)) == keys.size() ? 0 : 1;
    }
    if (verb == L"still" && argc == 2)
        return SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, nullptr, SPIF_UPDATEINIFILE) ? 0 : 1;
    std::fprintf(stderr, "usage: probe list | sysclose TITLE | close TITLE | shot X Y W H FILE | type HEX... | still\n");
    return 2;
}
