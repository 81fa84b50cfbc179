// win_probe: what the end-to-end script cannot read off X — the Win32 windows
// other programs show under the same Wine prefix, with their controls.
//   win_probe windows   one line per visible top-level window:
//     window "<caption>" class=<class> style=<names> rect=<l>,<t>,<r>,<b>
//            client=<x>,<y>,<w>,<h> owner="<caption of the owner>"
//   and under it one line per child control:
//     control id=<id> class=<class> style=<names> at=<x>,<y>,<w>,<h> checked=<0|1> text="<text>"
// Rectangles are in pixels: the window's on the screen, its client area's
// on the screen, a control's in its parent's client area.
//   win_probe endsession  asks the visible windows of other programs whether
//                         the session may end (WM_QUERYENDSESSION), as logging
//                         off does, and prints each answer
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "shell/windows/WideText.h"
#include "shell/windows/Win32.h"

namespace {

std::string windowText(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    // Marshalled across processes by the system; a hung window is skipped.
    if (SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                            &length) == 0) {
        return {};
    }
    return utf8FromWide(std::wstring(text, static_cast<std::size_t>(length)));
}

std::string className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return utf8FromWide(name);
}

std::string names(LONG style, const std::vector<std::pair<LONG, const char*>>& bits) {
    std::string out;
    for (const auto& [mask, name] : bits) {
        if ((style & mask) == mask) {
            out += out.empty() ? "" : "|";
            out += name;
            style &= ~mask;
        }
    }
    return out.empty() ? "0" : out;
}

std::string topLevelStyle(LONG style) {
    return names(style, {{WS_POPUP, "WS_POPUP"}, {WS_CAPTION, "WS_CAPTION"}, {WS_BORDER, "WS_BORDER"},
                         {WS_DLGFRAME, "WS_DLGFRAME"}, {WS_SYSMENU, "WS_SYSMENU"},
                         {WS_THICKFRAME, "WS_THICKFRAME"}, {WS_MINIMIZEBOX, "WS_MINIMIZEBOX"},
                         {WS_MAXIMIZEBOX, "WS_MAXIMIZEBOX"}, {DS_MODALFRAME, "DS_MODALFRAME"},
                         {DS_SETFONT, "DS_SETFONT"}});
}

std::string controlStyle(HWND control, LONG style) {
    std::string kind;
    const std::string type = className(control);
    if (type == "Button") {
        const char* buttons[] = {"BS_PUSHBUTTON", "BS_DEFPUSHBUTTON", "BS_CHECKBOX", "BS_AUTOCHECKBOX",
                                 "BS_RADIOBUTTON", "BS_3STATE", "BS_AUTO3STATE", "BS_GROUPBOX",
                                 "BS_USERBUTTON", "BS_AUTORADIOBUTTON"};
        const LONG index = style & 0x0F;
        kind = index < 10 ? buttons[index] : "BS_OTHER";
    } else if (type == "Static") {
        const LONG index = style & 0x1F;
        kind = index == SS_LEFT ? "SS_LEFT" : index == SS_CENTER ? "SS_CENTER" : "SS_OTHER";
    }
    const std::string window = names(style, {{WS_CHILD, "WS_CHILD"}, {WS_VISIBLE, "WS_VISIBLE"},
                                             {WS_GROUP, "WS_GROUP"}, {WS_TABSTOP, "WS_TABSTOP"}});
    return kind.empty() ? window : kind + "|" + window;
}

BOOL CALLBACK printControl(HWND control, LPARAM parent) {
    if (GetParent(control) != reinterpret_cast<HWND>(parent)) return TRUE;
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
    DWORD_PTR checked = 0;
    if (className(control) == "Button") {
        SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &checked);
    }
    std::printf("  control id=%d class=%s style=%s at=%ld,%ld,%ld,%ld checked=%d text=\"%s\"\n",
                GetDlgCtrlID(control), className(control).c_str(),
                controlStyle(control, GetWindowLongW(control, GWL_STYLE)).c_str(), rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, checked == BST_CHECKED ? 1 : 0,
                windowText(control).c_str());
    return TRUE;
}

BOOL CALLBACK printWindow(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const HWND owner = GetWindow(window, GW_OWNER);
    std::printf("window \"%s\" class=%s style=%s rect=%ld,%ld,%ld,%ld client=%ld,%ld,%ld,%ld owner=\"%s\"\n",
                windowText(window).c_str(), className(window).c_str(),
                topLevelStyle(GetWindowLongW(window, GWL_STYLE)).c_str(), rect.left, rect.top, rect.right,
                rect.bottom, origin.x, origin.y, client.right, client.bottom,
                owner != nullptr ? windowText(owner).c_str() : "");
    EnumChildWindows(window, printControl, reinterpret_cast<LPARAM>(window));
    return TRUE;
}

BOOL CALLBACK askToEndSession(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    DWORD_PTR answer = 0;
    const bool answered =
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
    std::printf("\"%s\": %s\n", windowText(window).c_str(), !answered ? "no answer" : answer ? "yes" : "no");
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc == 2 ? argv[1] : "";
    if (command == "windows") {
        EnumWindows(printWindow, 0);
    } else if (command == "endsession") {
        EnumWindows(askToEndSession, 0);
    } else {
        std::fprintf(stderr, "usage: win_probe windows | endsession\n");
        return 2;
    }
    return 0;
}
