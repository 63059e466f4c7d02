// The main window's controls and menus, made from their tables (the
// model's commands, fields and choices), and placed by the model's
// geometry.
#include "makecontrols.h"

#include <commctrl.h>

#include <algorithm>

#include "editcommands.h"
#include "encoding.h"

namespace {

struct ControlSpec {
    ControlId id;
    const wchar_t* className;
    const wchar_t* text;   // null: the label of a field, named by the table of keys
    DWORD style;
};

const DWORD Edit = WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD MultiLine = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
const DWORD Choice = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
const DWORD Button = WS_TABSTOP | BS_PUSHBUTTON;
const DWORD Table = WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
const DWORD Label = 0;

// In the order the Tab key visits them.
const ControlSpec controlSpecs[] = {
    {TitleLabel, L"STATIC", nullptr, Label}, {TitleEdit, L"EDIT", L"", Edit},
    {CreatorLabel, L"STATIC", nullptr, Label}, {CreatorEdit, L"EDIT", L"", Edit},
    {ExplanationLabel, L"STATIC", nullptr, Label}, {ExplanationEdit, L"EDIT", L"", MultiLine},
    {FirstCaptionLabel, L"STATIC", nullptr, Label}, {FirstCaptionEdit, L"EDIT", L"", Edit},
    {SecondCaptionLabel, L"STATIC", nullptr, Label}, {SecondCaptionEdit, L"EDIT", L"", Edit},
    {StyleLabel, L"STATIC", nullptr, Label}, {StyleCombo, WC_COMBOBOXW, L"", Choice},
    {FormatLabel, L"STATIC", nullptr, Label}, {FormatCombo, WC_COMBOBOXW, L"", Choice},
    {ModeLabel, L"STATIC", nullptr, Label}, {ModeCombo, WC_COMBOBOXW, L"", Choice},
    {ColourLabel, L"STATIC", nullptr, Label}, {ColourSwatch, L"STATIC", L"", SS_SUNKEN},
    {ColourButton, L"BUTTON", L"Choisir…", Button},
    {CodesLabel, L"STATIC", nullptr, Label}, {CodesEdit, L"EDIT", L"", MultiLine},
    {QuestionsLabel, L"STATIC", nullptr, Label}, {QuestionList, WC_LISTVIEWW, L"", Table},
    {AddButton, L"BUTTON", L"Ajouter", Button}, {DeleteButton, L"BUTTON", L"Supprimer", Button},
    {UpButton, L"BUTTON", L"Monter", Button}, {DownButton, L"BUTTON", L"Descendre", Button},
    {QuestionHeading, L"STATIC", L"", Label},
    {AnswerLabel, L"STATIC", nullptr, Label}, {AnswerEdit, L"EDIT", L"", Edit},
    {SecondAnswerLabel, L"STATIC", nullptr, Label}, {SecondAnswerEdit, L"EDIT", L"", Edit},
    {CaptionLabel, L"STATIC", nullptr, Label}, {CaptionEdit, L"EDIT", L"", Edit},
    {RevealLabel, L"STATIC", nullptr, Label}, {RevealEdit, L"EDIT", L"", MultiLine},
    {MediaLabel, L"STATIC", nullptr, Label}, {MediaEdit, L"EDIT", L"", Edit},
    {MediaBrowse, L"BUTTON", L"Parcourir…", Button},
    {WebVideoLabel, L"STATIC", nullptr, Label}, {WebVideoEdit, L"EDIT", L"", Edit},
    {WebVideoBrowse, L"BUTTON", L"Parcourir…", Button},
    {PictureLabel, L"STATIC", nullptr, Label}, {PictureEdit, L"EDIT", L"", Edit},
    {PictureBrowse, L"BUTTON", L"Parcourir…", Button},
    {PreviewLabel, L"STATIC", L"Aperçu :", Label}, {MediaPreview, L"STATIC", L"", SS_OWNERDRAW},
    {PicturePreview, L"STATIC", L"", SS_OWNERDRAW},
    {TryLabel, L"STATIC", L"Ess&ayer :", Label}, {TryWhich, WC_COMBOBOXW, L"", Choice},
    {TryEdit, L"EDIT", L"", Edit}, {VerdictText, L"STATIC", L"", SS_CENTER | SS_SUNKEN | SS_CENTERIMAGE},
    {TypoList, WC_LISTVIEWW, L"", Table},
    {ProblemsLabel, L"STATIC", L"&Problèmes (double-cliquez pour aller au champ) :", Label},
    {ProblemList, WC_LISTVIEWW, L"", Table},
    {StatusText, L"STATIC", L"", SS_LEFTNOWORDWRAP}, {ProgressBar, PROGRESS_CLASSW, L"", 0},
};

// The answers the try pane judges against; the settings' lists hold their
// choices.
const wchar_t* const whichChoices[] = {L"1re réponse", L"2e réponse"};

struct Column {
    ControlId list;
    const wchar_t* title;
    int share;   // percent of the list's width
};
const Column columns[] = {
    {QuestionList, L"N°", 9}, {QuestionList, L"Question", 37}, {QuestionList, L"Réponse", 30},
    {QuestionList, L"Média", 24}, {TypoList, L"Faute", 38}, {TypoList, L"Tapé", 37}, {TypoList, L"Verdict", 25},
    {ProblemList, L"Type", 11}, {ProblemList, L"Où", 22}, {ProblemList, L"Problème", 67},
};

}  // namespace

