#include "app/app.h"
#include "app/frame.h"
#include "content/loader.h"
#include "content/message.h"
#include "media/playback.h"

namespace {

struct VideoSupport {
    HMODULE atl;
};

// Video cells host their players through atl.dll and need COM for the whole
// run. False when atl.dll cannot be loaded.
bool startVideoSupport(VideoSupport* support) {
    support->atl = LoadLibraryA("atl.dll");
    if (!support->atl) return false;
    atlAxAttachControl = reinterpret_cast<AtlAxAttachControlProc>(
        reinterpret_cast<void*>(GetProcAddress(support->atl, "AtlAxAttachControl")));
    CoInitialize(nullptr);
    return true;
}

void stopVideoSupport(VideoSupport* support, HWND frame) {
    deleteVideoFiles();
    DestroyWindow(frame);
    CoUninitialize();
    FreeLibrary(support->atl);
    atlAxAttachControl = nullptr;
}

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

    if (!registerFrameClass(instance)) {
        destroyQuiz();
        return 0;
    }
    const bool video = appQuiz->style == 3;
    VideoSupport support = {nullptr};
    if (video && !startVideoSupport(&support)) {
        destroyQuiz();
        return 1;
    }

    HWND frame = createFrameWindow(instance, appQuiz);
    centreWindow(frame);
    createBoard(instance, frame);
    ShowWindow(frame, showCommand);
    ShowWindow(appBoard, showCommand);

    int exitCode = runMessageLoop();

    if (video) stopVideoSupport(&support, frame);
    destroyQuiz();
    return exitCode;
}
