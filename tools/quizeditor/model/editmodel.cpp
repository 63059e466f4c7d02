#include "editmodel.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "encoding.h"
#include "manifestcheck.h"
#include "manifestjson.h"
#include "variants.h"

namespace fs = std::filesystem;

namespace {

// What a key left out means to check: its value in a manifest written from
// nothing, and in a question written from nothing.
const ManifestDocument& defaultsOf(KeyScope scope) {
    static const ManifestDocument quiz = [] {
        Manifest empty;
        empty.questions.push_back(ManifestQuestion());
        return ManifestDocument::parse(manifestToJson(empty));
    }();
    static const ManifestDocument question = quiz[keyName(Field::Questions)][0];
    return scope == KeyScope::Question ? question : quiz;
}

// Known keys first in quizmaker's order, each present (absent ones with the
// value check gives them), then any other key, kept for check to report.
ManifestDocument inOrder(const ManifestDocument& object, KeyScope scope) {
    const ManifestDocument& defaults = defaultsOf(scope);
    ManifestDocument ordered = ManifestDocument::object();
    for (const ManifestKey& key : manifestKeys) {
        if (key.scope != scope) continue;
        if (object.contains(key.name)) ordered[key.name] = object[key.name];
        else if (!key.writtenWhenEmpty) continue;
        else if (key.kind == KeyKind::Questions) ordered[key.name] = ManifestDocument::array();
        else ordered[key.name] = defaults[key.name];
    }
    for (auto item = object.begin(); item != object.end(); ++item)
        if (!ordered.contains(item.key())) ordered[item.key()] = item.value();
    return ordered;
}

ManifestDocument orderedQuestion(const ManifestDocument& question) {
    if (!question.is_object()) return question;
    return inOrder(question, KeyScope::Question);
}

ManifestDocument orderedManifest(const ManifestDocument& root) {
    ManifestDocument ordered = inOrder(root, KeyScope::Quiz);
    ManifestDocument& questions = ordered[keyName(Field::Questions)];
    if (questions.is_array())
        for (ManifestDocument& question : questions) question = orderedQuestion(question);
    return ordered;
}

ManifestDocument emptyQuestion() { return orderedQuestion(ManifestDocument::object()); }

std::string dumped(const ManifestDocument& document) {
    // Media paths come from the file system; one that is not UTF-8 is
    // written with replacement characters rather than failing.
    return document.dump(2, ' ', false, ManifestDocument::error_handler_t::replace) + "\n";
}

void recheck(EditorModel* model) {
    model->problems.clear();
    PreparedQuiz prepared;
    PrepareOptions options;
    options.memo = &model->media;
    prepareQuizText(dumped(model->document), model->folder, options, &model->manifest, &prepared, &model->problems);
}

// The try pane starts empty again: another question is shown, or the
// questions changed places.
void clearTry(EditorModel* model) {
    model->tryText.clear();
    model->tryQuestion = -1;
}

bool movesQuestions(ChangeKind kind) {
    return kind == ChangeKind::AddQuestion || kind == ChangeKind::DeleteQuestion || kind == ChangeKind::MoveQuestion;
}

// The model holds a new document, saved or not, with nothing to undo.
void takeDocument(EditorModel* model, const ManifestDocument& document, bool saved) {
    model->document = orderedManifest(document);
    model->version = ++model->lastVersion;
    model->savedVersion = saved ? model->version : 0;
    model->undoSteps.clear();
    model->redoSteps.clear();
    model->typing = false;
    clearTry(model);
    model->selected = questionCount(*model) > 0 ? 0 : -1;
    recheck(model);
}

// Every change goes through here: the state before it goes on the undo
// list, named by what the change does, unless it continues typing in the
// same field of the same question. A new change empties the redo list.
template <typename Change>
bool change(EditorModel* model, ChangeKind kind, Field field, Change apply) {
    EditStep step{EditSnapshot{model->document, model->selected, model->version}, kind, field, model->selected};
    if (kind == ChangeKind::Setting || (kind == ChangeKind::Text && !isQuestionField(field))) step.question = -1;
    const EditStep* last = model->undoSteps.empty() ? nullptr : &model->undoSteps.back();
    const bool continuesTyping = kind == ChangeKind::Text && model->typing && last && last->kind == kind &&
                                 last->field == field && last->question == step.question;
    if (!apply()) return false;
    if (kind == ChangeKind::AddQuestion) step.question = model->selected;
    if (!continuesTyping) {
        model->undoSteps.push_back(step);
        if (model->undoSteps.size() > UndoLimit) model->undoSteps.erase(model->undoSteps.begin());
    }
    model->redoSteps.clear();
    if (movesQuestions(kind)) clearTry(model);
    model->typing = kind == ChangeKind::Text;
    model->version = ++model->lastVersion;
    recheck(model);
    return true;
}

// Moves the last step of one list to the other, bringing back its state and
// keeping the present one there in its place.
bool stepAcross(EditorModel* model, std::vector<EditStep>* from, std::vector<EditStep>* to) {
    if (from->empty()) return false;
    EditStep step = from->back();
    from->pop_back();
    std::swap(model->document, step.state.document);
    std::swap(model->selected, step.state.selected);
    std::swap(model->version, step.state.version);
    if (movesQuestions(step.kind) || model->selected != step.state.selected) clearTry(model);
    to->push_back(step);
    model->typing = false;
    recheck(model);
    return true;
}

// "la suppression de la question 4", "la modification de « Titre »".
std::string stepName(const EditStep& step) {
    const std::string number = std::to_string(step.question + 1);
    switch (step.kind) {
    case ChangeKind::AddQuestion: return u8"l'ajout de la question " + number;
    case ChangeKind::DeleteQuestion: return u8"la suppression de la question " + number;
    case ChangeKind::MoveQuestion: return u8"le déplacement de la question " + number;
    case ChangeKind::GatherMedia: return u8"le rassemblement des médias";
    case ChangeKind::Text: case ChangeKind::Setting: break;
    }
    const ManifestKey* key = keyOf(step.field);
    std::string name = std::string(u8"la modification de « ") + (key ? key->french : "") + u8" »";
    return step.question >= 0 ? name + u8" à la question " + number : name;
}

ManifestDocument* questionsOf(EditorModel* model) {
    ManifestDocument& list = model->document[keyName(Field::Questions)];
    return list.is_array() ? &list : nullptr;
}

const ManifestDocument* questionAt(const EditorModel& model, int question) {
    const ManifestDocument& list = model.document[keyName(Field::Questions)];
    if (!list.is_array() || question < 0 || question >= static_cast<int>(list.size())) return nullptr;
    return &list[static_cast<size_t>(question)];
}

std::string shownText(const ManifestDocument* object, const char* key) {
    if (!object || !object->is_object() || !object->contains(key)) return "";
    const ManifestDocument& value = (*object)[key];
    return value.is_string() ? value.get<std::string>() : value.dump();
}

std::string codesText(const ManifestDocument& codes) {
    if (!codes.is_array()) return "";
    std::string text;
    for (size_t i = 0; i < codes.size(); ++i) {
        if (i) text += "\r\n";
        text += codes[i].is_string() ? codes[i].get<std::string>() : codes[i].dump();
    }
    return text;
}

// One code a line; an empty text is no code at all.
ManifestDocument codesFrom(const std::string& text) {
    ManifestDocument codes = ManifestDocument::array();
    if (text.empty()) return codes;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        codes.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return codes;
}

fs::path absoluteIn(const std::string& folder, const std::string& path) {
    return fs::u8path(resolveMediaPath(folder, path)).lexically_normal();
}

std::string relativeTo(const std::string& folder, const fs::path& file) {
    if (folder.empty()) return file.generic_u8string();
    fs::path relative = file.lexically_relative(fs::u8path(folder).lexically_normal());
    return relative.empty() ? file.generic_u8string() : relative.generic_u8string();
}

// Media paths written relative to another folder, pointing at the same files.
void rebaseMedia(ManifestDocument* document, const std::string& from, const std::string& to) {
    ManifestDocument& list = (*document)[keyName(Field::Questions)];
    if (!list.is_array() || from == to) return;
    for (ManifestDocument& question : list) {
        if (!question.is_object()) continue;
        for (const ManifestKey& key : manifestKeys) {
            if (key.kind != KeyKind::Path || !question.contains(key.name) || !question[key.name].is_string()) continue;
            std::string path = question[key.name].get<std::string>();
            if (!path.empty()) question[key.name] = relativeTo(to, absoluteIn(from, path));
        }
    }
}

// Typed text as the player's answer field holds it: Windows-1252, any other
// character a question mark.
std::string typedAsPlayerHolds(const std::string& utf8) {
    std::string typed;
    for (const CodePoint& point : codePoints(utf8)) {
        std::string one;
        typed += utf8ToCp1252(point.bytes, &one) ? one : "?";
    }
    return typed;
}

bool storedAnswer(const EditorModel& model, int which, std::string* cp1252) {
    std::string utf8 = textOf(model, which == 0 ? Field::Answer : Field::SecondAnswer);
    std::vector<Problem> ignored;
    return model.selected >= 0 && checkText(utf8, PlainText, "", cp1252, &ignored);
}

}  // namespace

