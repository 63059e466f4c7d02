#include "services.h"

#include "winsystem.h"
#include "system/libraries.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <memory>

namespace {

const wchar_t EditorCaption[] = L"Éditeur de quiz";

// Each kind's filter: pairs of a description and its patterns, then the
// extension a typed name without one receives (none where the type chosen
// decides, which the editor then adds).
struct KindFilter {
    FileKind kind;
    const wchar_t* filter;   // double zero at the end
    const wchar_t* extension;
    const wchar_t* title;
};

const KindFilter kindFilters[] = {
    {FileKind::Manifest, L"Quiz (*.json)\0*.json\0Tous les fichiers\0*.*\0", L"json", nullptr},
    {FileKind::QuizProgram, L"Quiz construits (*.exe)\0*.exe\0Tous les fichiers\0*.*\0", L"exe", nullptr},
    {FileKind::QuestionBank,
     L"Questions (*.csv;*.tsv;*.txt;*.gift)\0*.csv;*.tsv;*.txt;*.gift\0Tous les fichiers\0*.*\0", L"csv",
     L"Importer des questions"},
    {FileKind::Picture, L"Images (*.jpg;*.jpeg;*.png;*.bmp;*.gif)\0*.jpg;*.jpeg;*.png;*.bmp;*.gif\0"
                        L"Tous les fichiers\0*.*\0", L"jpg", L"Choisir une image"},
    {FileKind::Sound, L"Sons (*.mp3;*.wav)\0*.mp3;*.wav\0Tous les fichiers\0*.*\0", L"mp3", L"Choisir un son"},
    {FileKind::Video, L"Vidéos (*.avi)\0*.avi\0Tous les fichiers\0*.*\0", L"avi", L"Choisir une vidéo"},
    {FileKind::WebVideo, L"Vidéos pour le navigateur (*.mp4;*.webm)\0*.mp4;*.webm\0Tous les fichiers\0*.*\0", L"mp4",
     L"Choisir une vidéo pour le navigateur"},
    {FileKind::BrowserExport,
     L"Page web (*.html)\0*.html\0Paquet SCORM pour plateforme d'apprentissage (*.zip)\0*.zip\0", nullptr,
     L"Exporter pour le navigateur"},
};

int askWithMessageBox(HWND owner, const std::wstring& text, UINT buttons) {
    return MessageBoxW(owner, text.c_str(), EditorCaption, buttons);
}

bool chooseWithDialog(HWND owner, const FileChoice& choice, std::wstring* path, int* type) {
    const KindFilter* filter = &kindFilters[0];
    for (const KindFilter& each : kindFilters)
        if (each.kind == choice.kind) filter = &each;
    wchar_t file[32768] = L"";
    lstrcpynW(file, choice.name.c_str(), 32768);
    OPENFILENAMEW dialog;
    ZeroMemory(&dialog, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter->filter;
    dialog.nFilterIndex = static_cast<DWORD>(choice.type + 1);
    dialog.lpstrFile = file;
    dialog.nMaxFile = 32768;
    dialog.lpstrInitialDir = choice.folder.empty() ? nullptr : choice.folder.c_str();
    dialog.lpstrTitle = filter->title;
    dialog.lpstrDefExt = filter->extension;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (choice.save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    if (!(choice.save ? chooseFileToSave(&dialog) : chooseFileToOpen(&dialog))) return false;
    *path = file;
    if (type) *type = dialog.nFilterIndex > 0 ? static_cast<int>(dialog.nFilterIndex) - 1 : 0;
    return true;
}

// The file dialog in folder mode: a path box, the folders of the start
// folder, the proposed folder's name typed in. The proposed folder is made
// first, so that the name in the box names a folder that exists, and
// removed again, while empty, when another is chosen or none.
bool showFolderDialog(HWND owner, const FolderChoice& choice, std::wstring* folder) {
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return false;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    dialog->SetTitle(L"Dossier où extraire le quiz et ses médias");
    dialog->SetOkButtonLabel(L"Extraire ici");
    IShellItem* start = nullptr;
    if (SUCCEEDED(SHCreateItemFromParsingName(choice.folder.c_str(), nullptr, IID_PPV_ARGS(&start)))) {
        dialog->SetFolder(start);
        start->Release();
    }
    if (!choice.name.empty()) dialog->SetFileName(choice.name.c_str());
    bool chosen = false;
    IShellItem* result = nullptr;
    if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&result))) {
        wchar_t* path = nullptr;
        if (SUCCEEDED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            *folder = path;
            chosen = true;
            CoTaskMemFree(path);
        }
        result->Release();
    }
    dialog->Release();
    return chosen;
}

