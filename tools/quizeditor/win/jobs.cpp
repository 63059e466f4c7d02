// Building, testing and unpacking quiz programs on a worker thread, so the
// window keeps answering while pictures are prepared and resources written.
// The worker works on its own copy of what it needs, posts its progress to
// the window and, once done, a last message; the window then takes the
// results on its own thread.
#include "jobs.h"

#include <commctrl.h>
#include <objbase.h>

#include <filesystem>

#include "encoding.h"
#include "filecommands.h"
#include "quizbuild.h"
#include "webexport.h"
#include "show.h"
#include "wording.h"

namespace fs = std::filesystem;

enum class JobKind { Build, Test, Unpack, Export };

struct WorkerJob {
    JobKind kind;
    HWND window;
    HANDLE thread = nullptr;
    BuildRequest request;      // Build and Test
    MediaMemo media;           // the model's prepared media, so unchanged files are not prepared again
    std::string program;       // Unpack: the quiz program, and the folder it goes to
    std::string folder;
    bool fine = false;
    std::vector<Problem> problems;
    BuildSummary summary;
    WebExportRequest page;     // Export
    WebExportSummary pageSummary;
    std::vector<Message> warnings;
    Message error;
};

namespace {

DWORD WINAPI runJob(void* parameter) {
    WorkerJob* job = static_cast<WorkerJob*>(parameter);
    // Pictures are decoded by the imaging component, which needs COM here.
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ProgressFunction progress = [job](const MediaProgress& step) {
        PostMessageW(job->window, JobProgressMessage, static_cast<WPARAM>(step.number), step.count);
    };
    if (job->kind == JobKind::Unpack)
        job->fine = unpackQuiz(job->program, job->folder, progress, &job->warnings, &job->error);
    else if (job->kind == JobKind::Export)
        job->fine = exportWebQuiz(job->page, progress, &job->problems, &job->pageSummary, &job->error);
    else
        job->fine = buildQuiz(job->request, progress, &job->problems, &job->summary, &job->error);
    if (SUCCEEDED(com)) CoUninitialize();
    PostMessageW(job->window, JobFinishedMessage, 0, 0);
    return 0;
}

void startJob(EditorWindow* state, WorkerJob* job, const std::wstring& status) {
    job->window = state->window;
    job->thread = CreateThread(nullptr, 0, runJob, job, 0, nullptr);
    if (!job->thread) {
        delete job;
        tell(state, L"Impossible de lancer le travail en arrière-plan.");
        return;
    }
    state->job = job;
    HWND bar = controlOf(state, ProgressBar);
    SendMessageW(bar, PBM_SETRANGE32, 0, 1);
    SendMessageW(bar, PBM_SETPOS, 0, 0);
    ShowWindow(bar, SW_SHOW);
    showStatus(state, status);
    showModel(state);
}

// Building needs a quiz without errors: the first one is shown instead.
bool readyToBuildOrSay(EditorWindow* state) {
    if (readyToBuild(state->model)) return true;
    tell(state, toWide(notReadyToBuild(state->model)));
    goToProblem(state, countProblems(state->model).firstError);
    return false;
}

WorkerJob* buildJob(EditorWindow* state, JobKind kind, const std::wstring& output) {
    WorkerJob* job = new WorkerJob();
    job->kind = kind;
    job->request.manifestText = manifestText(state->model);
    job->request.manifestFolder = state->model.folder;
    job->request.outputPath = toUtf8(output);
    job->request.playerPath = toUtf8(state->services.playerPath);
    job->media = state->model.media;
    job->request.memo = &job->media;
    return job;
}

std::wstring programName(const EditorWindow* state) {
    std::wstring stem = fs::u8path(state->model.suggestedName).stem().wstring();
    return (stem.empty() ? L"quiz" : stem) + L".exe";
}

// A new folder under the user's temporary folder, "" when none can be made.
std::wstring freshTestFolder(EditorWindow* state) {
    wchar_t temporary[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, temporary);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::wstring folder = std::wstring(temporary) + L"quizeditor-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(state->testFolders.size() + attempt);
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            state->testFolders.push_back(folder);
            return folder;
        }
    }
    return L"";
}