HMENU createMenus() {
    HMENU bar = CreateMenu();
    HMENU menus[MenuCount] = {};
    for (int menu = 0; menu < MenuCount; ++menu) {
        menus[menu] = CreatePopupMenu();
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menus[menu]),
                    toWide(menuTitle(static_cast<EditorMenu>(menu))).c_str());
    }
    for (const CommandRow& command : editorCommands) {
        if (command.separatorBefore) AppendMenuW(menus[command.menu], MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menus[command.menu], MF_STRING, static_cast<UINT_PTR>(command.id), toWide(menuText(command)).c_str());
    }
    return bar;
}

void chooseFont(EditorWindow* state) {
    NONCLIENTMETRICSW metrics;
    ZeroMemory(&metrics, sizeof metrics);
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    state->font = CreateFontIndirectW(&metrics.lfMessageFont);
    HDC dc = GetDC(state->window);
    HGDIOBJ old = SelectObject(dc, state->font ? state->font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW text;
    GetTextMetricsW(dc, &text);
    SIZE alphabet;
    // The average of the letters, as dialog units are measured.
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &alphabet);
    SelectObject(dc, old);
    ReleaseDC(state->window, dc);
    state->metrics = FontMetrics{(alphabet.cx / 26 + 1) / 2, text.tmHeight};
}

bool createControls(EditorWindow* state) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(state->window, GWLP_HINSTANCE));
    for (const ControlSpec& made : controlSpecs) {
        const bool edge = lstrcmpW(made.className, L"EDIT") == 0 || lstrcmpW(made.className, WC_LISTVIEWW) == 0;
        const std::wstring text = made.text ? made.text : toWide(labelText(made.id));
        HWND control = CreateWindowExW(edge ? WS_EX_CLIENTEDGE : 0, made.className, text.c_str(),
                                       WS_CHILD | WS_VISIBLE | made.style, 0, 0, 10, 10, state->window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(made.id)), instance, nullptr);
        if (!control) return false;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
        state->controls[made.id - FirstControl] = control;
    }
    for (const FieldControl& pair : fieldControls)
        for (const SettingChoice& choice : choicesOf(pair.field))
            SendMessageW(controlOf(state, pair.control), CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(toWide(choice.label).c_str()));
    for (const wchar_t* which : whichChoices)
        SendMessageW(controlOf(state, TryWhich), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(which));
    for (ControlId id : {QuestionList, TypoList, ProblemList})
        ListView_SetExtendedListViewStyle(controlOf(state, id), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    int index[ControlCount] = {};
    for (const Column& column : columns) {
        LVCOLUMNW item;
        ZeroMemory(&item, sizeof item);
        item.mask = LVCF_TEXT | LVCF_WIDTH;
        item.pszText = const_cast<wchar_t*>(column.title);
        item.cx = 50;
        SendMessageW(controlOf(state, column.list), LVM_INSERTCOLUMNW, index[column.list - FirstControl]++,
                     reinterpret_cast<LPARAM>(&item));
    }
    ShowWindow(controlOf(state, ProgressBar), SW_HIDE);
    createHints(state, instance);
    return true;
}