void startNewQuiz(EditorModel* model) {
    ManifestDocument root = ManifestDocument::object();
    root[keyName(Field::Questions)] = ManifestDocument::array({emptyQuestion()});
    model->path.clear();
    model->folder.clear();
    model->suggestedName = "quiz.json";
    takeDocument(model, root, true);
}

bool openManifestText(EditorModel* model, const std::string& text, const std::string& path, std::string* error) {
    ManifestDocument root = ManifestDocument::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        std::vector<Problem> problems;
        Manifest ignored;
        loadManifestText(text, &ignored, &problems);
        *error = problems.empty() ? u8"ce n'est pas un quiz" : problems.front().french;
        return false;
    }
    model->path = path;
    model->folder = manifestFolder(path);
    model->suggestedName = fs::u8path(path).filename().u8string();
    takeDocument(model, root, true);
    return true;
}

bool openManifestFile(EditorModel* model, const std::string& path, std::string* error) {
    Bytes bytes;
    Message failure;
    if (!readFile(path, &bytes, &failure)) {
        *error = failure.french;
        return false;
    }
    return openManifestText(model, std::string(bytes.begin(), bytes.end()), path, error);
}

void adoptManifest(EditorModel* model, const Manifest& manifest, const std::string& folder,
                   const std::string& suggestedName) {
    model->path.clear();
    model->folder = folder;
    model->suggestedName = suggestedName;
    takeDocument(model, ManifestDocument::parse(manifestToJson(manifest)), false);
}

