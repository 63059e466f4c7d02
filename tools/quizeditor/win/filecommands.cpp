// The file commands: new, open, import, save, and the files a question or
// the background colour is chosen from. Each asks through the window's
// services and hands what was chosen to the model.
#include "filecommands.h"

#include <filesystem>

#include "encoding.h"
#include "importer.h"
#include "show.h"
#include "wording.h"

namespace fs = std::filesystem;

static const size_t MaxNotesShown = 12;

void openManifestPath(EditorWindow* state, const std::wstring& path) {
    std::string error;
    if (!openManifestFile(&state->model, toUtf8(path), &error)) {
        tell(state, L"Impossible d'ouvrir « " + path + L" » :\n" + toWide(error));
        return;
    }
    rememberFolder(state, path);
}

void importBank(EditorWindow* state, const std::wstring& path) {
    ImportOptions options;
    options.sourcePath = toUtf8(path);
    // Media paths stay relative to the bank's folder until the quiz is saved.
    options.outputPath = toUtf8(fs::path(path).replace_extension(L".json").wstring());
    ImportResult result;
    const bool imported = importFile(options, &result);
    const std::wstring notes = toWide(describeImportNotes(result.notes, MaxNotesShown));
    // Empty answers only: the quiz opens, each one an error in the problems
    // list where the author fills it in or chooses one answer per question.
    if (!imported && !onlyEmptyAnswersFailed(result)) {
        tell(state, L"Impossible d'importer « " + path + L" » :" + notes);
        return;
    }
    adoptManifest(&state->model, result.manifest, toUtf8(fs::path(path).parent_path().wstring()),
                  toUtf8(fs::path(path).stem().wstring()) + ".json");
    rememberFolder(state, path);
    showModel(state);
    if (!result.notes.empty())
        tell(state, L"Questions importées : " + std::to_wstring(result.imported) + L", ignorées : " +
                        std::to_wstring(result.skipped) + L"." + notes);
}

void tell(EditorWindow* state, const std::wstring& text) { state->services.ask(state->window, text, MB_OK | MB_ICONINFORMATION); }

std::wstring folderForDialogs(const EditorWindow* state) {
    if (!state->lastFolder.empty()) return state->lastFolder;
    return toWide(state->model.folder);
}

void rememberFolder(EditorWindow* state, const std::wstring& file) {
    state->lastFolder = fs::path(file).parent_path().wstring();
}

bool settleUnsavedChanges(EditorWindow* state) {
    if (!isDirty(state->model)) return true;
    int answer = state->services.ask(state->window, toWide(unsavedChangesQuestion(state->model)),
                                     MB_YESNOCANCEL | MB_ICONWARNING);
    if (answer == IDYES) return saveDocument(state, false);
    return answer == IDNO;
}

// What the author is told of media gathered: "2 médias copiés dans
// « media »", "" when none was copied and none is missing.
static std::wstring describeGathered(const GatherResult& gathered) {
    std::wstring text;
    if (gathered.copied)
        text = toWide(countedInFrench(static_cast<unsigned>(gathered.copied), u8"média copié", u8"médias copiés")) +
               L" dans « " + toWide(GatheredMediaFolder) + L" »";
    if (gathered.missing)
        text += (text.empty() ? L"" : L" ; ") +
                toWide(countedInFrench(static_cast<unsigned>(gathered.missing), u8"média introuvable",
                                       u8"médias introuvables"));
    return text;
}

// Media brought beside the manifest about to be written into folder; false
// when one could not be copied (the author is told, nothing is saved).
static bool gatherInto(EditorWindow* state, const std::string& folder, std::wstring* note) {
    GatherResult gathered;
    std::string error;
    const bool fine = gatherMedia(&state->model, folder, &gathered, &error);
    *note = describeGathered(gathered);
    if (!fine) tell(state, L"Impossible de copier les médias dans « " + toWide(folder) + L" » :\n" + toWide(error));
    return fine;
}

bool saveDocument(EditorWindow* state, bool choosePath) {
    std::wstring path = toWide(state->model.path);
    std::wstring note;
    if (choosePath || path.empty()) {
        FileChoice choice{true, FileKind::Manifest, folderForDialogs(state), toWide(nameToSuggest(state->model))};
        if (!state->services.chooseFile(state->window, choice, &path, nullptr)) return false;
        rememberFolder(state, path);
        // Saved where the author says, the quiz takes its media along.
        if (!gatherInto(state, manifestFolder(toUtf8(path)), &note)) {
            showModel(state);
            return false;
        }
    }
    std::string error;
    if (!saveManifest(&state->model, toUtf8(path), &error)) {
        tell(state, L"Impossible d'enregistrer « " + path + L" » :\n" + toWide(error));
        return false;
    }
    showModel(state);
    if (!note.empty()) tell(state, L"Quiz enregistré dans « " + path + L" » avec ses médias : " + note + L".");
    return true;
}

void gatherDocumentMedia(EditorWindow* state) {
    if (state->model.path.empty()) {
        saveDocument(state, true);
        return;
    }
    std::wstring note;
    if (!gatherInto(state, state->model.folder, &note) || !saveDocument(state, false)) return;
    tell(state, note.empty() ? L"Les médias sont déjà tous dans le dossier du quiz." : note + L".");
}

void newDocument(EditorWindow* state) {
    if (!settleUnsavedChanges(state)) return;
    startNewQuiz(&state->model);
}

void openDocument(EditorWindow* state) {
    if (!settleUnsavedChanges(state)) return;
    std::wstring path;
    if (state->services.chooseFile(state->window, FileChoice{false, FileKind::Manifest, folderForDialogs(state), L""},
                                   &path, nullptr))
        openManifestPath(state, path);
}

void importDocument(EditorWindow* state) {
    if (!settleUnsavedChanges(state)) return;
    std::wstring path;
    if (state->services.chooseFile(state->window,
                                   FileChoice{false, FileKind::QuestionBank, folderForDialogs(state), L""}, &path,
                                   nullptr))
        importBank(state, path);
}

void browseMedia(EditorWindow* state, Field field) {
    const int style = settingOf(state->model, Field::Style);
    FileKind kind = field == Field::AnswerPicture ? FileKind::Picture
                    : field == Field::WebVideo    ? FileKind::WebVideo
                    : style == StyleSounds        ? FileKind::Sound
                    : style == StyleVideos        ? FileKind::Video
                                                  : FileKind::Picture;
    std::string current = mediaFileOf(state->model, field);
    std::wstring folder = current.empty() ? folderForDialogs(state) : fs::u8path(current).parent_path().wstring();
    std::wstring path;
    if (!state->services.chooseFile(state->window, FileChoice{false, kind, folder, L""}, &path, nullptr)) return;
    rememberFolder(state, path);
    setText(&state->model, field, mediaPathFor(state->model, toUtf8(path)));
    showModel(state);
}

void chooseBackColour(EditorWindow* state) {
    long shown = colourOf(state->model);
    unsigned long rgb = shown < 0 ? 0xFFFFFF : static_cast<unsigned long>(shown);
    COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    if (!state->services.chooseColour(state->window, &colour)) return;
    setColour(&state->model, (static_cast<unsigned long>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) |
                                 GetBValue(colour));
    showModel(state);
}
