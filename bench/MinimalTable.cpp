// The yardstick for the game's start-up, idle and memory figures: a plain Win32 program
// of the same shape as the game's table and nothing more. One 640 x 480 window on the
// table green, sixteen static controls showing a 63 x 101 card bitmap, six owner-drawn
// buttons, a trackbar and a 30 ms timer that does nothing. Sizes are in 1/96 inch, drawn
// at the screen's scale like the game's (the card bitmap stretched by the loader).
#include <windows.h>
#include <commctrl.h>
#ifdef MINIMAL_WITH_GAME_DLLS
#include <mmsystem.h>
#include <shellapi.h>
#endif

namespace {

const COLORREF kTableGreen = RGB(0, 128, 0);
const COLORREF kControlGrey = RGB(220, 220, 220);
const COLORREF kRed = RGB(255, 0, 0);
const int kCardBitmap = 1;
const int kFirstButton = 100;
const UINT_PTR kTimerId = 1;

int screenDpi = 96;

int Scaled(int units) { return MulDiv(units, screenDpi, 96); }

struct Table {
    HBRUSH green = nullptr;
    HBRUSH grey = nullptr;
    HBRUSH red = nullptr;
    HBITMAP card = nullptr;
};

void AddCards(HWND window, HINSTANCE instance, HBITMAP card) {
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 8; ++i) {
            int x = 5 + 63 * i + (i > 0 ? 10 : 0);
            HWND place = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, Scaled(x),
                                         Scaled(row == 0 ? 110 : 270), Scaled(63), Scaled(101), window,
                                         nullptr, instance, nullptr);
            SendMessageW(place, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(card));
        }
}

void AddControls(HWND window, HINSTANCE instance) {
    const wchar_t* captions[] = {L"START", L"STOP", L"GET CARD", L"500", L"INFO", L"EXIT"};
    const POINT places[] = {{50, 435}, {160, 435}, {270, 435}, {380, 435}, {535, 20}, {535, 70}};
    for (int i = 0; i < 6; ++i)
        CreateWindowExW(0, L"BUTTON", captions[i], WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Scaled(places[i].x),
                        Scaled(places[i].y), Scaled(100), Scaled(40), window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButton + i)), instance, nullptr);
    HWND slider =
        CreateWindowExW(0, TRACKBAR_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, Scaled(490),
                        Scaled(435), Scaled(100), Scaled(40), window, nullptr, instance, nullptr);
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 8));
}

void DrawButton(const DRAWITEMSTRUCT& item, const Table& table) {
    bool start = item.CtlID == kFirstButton;
    FillRect(item.hDC, &item.rcItem, start ? table.red : table.grey);
    FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    wchar_t caption[32];
    GetWindowTextW(item.hwndItem, caption, 32);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, start ? RGB(255, 255, 255) : RGB(0, 0, 0));
    RECT r = item.rcItem;
    DrawTextW(item.hDC, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK TableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* table = reinterpret_cast<Table*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_CREATE: {
            auto* made = static_cast<Table*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
            HINSTANCE instance = reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance;
            AddCards(window, instance, made->card);
            AddControls(window, instance);
            SetTimer(window, kTimerId, 30, nullptr);
            return 0;
        }
        case WM_TIMER: return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkColor(reinterpret_cast<HDC>(wParam), kControlGrey);
            return reinterpret_cast<LRESULT>(table->grey);
        case WM_DRAWITEM: DrawButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam), *table); return TRUE;
        case WM_DESTROY:
            KillTimer(window, kTimerId);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

#ifdef MINIMAL_WITH_GAME_DLLS
// The variant that loads the libraries the game loads besides these (registry, shell,
// sound) without using them: how much of a start-up is only their loading.
volatile bool neverTrue = false;
void ImportTheGamesLibraries() {
    if (!neverTrue) return;
    RegCloseKey(nullptr);
    ShellExecuteW(nullptr, nullptr, nullptr, nullptr, nullptr, 0);
    PlaySoundW(nullptr, nullptr, 0);
}
#else
void ImportTheGamesLibraries() {}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ImportTheGamesLibraries();
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    Table table;
    table.green = CreateSolidBrush(kTableGreen);
    table.grey = CreateSolidBrush(kControlGrey);
    table.red = CreateSolidBrush(kRed);
    HDC screen = GetDC(nullptr);
    screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    table.card = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(kCardBitmap), IMAGE_BITMAP, Scaled(63), Scaled(101), 0));

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TableProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = table.green;
    windowClass.lpszClassName = L"MinimalTable";
    RegisterClassW(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
    RECT outer{0, 0, Scaled(640), Scaled(480)};
    AdjustWindowRect(&outer, style, FALSE);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    CreateWindowExW(0, L"MinimalTable", L"Minimal table", style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance,
                    &table);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(table.card);
    DeleteObject(table.red);
    DeleteObject(table.grey);
    DeleteObject(table.green);
    return 0;
}