std::string manifestText(const EditorModel& model) { return dumped(model.document); }

bool saveManifest(EditorModel* model, const std::string& path, std::string* error) {
    std::string folder = manifestFolder(path);
    ManifestDocument document = model->document;
    rebaseMedia(&document, model->folder, folder);
    std::string text = dumped(document);
    Message failure;
    if (!writeFileAtomically(path, Bytes(text.begin(), text.end()), &failure)) {
        *error = failure.french;
        return false;
    }
    for (std::vector<EditStep>* steps : {&model->undoSteps, &model->redoSteps})
        for (EditStep& step : *steps) rebaseMedia(&step.state.document, model->folder, folder);
    model->document = document;
    model->path = path;
    model->folder = folder;
    model->suggestedName = fs::u8path(path).filename().u8string();
    model->savedVersion = model->version;
    model->typing = false;   // typing after a save is a change of its own, to undo back to what was saved
    recheck(model);
    return true;
}

std::string nameToSuggest(const EditorModel& model) {
    if (!model.path.empty()) return fs::u8path(model.path).filename().u8string();
    const std::string title = fileNameFromText(textOf(model, Field::Title));
    return title.empty() ? model.suggestedName : title + ".json";
}

ExportTarget exportTargetFor(const std::string& chosenPath, int chosenType) {
    std::string extension = fs::u8path(chosenPath).extension().u8string();
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (extension == ".html" || extension == ".htm") return ExportTarget{chosenPath, ExportKind::Page};
    if (extension == ".zip") return ExportTarget{chosenPath, ExportKind::ScormPackage};
    const ExportKind kind =
        chosenType == static_cast<int>(ExportKind::ScormPackage) ? ExportKind::ScormPackage : ExportKind::Page;
    return ExportTarget{chosenPath + (kind == ExportKind::Page ? ".html" : ".zip"), kind};
}

const char GatheredMediaFolder[] = "media";