bool chooseFolderWithDialog(HWND owner, const FolderChoice& choice, std::wstring* folder) {
    const std::filesystem::path proposed = std::filesystem::path(choice.folder) / choice.name;
    std::error_code failed;
    const bool made = !choice.name.empty() && std::filesystem::create_directory(proposed, failed);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const bool chosen = showFolderDialog(owner, choice, folder);
    if (SUCCEEDED(com)) CoUninitialize();
    if (made && (!chosen || std::filesystem::path(*folder) != proposed)) std::filesystem::remove(proposed, failed);
    return chosen;
}

// custom: the dialog's own 16 custom colours, kept for the session.
bool chooseColourWithDialog(HWND owner, COLORREF* colour, COLORREF* custom) {
    CHOOSECOLORW dialog;
    ZeroMemory(&dialog, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = *colour;
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!chooseColour(&dialog)) return false;
    *colour = dialog.rgbResult;
    return true;
}

bool startInItsFolder(const std::wstring& program) {
    std::wstring folder = std::filesystem::path(program).parent_path().wstring();
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// A task dialog with the given buttons, from the common controls that have
// one; a message box with OK where they have none.
int offerWithTaskDialog(HWND owner, const std::wstring& text, const std::vector<std::wstring>& buttons) {
    typedef HRESULT(WINAPI * TaskDialogFunction)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    TaskDialogFunction show = controls ? reinterpret_cast<TaskDialogFunction>(reinterpret_cast<void*>(
                                             GetProcAddress(controls, "TaskDialogIndirect")))
                                       : nullptr;
    if (!show) {
        askWithMessageBox(owner, text, MB_OK | MB_ICONINFORMATION);
        return -1;
    }
    const int FirstButton = 100;
    std::vector<TASKDIALOG_BUTTON> shown;
    for (size_t i = 0; i < buttons.size(); ++i)
        shown.push_back(TASKDIALOG_BUTTON{FirstButton + static_cast<int>(i), buttons[i].c_str()});
    TASKDIALOGCONFIG dialog;
    ZeroMemory(&dialog, sizeof dialog);
    dialog.cbSize = sizeof dialog;
    dialog.hwndParent = owner;
    dialog.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
    dialog.dwCommonButtons = shown.empty() ? TDCBF_OK_BUTTON : 0;
    dialog.pszWindowTitle = EditorCaption;
    dialog.pszMainIcon = TD_INFORMATION_ICON;
    dialog.pszContent = text.c_str();
    dialog.cButtons = static_cast<UINT>(shown.size());
    dialog.pButtons = shown.empty() ? nullptr : shown.data();
    int chosen = 0;
    if (FAILED(show(&dialog, &chosen, nullptr, nullptr))) return -1;
    return chosen >= FirstButton && chosen < FirstButton + static_cast<int>(shown.size()) ? chosen - FirstButton : -1;
}

bool showFolderInExplorer(const std::wstring& folder) {
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace

EditorServices systemServices() {
    EditorServices services;
    services.ask = askWithMessageBox;
    services.chooseFile = chooseWithDialog;
    services.chooseFolder = chooseFolderWithDialog;
    std::shared_ptr<COLORREF> custom(new COLORREF[16](), std::default_delete<COLORREF[]>());
    services.chooseColour = [custom](HWND owner, COLORREF* colour) {
        return chooseColourWithDialog(owner, colour, custom.get());
    };
    services.startProgram = startInItsFolder;
    services.playerPath = besideThisProgram(L"quizplayer.exe");
    services.offer = offerWithTaskDialog;
    services.showFolder = showFolderInExplorer;
    return services;
}
