// Writes the model into the controls. Only what differs is written, so the
// field being typed in keeps its caret, and the change notifications that
// writing causes are ignored while state->showing is set.
#include "show.h"

#include <commctrl.h>

#include <filesystem>

#include "editcommands.h"
#include "encoding.h"
#include "media/picture.h"
#include "wording.h"

namespace {

// The controls of the selected question, disabled when there is none.
const ControlId questionControls[] = {
    AnswerEdit, SecondAnswerEdit, CaptionEdit, RevealEdit, MediaEdit, MediaBrowse, PictureEdit, PictureBrowse, TryEdit,
};

// An edit control breaks lines only at "\r\n": a lone "\n" gets its "\r".
std::wstring displayed(const std::string& utf8) {
    std::wstring wide = toWide(utf8), shown;
    for (size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'\n' && (i == 0 || wide[i - 1] != L'\r')) shown += L'\r';
        shown += wide[i];
    }
    return shown;
}

void setText(HWND control, const std::wstring& text) {
    if (windowText(control) != text) SetWindowTextW(control, text.c_str());
}

void setChoice(HWND combo, int index) {
    if (SendMessageW(combo, CB_GETCURSEL, 0, 0) != index) SendMessageW(combo, CB_SETCURSEL, index, 0);
}

std::wstring cellText(HWND list, int row, int column) {
    wchar_t text[1024] = L"";
    LVITEMW item;
    ZeroMemory(&item, sizeof item);
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void setCell(HWND list, int row, int column, const std::wstring& text) {
    if (cellText(list, row, column) == text) return;
    LVITEMW item;
    ZeroMemory(&item, sizeof item);
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

// Makes the list count rows, each of the given cells.
void setRows(HWND list, int count) {
    while (ListView_GetItemCount(list) > count) ListView_DeleteItem(list, ListView_GetItemCount(list) - 1);
    while (ListView_GetItemCount(list) < count) {
        LVITEMW item;
        ZeroMemory(&item, sizeof item);
        item.mask = LVIF_TEXT;
        item.iItem = ListView_GetItemCount(list);
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

std::wstring fileNameOf(const std::string& path) {
    return std::filesystem::u8path(path).filename().wstring();
}

void showSettings(EditorWindow* state) {
    const EditorModel& model = state->model;
    for (const FieldControl& pair : fieldControls)
        if (pair.edit && !isQuestionField(pair.field))
            setText(controlOf(state, pair.control), displayed(textOf(model, pair.field)));
    for (const FieldControl& pair : fieldControls)
        if (!choicesOf(pair.field).empty()) setChoice(controlOf(state, pair.control), choiceIndexOf(model, pair.field));
    long colour = colourOf(model);
    if (colour != state->swatchColour) {
        if (state->swatchBrush) DeleteObject(state->swatchBrush);
        state->swatchBrush = colour < 0 ? nullptr
                                        : CreateSolidBrush(RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
        state->swatchColour = colour;
        InvalidateRect(controlOf(state, ColourSwatch), nullptr, TRUE);
    }
}

void showQuestionList(EditorWindow* state) {
    const EditorModel& model = state->model;
    HWND list = controlOf(state, QuestionList);
    const int count = questionCount(model);
    const bool twoAnswers = settingOf(model, Field::QuestionFormat) == TwoAnswers;
    setRows(list, count);
    for (int i = 0; i < count; ++i) {
        std::string answer = textOf(model, Field::Answer, i);
        if (twoAnswers) answer += " / " + textOf(model, Field::SecondAnswer, i);
        setCell(list, i, 0, std::to_wstring(i + 1));
        setCell(list, i, 1, toWide(textOf(model, Field::Caption, i)));
        setCell(list, i, 2, toWide(answer));
        setCell(list, i, 3, fileNameOf(textOf(model, Field::Media, i)));
    }
    int shown = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (shown != model.selected) {
        if (shown >= 0) ListView_SetItemState(list, shown, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (model.selected >= 0) {
            ListView_SetItemState(list, model.selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(list, model.selected, FALSE);
        }
    }
}

void freePreview(Preview* preview) {
    if (preview->bitmap) DeleteObject(preview->bitmap);
    if (preview->prepared) DeleteObject(preview->prepared);
    *preview = Preview();
}

// The file a preview box shows and what it says without a picture, as the
// model has it; the picture itself is prepared when the box is painted.
void choosePreview(EditorWindow* state, PreviewBox box) {
    Preview& preview = state->previews[box];
    const PreviewSource wanted = previewOf(state->model, box);
    if (preview.source.picture == wanted.picture && preview.source.note == wanted.note &&
        preview.source.colour == wanted.colour)
        return;
    freePreview(&preview);
    preview.source = wanted;
    InvalidateRect(controlOf(state, box == MediaPreviewBox ? MediaPreview : PicturePreview), nullptr, TRUE);
}

void showQuestion(EditorWindow* state) {
    const EditorModel& model = state->model;
    const bool any = model.selected >= 0;
    setText(controlOf(state, QuestionHeading),
            any ? L"Question " + std::to_wstring(model.selected + 1) + L" sur " + std::to_wstring(questionCount(model))
                : L"Aucune question choisie : ajoutez-en une.");
    for (const FieldControl& pair : fieldControls)
        if (isQuestionField(pair.field)) setText(controlOf(state, pair.control), displayed(textOf(model, pair.field)));
    for (ControlId id : questionControls) EnableWindow(controlOf(state, id), any);
    // The video for browsers, only where a page shows it.
    const bool webVideo = fieldInUse(model, Field::WebVideo);
    for (ControlId id : {WebVideoLabel, WebVideoEdit, WebVideoBrowse}) {
        HWND control = controlOf(state, id);
        if (!webVideo && GetFocus() == control) SetFocus(controlOf(state, QuestionList));
        EnableWindow(control, webVideo);
    }
    choosePreview(state, MediaPreviewBox);
    choosePreview(state, AnswerPicturePreviewBox);
}

void showTry(EditorWindow* state) {
    const EditorModel& model = state->model;
    const bool twoAnswers = settingOf(model, Field::QuestionFormat) == TwoAnswers;
    if (!twoAnswers) state->tryWhich = 0;
    EnableWindow(controlOf(state, TryWhich), twoAnswers && model.selected >= 0);
    setChoice(controlOf(state, TryWhich), state->tryWhich);
    const std::string tried = tryTextOf(model);
    setText(controlOf(state, TryEdit), toWide(tried));
    Attempt attempt = tryAnswer(model, state->tryWhich, tried);
    setText(controlOf(state, VerdictText), attempt.judged ? toWide(attempt.verdict) : L"—");
    if (attempt.colour != state->verdictColour) {
        if (state->verdictBrush) DeleteObject(state->verdictBrush);
        state->verdictBrush = attempt.colour == DefaultVerdictColour
                                  ? nullptr
                                  : CreateSolidBrush(static_cast<COLORREF>(attempt.colour));
        state->verdictColour = attempt.colour;
        InvalidateRect(controlOf(state, VerdictText), nullptr, TRUE);
    }
    std::vector<TypoRow> typos = likelyTypos(model, state->tryWhich);
    bool same = typos.size() == state->shownTypos.size();
    for (size_t i = 0; same && i < typos.size(); ++i)
        same = typos[i].typed == state->shownTypos[i].typed && typos[i].verdict == state->shownTypos[i].verdict;
    if (same) return;
    HWND list = controlOf(state, TypoList);
    setRows(list, static_cast<int>(typos.size()));
    for (size_t i = 0; i < typos.size(); ++i) {
        const int row = static_cast<int>(i);
        setCell(list, row, 0, toWide(typos[i].what));
        setCell(list, row, 1, toWide(typos[i].typed));
        setCell(list, row, 2, toWide(typos[i].verdict));
    }
    state->shownTypos = typos;
}

bool sameProblems(const std::vector<Problem>& a, const std::vector<Problem>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].error != b[i].error || a[i].where != b[i].where || a[i].french != b[i].french) return false;
    return true;
}

void showProblems(EditorWindow* state) {
    const std::vector<Problem>& problems = state->model.problems;
    if (sameProblems(problems, state->shownProblems)) return;
    HWND list = controlOf(state, ProblemList);
    setRows(list, static_cast<int>(problems.size()));
    for (size_t i = 0; i < problems.size(); ++i) {
        const int row = static_cast<int>(i);
        setCell(list, row, 0, problems[i].error ? L"Erreur" : L"Attention");
        setCell(list, row, 1, toWide(describePlace(problems[i].where)));
        setCell(list, row, 2, toWide(problems[i].french));
    }
    state->shownProblems = problems;
}

// Each command's menu item and button as the model decides.
void showCommands(EditorWindow* state) {
    const CommandContext context{&state->model, state->job != nullptr};
    for (const CommandRow& command : editorCommands) {
        const bool enabled = canRun(context, command.id);
        const UINT shownState = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
        const std::wstring text = toWide(menuTextNow(state->model, command));
        wchar_t shown[512] = L"";
        GetMenuStringW(state->menu, static_cast<UINT>(command.id), shown, 512, MF_BYCOMMAND);
        if (text != shown)
            ModifyMenuW(state->menu, static_cast<UINT>(command.id), shownState | MF_STRING,
                        static_cast<UINT_PTR>(command.id), text.c_str());
        EnableMenuItem(state->menu, static_cast<UINT>(command.id), shownState);
        if (command.button) EnableWindow(controlOf(state, static_cast<ControlId>(command.button)), enabled);
    }
}

// The picture as the player will show it, then fitted to the preview's box:
// prepared once per file, fitted once per size.
void fitPreview(Preview* preview, SIZE box) {
    if (preview->source.picture.empty()) return;
    if (!preview->prepared && !preview->failed) {
        Bytes stored;
        if (preparePreview(preview->source, &stored))
            preview->prepared = decodePicture(stored.data(), static_cast<DWORD>(stored.size()));
        preview->failed = !preview->prepared;
    }
    if (!preview->prepared || (preview->box.cx == box.cx && preview->box.cy == box.cy)) return;
    if (preview->bitmap) DeleteObject(preview->bitmap);
    preview->bitmap = fitBitmap(preview->prepared, box.cx, box.cy);
    preview->box = box;
}

}  // namespace

std::wstring windowText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], length + 1)));
    return text;
}