bool gatherMedia(EditorModel* model, const std::string& folder, GatherResult* result, std::string* error) {
    // Each media path of each question, in order, as a file.
    struct Named {
        size_t question;
        const char* key;
    };
    std::vector<Named> named;
    std::vector<std::string> files;
    const int count = questionCount(*model);
    for (int i = 0; i < count; ++i)
        for (const ManifestKey& key : manifestKeys) {
            if (key.kind != KeyKind::Path) continue;
            const std::string file = mediaFileOf(*model, key.field, i);
            if (file.empty()) continue;
            named.push_back(Named{static_cast<size_t>(i), key.name});
            files.push_back(file);
        }
    Message failure;
    const bool fine = gatherFiles(files, folder, GatheredMediaFolder, result, &failure);
    if (!fine) *error = failure.french;
    bool moved = false;
    for (size_t i = 0; i < result->placed.size(); ++i)
        moved = moved || fs::u8path(result->placed[i]) != fs::u8path(files[i]).lexically_normal();
    if (!moved) return fine;
    change(model, ChangeKind::GatherMedia, Field::Media, [&] {
        ManifestDocument& list = *questionsOf(model);
        for (size_t i = 0; i < result->placed.size(); ++i)
            list[named[i].question][named[i].key] = relativeTo(model->folder, fs::u8path(result->placed[i]));
        return true;
    });
    return fine;
}

bool isDirty(const EditorModel& model) { return model.version != model.savedVersion; }

int questionCount(const EditorModel& model) {
    const ManifestDocument& list = model.document[keyName(Field::Questions)];
    return list.is_array() ? static_cast<int>(list.size()) : 0;
}

std::string textOf(const EditorModel& model, Field field, int question) {
    if (field == Field::Codes) return codesText(model.document[keyName(Field::Codes)]);
    if (isQuestionField(field)) return shownText(questionAt(model, question < 0 ? model.selected : question), keyName(field));
    return shownText(&model.document, keyName(field));
}

bool setText(EditorModel* model, Field field, const std::string& utf8) {
    if (textOf(*model, field) == utf8) return false;
    if (field == Field::Codes)
        return change(model, ChangeKind::Text, field, [&] {
            model->document[keyName(Field::Codes)] = codesFrom(utf8);
            return true;
        });
    if (!isQuestionField(field))
        return change(model, ChangeKind::Text, field, [&] {
            model->document[keyName(field)] = utf8;
            return true;
        });
    if (!questionAt(*model, model->selected)) return false;
    return change(model, ChangeKind::Text, field, [&] {
        ManifestDocument& question = (*questionsOf(model))[static_cast<size_t>(model->selected)];
        if (!question.is_object()) question = emptyQuestion();
        question[keyName(field)] = utf8;
        return true;
    });
}

int settingOf(const EditorModel& model, Field field) {
    const ManifestDocument& value = model.document[keyName(field)];
    return value.is_number_integer() && value.get<long long>() >= 0 && value.get<long long>() <= 255
               ? value.get<int>()
               : -1;
}

bool setSetting(EditorModel* model, Field field, int value) {
    if (settingOf(*model, field) == value) return false;
    return change(model, ChangeKind::Setting, field, [&] {
        model->document[keyName(field)] = value;
        return true;
    });
}

int choiceIndexOf(const EditorModel& model, Field field) {
    const std::vector<SettingChoice> choices = choicesOf(field);
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i].value == settingOf(model, field)) return static_cast<int>(i);
    return -1;
}

bool setChoiceIndex(EditorModel* model, Field field, int index) {
    const std::vector<SettingChoice> choices = choicesOf(field);
    if (index < 0 || index >= static_cast<int>(choices.size())) return false;
    return setSetting(model, field, choices[static_cast<size_t>(index)].value);
}

long colourOf(const EditorModel& model) {
    std::string text = textOf(model, Field::BackColour);
    if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        return -1;
    return std::stol(text.substr(1), nullptr, 16);
}

bool setColour(EditorModel* model, unsigned long rgb) {
    char text[8];
    snprintf(text, sizeof text, "#%06lX", rgb & 0xFFFFFF);
    if (textOf(*model, Field::BackColour) == text) return false;
    return change(model, ChangeKind::Setting, Field::BackColour, [&] {
        model->document[keyName(Field::BackColour)] = text;
        return true;
    });
}

bool selectQuestion(EditorModel* model, int question) {
    if (question < -1 || question >= questionCount(*model) || question == model->selected) return false;
    model->selected = question;
    clearTry(model);
    return true;
}

bool addQuestion(EditorModel* model) {
    if (questionCount(*model) >= MaxQuestions) return false;
    return change(model, ChangeKind::AddQuestion, Field::Questions, [&] {
        ManifestDocument& list = model->document[keyName(Field::Questions)];
        if (!list.is_array()) list = ManifestDocument::array();
        int at = model->selected < 0 ? static_cast<int>(list.size()) : model->selected + 1;
        list.insert(list.begin() + at, emptyQuestion());
        model->selected = at;
        return true;
    });
}