std::wstring describeFailure(const WorkerJob* job) {
    std::wstring text;
    for (const Problem& problem : job->problems)
        if (problem.error) text += L"\n• " + toWide(describePlace(problem.where) + u8" : " + problem.french);
    if (!job->error.french.empty()) text += L"\n" + toWide(job->error.french);
    return text;
}

// A build that succeeded says so, and offers what comes next: its folder,
// or the quiz itself.
void offerBuiltQuiz(EditorWindow* state, const std::wstring& output, const std::wstring& size) {
    const std::vector<std::wstring> buttons = {L"Ouvrir le dossier", L"Lancer le quiz", L"Fermer"};
    const std::wstring folder = fs::path(output).parent_path().wstring();
    const int chosen = state->services.offer(state->window, L"Le quiz est construit : « " + output + L" » (" + size +
                                                                L").", buttons);
    if (chosen == 0 && !state->services.showFolder(folder)) tell(state, L"Impossible d'ouvrir le dossier « " + folder + L" ».");
    if (chosen == 1 && !state->services.startProgram(output)) tell(state, L"Impossible de lancer « " + output + L" ».");
}

// Each gives what the status line says afterwards.
std::wstring finishBuild(EditorWindow* state, WorkerJob* job) {
    const std::wstring output = toWide(job->request.outputPath);
    if (!job->fine) {
        tell(state, L"Impossible de construire « " + output + L" » :" + describeFailure(job));
        return L"La construction a échoué.";
    }
    if (job->kind == JobKind::Build) {
        const std::wstring size = toWide(describeSizeInFrench(job->summary.executableBytes));
        offerBuiltQuiz(state, output, size);
        return L"Quiz construit : " + output + L" (" + size + L")";
    }
    if (!state->services.startProgram(output)) {
        tell(state, L"Impossible de lancer « " + output + L" ».");
        return L"Le quiz de test n'a pas pu être lancé.";
    }
    return L"Quiz de test lancé : " + output;
}

std::wstring finishExport(EditorWindow* state, WorkerJob* job) {
    const std::wstring output = toWide(job->page.outputPath);
    if (!job->fine) {
        tell(state, L"Impossible d'exporter « " + output + L" » :" + describeFailure(job));
        return L"L'exportation a échoué.";
    }
    return (job->page.scorm ? L"Paquet SCORM exporté : " : L"Page exportée : ") + output + L" (" +
           toWide(describeSizeInFrench(job->pageSummary.outputBytes)) + L")";
}

std::wstring finishUnpack(EditorWindow* state, WorkerJob* job) {
    if (!job->fine) {
        tell(state, L"Impossible d'ouvrir le quiz « " + toWide(job->program) + L" » :\n" + toWide(job->error.french));
        return L"L'extraction a échoué.";
    }
    std::string error;
    const std::string manifest = (fs::u8path(job->folder) / "quiz.json").u8string();
    if (!openManifestFile(&state->model, manifest, &error)) {
        tell(state, L"Impossible d'ouvrir « " + toWide(manifest) + L" » :\n" + toWide(error));
        return L"L'extraction a échoué.";
    }
    showModel(state);
    std::wstring warnings;
    for (const Message& warning : job->warnings) warnings += L"\n• " + toWide(warning.french);
    if (!warnings.empty()) tell(state, L"Le quiz est ouvert, avec ces remarques :" + warnings);
    return L"Quiz extrait dans " + toWide(job->folder);
}

}  // namespace

void buildProgram(EditorWindow* state) {
    if (state->job || !readyToBuildOrSay(state)) return;
    std::wstring output;
    FileChoice choice{true, FileKind::QuizProgram, folderForDialogs(state), programName(state)};
    if (!state->services.chooseFile(state->window, choice, &output, nullptr)) return;
    rememberFolder(state, output);
    startJob(state, buildJob(state, JobKind::Build, output), L"Construction de « " + output + L" »…");
}

void testProgram(EditorWindow* state) {
    if (state->job || !readyToBuildOrSay(state)) return;
    std::wstring folder = freshTestFolder(state);
    if (folder.empty()) {
        tell(state, L"Impossible de créer un dossier temporaire pour tester le quiz.");
        return;
    }
    std::wstring output = (fs::path(folder) / programName(state)).wstring();
    startJob(state, buildJob(state, JobKind::Test, output), L"Construction du quiz de test…");
}