void showStatus(EditorWindow* state, const std::wstring& text) {
    setText(controlOf(state, StatusText), text);
}

void showModel(EditorWindow* state) {
    const bool wasShowing = state->showing;
    state->showing = true;
    setText(state->window, toWide(windowTitle(state->model)));
    showSettings(state);
    showQuestionList(state);
    showQuestion(state);
    showTry(state);
    showProblems(state);
    showCommands(state);
    if (!state->job) showStatus(state, toWide(describeStatus(state->model)));
    state->showing = wasShowing;
}

void showPreview(EditorWindow* state, const DRAWITEMSTRUCT* item) {
    Preview* preview = &state->previews[item->CtlID == PicturePreview ? 1 : 0];
    RECT box = item->rcItem;
    FillRect(item->hDC, &box, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(item->hDC, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&box, -2, -2);
    fitPreview(preview, SIZE{box.right - box.left, box.bottom - box.top});
    if (preview->bitmap) {
        BITMAP size;
        GetObjectW(preview->bitmap, sizeof size, &size);
        HDC memory = CreateCompatibleDC(item->hDC);
        HGDIOBJ old = SelectObject(memory, preview->bitmap);
        const int left = box.left + (box.right - box.left - size.bmWidth) / 2;
        const int top = box.top + (box.bottom - box.top - size.bmHeight) / 2;
        BitBlt(item->hDC, left, top, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
        // A light edge shows where a picture with white borders ends.
        RECT edge = {left - 1, top - 1, left + size.bmWidth + 1, top + size.bmHeight + 1};
        FrameRect(item->hDC, &edge, GetSysColorBrush(COLOR_BTNFACE));
        SelectObject(memory, old);
        DeleteDC(memory);
        return;
    }
    HGDIOBJ oldFont = SelectObject(item->hDC, state->font);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(item->hDC, toWide(preview->source.note).c_str(), -1, &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(item->hDC, oldFont);
}

void freePreviews(EditorWindow* state) {
    for (Preview& preview : state->previews) freePreview(&preview);
}

void goToProblem(EditorWindow* state, int row) {
    if (row < 0 || row >= static_cast<int>(state->shownProblems.size())) return;
    const ProblemPlace place = placeOf(state->shownProblems[static_cast<size_t>(row)].where);
    if (place.question >= 0 && selectQuestion(&state->model, place.question)) showModel(state);
    Field field = place.field == Field::None && place.question >= 0 ? Field::Questions : place.field;
    for (const FieldControl& pair : fieldControls) {
        if (pair.field != field) continue;
        HWND control = controlOf(state, pair.control);
        SetFocus(control);
        if (!pair.edit) continue;
        if (field == Field::Codes && place.code >= 0) {
            LRESULT start = SendMessageW(control, EM_LINEINDEX, place.code, 0);
            LRESULT length = SendMessageW(control, EM_LINELENGTH, start, 0);
            SendMessageW(control, EM_SETSEL, start, start + length);
            SendMessageW(control, EM_SCROLLCARET, 0, 0);
        } else {
            SendMessageW(control, EM_SETSEL, 0, -1);
        }
    }
}
