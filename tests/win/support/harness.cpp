#include "win/support/harness.h"

#include "app/frame.h"

#include <filesystem>
#include <fstream>
#include <iterator>

void fillWindowTestQuiz(Quiz* quiz, int style, int count, int format, int answerMode) {
    fillTestQuiz(quiz, style, count, format, answerMode);
    quiz->backBrush = GetStockObject(WHITE_BRUSH);
}

PlayerWindows openPlayerWindows(Player* player, Quiz* quiz) {
    *player = Player();
    player->instance = GetModuleHandleA(nullptr);
    player->quiz = quiz;
    if (openPlayer(player, SW_SHOW) != OpenResult::Opened) return PlayerWindows{nullptr, nullptr};
    pumpMessages();
    return PlayerWindows{player->frame, player->board};
}

void closePlayerWindows(Player* player, PlayerWindows* windows) {
    if (player->quiz) closePlayer(player);
    pumpMessages();
    *windows = PlayerWindows{nullptr, nullptr};
    player->quiz = nullptr;
}

void pumpMessages() {
    MSG message;
    // A quit message posted by a closing frame is taken off the queue and
    // dropped: the test thread has no loop to end.
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string controlText(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    if (!control) return std::string();
    char text[1024] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

std::string fileBytes(const char* name) {
    std::ifstream file(name, std::ios::binary);  // shares the file as fopen does
    if (!file) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeFile(const char* name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }

RECT placeInParent(HWND control) {
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

COLORREF brushColour(HBRUSH brush) {
    LOGBRUSH info = {};
    return GetObjectA(brush, sizeof info, &info) ? info.lbColor : 0xFFFFFFFF;
}

void resizeClient(HWND window, int width, int height) {
    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                 outer.bottom - outer.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
}

std::vector<unsigned> paintedPixels(HWND control) {
    RECT client = {};
    GetClientRect(control, &client);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<unsigned> pixels;
    if (bitmap) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        const unsigned* first = static_cast<const unsigned*>(bits);
        pixels.assign(first, first + client.right * client.bottom);
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    return pixels;
}

static Messages* captured = nullptr;

MessageCapture::MessageCapture()
    : previous(setMessageSink([](const char* text, const char* caption) {
          if (captured) captured->emplace_back(text ? text : "", caption ? caption : "");
      })) {
    captured = &messages;
}

MessageCapture::~MessageCapture() {
    setMessageSink(previous);
    captured = nullptr;
}

ScratchDirectory::ScratchDirectory() : previous(std::filesystem::current_path().string()) {
    char unique[MAX_PATH] = "";
    // Reserves a unique name, then makes it a folder.
    GetTempFileNameA(std::filesystem::temp_directory_path().string().c_str(), "qzt", 0, unique);
    DeleteFileA(unique);
    CreateDirectoryA(unique, nullptr);
    path = unique;
    SetCurrentDirectoryA(unique);
}

ScratchDirectory::~ScratchDirectory() {
    SetCurrentDirectoryA(previous.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
