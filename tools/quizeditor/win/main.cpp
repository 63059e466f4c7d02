// The editor's entry point: the system's components made ready, the main
// window opened on a new quiz or on the file the command line names (a
// file dropped on the program's icon), and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "editorwindow.h"
#include "system/libraries.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Before any library is loaded: none from the folder of the quiz opened.
    searchSystemFolderOnly();
    SetProcessDPIAware();
    // The folder dialog and the picture previews need COM on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    initCommonControls(ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES);
    EditorServices services = systemServices();
    HWND editor = registerEditorClass(instance) ? createEditorWindow(instance, services) : nullptr;
    if (!editor) {
        services.ask(nullptr, L"Impossible d'ouvrir la fenêtre de l'éditeur.", MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowWindow(editor, showCommand);
    UpdateWindow(editor);
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments && count > 1) openEditorFile(editor, arguments[1]);
    LocalFree(arguments);

    HACCEL accelerators = createEditorAccelerators();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (translateEditorMessage(editor, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyAcceleratorTable(accelerators);
    if (SUCCEEDED(com)) CoUninitialize();
    return static_cast<int>(message.wParam);
}