// A page to open in any browser, or a package for a learning platform,
// which records each pupil's score: the author names the file and chooses
// which by its type.
void exportForBrowser(EditorWindow* state) {
    if (state->job || !readyToBuildOrSay(state)) return;
    // One save dialog: its file types are the page and the package, and the
    // name offered has no extension, so that the type shown decides.
    FileChoice file{true, FileKind::BrowserExport, folderForDialogs(state),
                    fs::path(programName(state)).stem().wstring(), state->exportType};
    std::wstring chosen;
    int type = file.type;
    if (!state->services.chooseFile(state->window, file, &chosen, &type)) return;
    const ExportTarget target = exportTargetFor(toUtf8(chosen), type);
    const std::wstring output = toWide(target.path);
    // The dialog asked before replacing the name typed, not the one the
    // extension made.
    if (output != chosen && fs::exists(fs::path(output)) &&
        state->services.ask(state->window, L"« " + output + L" » existe déjà. Le remplacer ?",
                            MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    const bool scorm = target.kind == ExportKind::ScormPackage;
    state->exportType = scorm ? 1 : 0;
    rememberFolder(state, output);
    WorkerJob* job = new WorkerJob();
    job->kind = JobKind::Export;
    job->page.manifestPath = state->model.path;
    job->page.manifestText = manifestText(state->model);
    job->page.manifestFolder = state->model.folder;
    job->page.outputPath = toUtf8(output);
    job->page.scorm = scorm;
    job->media = state->model.media;
    job->page.memo = &job->media;
    startJob(state, job, L"Exportation de « " + output + L" »…");
}

void openProgram(EditorWindow* state) {
    if (state->job || !settleUnsavedChanges(state)) return;
    std::wstring program;
    if (state->services.chooseFile(state->window, FileChoice{false, FileKind::QuizProgram, folderForDialogs(state), L""},
                                   &program, nullptr))
        openProgramFile(state, program);
}

void openProgramFile(EditorWindow* state, const std::wstring& program) {
    if (state->job) return;
    rememberFolder(state, program);
    // A new folder beside the program, named after it, is proposed.
    const fs::path proposed = fs::u8path(freshFolderBeside(toUtf8(program)));
    std::wstring folder;
    if (!state->services.chooseFolder(state->window,
                                      FolderChoice{proposed.parent_path().wstring(), proposed.filename().wstring()},
                                      &folder))
        return;
    if (fs::exists(fs::path(folder) / L"quiz.json") &&
        state->services.ask(state->window, L"Le dossier « " + folder + L" » contient déjà un quiz.json. Le remplacer ?",
                            MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    WorkerJob* job = new WorkerJob();
    job->kind = JobKind::Unpack;
    job->program = toUtf8(program);
    job->folder = toUtf8(folder);
    state->lastFolder = folder;
    startJob(state, job, L"Extraction de « " + program + L" »…");
}

LRESULT onJobProgress(EditorWindow* state, int done, int count) {
    HWND bar = controlOf(state, ProgressBar);
    SendMessageW(bar, PBM_SETRANGE32, 0, count > 0 ? count : 1);
    SendMessageW(bar, PBM_SETPOS, done, 0);
    if (state->job)
        showStatus(state, (state->job->kind == JobKind::Unpack ? L"Extraction : " : L"Construction : ") +
                              std::to_wstring(done) + L" / " + std::to_wstring(count) + L" fichiers");
    return 0;
}

LRESULT onJobFinished(EditorWindow* state) {
    WorkerJob* job = state->job;
    if (!job) return 0;
    WaitForSingleObject(job->thread, INFINITE);
    CloseHandle(job->thread);
    state->job = nullptr;
    ShowWindow(controlOf(state, ProgressBar), SW_HIDE);
    const std::wstring note = job->kind == JobKind::Unpack   ? finishUnpack(state, job)
                              : job->kind == JobKind::Export ? finishExport(state, job)
                                                             : finishBuild(state, job);
    delete job;
    showModel(state);
    showStatus(state, note);
    return 0;
}

void finishJobs(EditorWindow* state) {
    if (state->job) {
        WaitForSingleObject(state->job->thread, INFINITE);
        CloseHandle(state->job->thread);
        delete state->job;
        state->job = nullptr;
    }
    // A test quiz still running keeps its folder; the others go.
    for (const std::wstring& folder : state->testFolders) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
}