bool deleteQuestion(EditorModel* model) {
    if (!questionAt(*model, model->selected)) return false;
    return change(model, ChangeKind::DeleteQuestion, Field::Questions, [&] {
        ManifestDocument& list = *questionsOf(model);
        list.erase(list.begin() + model->selected);
        if (model->selected >= static_cast<int>(list.size())) model->selected = static_cast<int>(list.size()) - 1;
        return true;
    });
}

bool moveQuestion(EditorModel* model, int step) {
    int target = model->selected + step;
    if (!questionAt(*model, model->selected) || !questionAt(*model, target)) return false;
    return change(model, ChangeKind::MoveQuestion, Field::Questions, [&] {
        ManifestDocument& list = *questionsOf(model);
        std::swap(list[static_cast<size_t>(model->selected)], list[static_cast<size_t>(target)]);
        model->selected = target;
        return true;
    });
}

bool undoLastChange(EditorModel* model) { return stepAcross(model, &model->undoSteps, &model->redoSteps); }
bool redoLastChange(EditorModel* model) { return stepAcross(model, &model->redoSteps, &model->undoSteps); }
bool canUndo(const EditorModel& model) { return !model.undoSteps.empty(); }
bool canRedo(const EditorModel& model) { return !model.redoSteps.empty(); }

std::string nextUndoName(const EditorModel& model) {
    return model.undoSteps.empty() ? "" : stepName(model.undoSteps.back());
}

std::string nextRedoName(const EditorModel& model) {
    return model.redoSteps.empty() ? "" : stepName(model.redoSteps.back());
}

std::string tryTextOf(const EditorModel& model) {
    return model.tryQuestion == model.selected ? model.tryText : "";
}

void setTryText(EditorModel* model, const std::string& utf8) {
    model->tryText = utf8;
    model->tryQuestion = model->selected;
}

std::string mediaPathFor(const EditorModel& model, const std::string& chosenPath) {
    return relativeTo(model.folder, fs::u8path(chosenPath).lexically_normal());
}

std::string mediaFileOf(const EditorModel& model, Field field, int question) {
    std::string path = textOf(model, field, question);
    return path.empty() ? "" : absoluteIn(model.folder, path).u8string();
}

ProblemCounts countProblems(const EditorModel& model) {
    ProblemCounts counts{0, 0, -1};
    for (size_t i = 0; i < model.problems.size(); ++i) {
        if (!model.problems[i].error) ++counts.warnings;
        else if (counts.errors++ == 0) counts.firstError = static_cast<int>(i);
    }
    return counts;
}

bool readyToBuild(const EditorModel& model) { return !hasErrors(model.problems); }

ProblemPlace placeOf(const std::string& where) {
    ProblemPlace place{Field::None, -1, -1};
    const size_t bracket = where.find('[');
    const ManifestKey* key = findKey(where.substr(0, bracket), KeyScope::Quiz);
    if (bracket != std::string::npos && key) {
        const int index = std::atoi(where.c_str() + bracket + 1);
        const size_t dot = where.find("].");
        if (key->field == Field::Codes) place.code = index;
        if (key->field == Field::Questions) place.question = index;
        if (dot != std::string::npos)
            key = key->field == Field::Questions ? findKey(where.substr(dot + 2), KeyScope::Question) : nullptr;
    }
    if (key) place.field = key->field;
    return place;
}

Attempt tryAnswer(const EditorModel& model, int which, const std::string& typedUtf8) {
    std::string stored;
    if (!storedAnswer(model, which, &stored)) return Attempt{false, "", DefaultVerdictColour};
    const Verdict verdict = verdictOf(typedAsPlayerHolds(typedUtf8).c_str(), stored.c_str());
    return Attempt{true, cp1252ToUtf8(verdictText(verdict)), verdictColour(verdict)};
}

std::vector<TypoRow> likelyTypos(const EditorModel& model, int which) {
    std::vector<TypoRow> rows;
    std::string stored;
    if (!storedAnswer(model, which, &stored)) return rows;
    for (const AnswerVariant& variant : likelyAnswers(stored))
        rows.push_back(TypoRow{variant.french, cp1252ToUtf8(variant.typed),
                               cp1252ToUtf8(chooseVerdict(variant.typed.c_str(), stored.c_str()))});
    return rows;
}
