// What a keystroke costs in the player under Windows (or Wine): a typed
// character, Enter that changes an answer (judged, then the answers file
// written to the disk), and Enter on an unchanged answer (judged only), in a
// quiz of 90 questions with two answers each (180 lines, the largest file).
//
//   bench_keystroke.exe [ROUNDS]
//
// Plays in a fresh folder among the temporary files; prints the median and
// mean of each, in microseconds, and the ratio of the two Enters.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "app/player.h"
#include "shared/testquiz.h"

namespace {

LARGE_INTEGER frequency;

double nowMicroseconds() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1e6 / frequency.QuadPart;
}

void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times) sum += t;
    printf("%-40s median %8.1f us  mean %8.1f us  (%zu)\n", what, times[times.size() / 2], sum / times.size(),
           times.size());
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? atoi(argv[1]) : 300;
    QueryPerformanceFrequency(&frequency);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "bench_keystroke";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    DeleteFileA("bench_keystroke.txt");

    Quiz* quiz = new Quiz();
    fillTestQuiz(quiz, StyleText, 90, 2, 2);
    quiz->backBrush = GetStockObject(WHITE_BRUSH);
    Player* player = new Player();
    player->instance = GetModuleHandleA(nullptr);
    player->quiz = quiz;
    if (openPlayer(player, SW_SHOW) != OpenResult::Opened) {
        fprintf(stderr, "the player could not open\n");
        return 1;
    }
    pump();
    // Every field holds 200 characters: the file is 36 KB, near its largest.
    for (int k = 2; k <= 180; ++k) SetDlgItemTextA(player->board, 4000 + k, std::string(200, 'x').c_str());
    HWND field = GetDlgItem(player->board, 4001);
    SetFocus(field);

    std::vector<double> typed, changed, unchanged;
    for (int r = 0; r < rounds; ++r) {
        SetWindowTextA(field, "");
        for (int c = 0; c < 20; ++c) {
            const double start = nowMicroseconds();
            SendMessageA(field, WM_CHAR, 'a' + c, 1);
            pump();
            typed.push_back(nowMicroseconds() - start);
        }
        const std::string answer = std::to_string(r) + std::string(200, 'r');
        SetWindowTextA(field, answer.c_str());
        double start = nowMicroseconds();
        SendMessageA(field, WM_KEYUP, VK_RETURN, 0xC0000001);
        pump();
        changed.push_back(nowMicroseconds() - start);
        start = nowMicroseconds();
        SendMessageA(field, WM_KEYUP, VK_RETURN, 0xC0000001);
        pump();
        unchanged.push_back(nowMicroseconds() - start);
    }
    report("typed character", typed);
    report("Enter, answer changed (file written)", changed);
    report("Enter, answer unchanged", unchanged);
    printf("changed / unchanged Enter: %.1f of the medians\n", median(changed) / median(unchanged));
    printf("answers file: %ld bytes\n", static_cast<long>(std::filesystem::file_size("bench_keystroke.txt")));
    closePlayer(player);
    return 0;
}
