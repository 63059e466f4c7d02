#include "services.h"

#include "winsystem.h"

#include <commdlg.h>
#include <shlobj.h>

#include <filesystem>
#include <memory>

namespace {

const wchar_t EditorCaption[] = L"Éditeur de quiz";

// Each kind's filter: pairs of a description and its patterns, then the
// extension a typed name without one receives.
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
    {FileKind::WebPage, L"Pages web (*.html)\0*.html\0Tous les fichiers\0*.*\0", L"html",
     L"Exporter pour le navigateur"},
    {FileKind::ScormPackage, L"Paquets SCORM (*.zip)\0*.zip\0Tous les fichiers\0*.*\0", L"zip",
     L"Exporter pour une plateforme d'apprentissage"},
};

int askWithMessageBox(HWND owner, const std::wstring& text, UINT buttons) {
    return MessageBoxW(owner, text.c_str(), EditorCaption, buttons);
}

bool chooseWithDialog(HWND owner, const FileChoice& choice, std::wstring* path) {
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
    dialog.lpstrFile = file;
    dialog.nMaxFile = 32768;
    dialog.lpstrInitialDir = choice.folder.empty() ? nullptr : choice.folder.c_str();
    dialog.lpstrTitle = filter->title;
    dialog.lpstrDefExt = filter->extension;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (choice.save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    if (!(choice.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return false;
    *path = file;
    return true;
}

int CALLBACK startFolderBrowser(HWND dialog, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

bool chooseFolderWithDialog(HWND owner, const std::wstring& start, std::wstring* folder) {
    BROWSEINFOW browse;
    ZeroMemory(&browse, sizeof browse);
    browse.hwndOwner = owner;
    browse.lpszTitle = L"Dossier où extraire le quiz et ses médias :";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = startFolderBrowser;
    browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
    LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
    if (!chosen) return false;
    wchar_t path[MAX_PATH] = L"";
    bool found = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (found) *folder = path;
    return found;
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
    if (!ChooseColorW(&dialog)) return false;
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
    return services;
}