void createHints(EditorWindow* state, HINSTANCE instance) {
    state->hints = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, state->window, nullptr,
                                   instance, nullptr);
    if (!state->hints) return;
    SendMessageW(state->hints, TTM_SETMAXTIPWIDTH, 0, 60 * state->metrics.charWidth);
    for (int id = FirstControl; id < ControlEnd; ++id) {
        std::wstring hint = toWide(hintText(id));
        if (hint.empty()) continue;
        TOOLINFOW tool;
        ZeroMemory(&tool, sizeof tool);
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = state->window;
        tool.uId = reinterpret_cast<UINT_PTR>(controlOf(state, static_cast<ControlId>(id)));
        tool.lpszText = &hint[0];
        SendMessageW(state->hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void applyLayout(EditorWindow* state, int width, int height) {
    const VerticalScroll scroll = scrollFor(height, state->scrollTop, state->metrics);
    state->scrollTop = scroll.top;
    SCROLLINFO bar = {sizeof bar, SIF_RANGE | SIF_PAGE | SIF_POS, 0, scroll.needed ? scroll.content - 1 : 0,
                      static_cast<UINT>(scroll.page), scroll.top, 0};
    SetScrollInfo(state->window, SB_VERT, &bar, TRUE);
    // The scroll bar shown or hidden changes the client area's width.
    RECT client = {};
    GetClientRect(state->window, &client);
    width = client.right > 0 ? client.right : width;
    const EditorLayout layout = layOutScrolled(width, height, scroll.top, state->metrics);
    HDWP moves = BeginDeferWindowPos(ControlCount);
    for (int id = FirstControl; id < ControlEnd; ++id) {
        const Box& box = layout[static_cast<ControlId>(id)];
        // A drop-down list's window includes its open list.
        const bool dropDown = id == StyleCombo || id == FormatCombo || id == ModeCombo || id == TryWhich;
        int boxHeight = box.bottom - box.top + (dropDown ? 8 * state->metrics.lineHeight : 0);
        HWND control = controlOf(state, static_cast<ControlId>(id));
        if (moves) moves = DeferWindowPos(moves, control, nullptr, box.left, box.top, box.right - box.left, boxHeight,
                                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (moves) EndDeferWindowPos(moves);
    int index[ControlCount] = {};
    for (const Column& column : columns) {
        const Box& box = layout[column.list];
        int inner = box.right - box.left - GetSystemMetrics(SM_CXVSCROLL) - 4;
        ListView_SetColumnWidth(controlOf(state, column.list), index[column.list - FirstControl]++,
                                inner * column.share / 100);
    }
    InvalidateRect(controlOf(state, MediaPreview), nullptr, TRUE);
    InvalidateRect(controlOf(state, PicturePreview), nullptr, TRUE);
}

void scrollTo(EditorWindow* state, int top) {
    RECT client = {};
    GetClientRect(state->window, &client);
    if (top == state->scrollTop || client.bottom <= 0) return;
    state->scrollTop = top;
    applyLayout(state, client.right, client.bottom);
}

void revealControl(EditorWindow* state, HWND control) {
    const int id = GetDlgCtrlID(control);
    RECT client = {};
    GetClientRect(state->window, &client);
    if (GetParent(control) != state->window || id < FirstControl || id >= ControlEnd || client.bottom <= 0) return;
    const VerticalScroll scroll = scrollFor(client.bottom, state->scrollTop, state->metrics);
    scrollTo(state, topShowing(scroll, layOutEditor(client.right, client.bottom, state->metrics)[ControlId(id)]));
}

SIZE outerSize(HWND window, int width, int height) {
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void chooseFirstSize(EditorWindow* state) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const Box least = minimumClientArea(state->metrics);
    SIZE smallest = outerSize(state->window, least.right, least.bottom);
    // Never taller than the screen: a shorter window scrolls.
    SIZE size = {std::max<LONG>(smallest.cx, (work.right - work.left) * 17 / 20),
                 std::min<LONG>(work.bottom - work.top,
                                std::max<LONG>(smallest.cy, (work.bottom - work.top) * 17 / 20))};
    SetWindowPos(state->window, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                 work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

