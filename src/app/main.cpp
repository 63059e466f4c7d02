#include "app/app.h"
#include "app/frame.h"
#include "board/board.h"
#include "content/loader.h"
#include "content/message.h"
#include "media/playback.h"

namespace {

int runMessageLoop() {
    MSG message;
    // GetMessageA's -1 is handled like a message; only WM_QUIT (0) ends.
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void destroyQuiz() {
    delete appQuiz;
    appQuiz = nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    setMessageSink(showMessageBox);
    appInstance = instance;

    appQuiz = new Quiz();
    loadContent(appQuiz, instance);
    // The pictures decode on other threads while the windows are made.
    startQuestionPicturePrefetch(appQuiz);

    if (!registerFrameClass(instance)) {
        destroyQuiz();
        return 0;
    }
    const bool video = appQuiz->style == 3;
    if (video && !startVideoSupport()) {
        destroyQuiz();
        return 1;
    }

    HWND frame = createFrameWindow(instance, appQuiz);
    centreWindow(frame);
    createBoard(instance, frame);
    ShowWindow(frame, showCommand);
    ShowWindow(appBoard, showCommand);

    int exitCode = runMessageLoop();

    if (video) {
        deleteVideoFiles();
        DestroyWindow(frame);
        stopVideoSupport();
    }
    destroyQuiz();
    return exitCode;
}
