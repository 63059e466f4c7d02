#include "editcommands.h"

#include <algorithm>

#include "encoding.h"
#include "format/format.h"

// In the order of their menus.
const CommandRow editorCommands[EditorCommandCount] = {
    {CommandNew, FileMenu, false, u8"&Nouveau", {'N', true, false}, 0, 0},
    {CommandOpen, FileMenu, false, u8"&Ouvrir…", {'O', true, false}, 0, 0},
    {CommandOpenProgram, FileMenu, false, u8"Ouvrir un quiz (.exe)…", {0, false, false}, 0, 0},
    {CommandImport, FileMenu, false, u8"&Importer…", {0, false, false}, 0, 0},
    {CommandSave, FileMenu, true, u8"&Enregistrer", {'S', true, false}, 0, 0},
    {CommandSaveAs, FileMenu, false, u8"Enregistrer &sous…", {0, false, false}, 0, 0},
    {CommandBuild, FileMenu, true, u8"&Construire…", {'B', true, false}, 0, 0},
    {CommandTest, FileMenu, false, u8"&Tester", {KeyF5, false, false}, 0, 0},
    {CommandExportWeb, FileMenu, false, u8"E&xporter pour le navigateur…", {0, false, false}, 0, 0},
    {CommandQuit, FileMenu, true, u8"&Quitter", {0, false, false}, 0, 0},
    {CommandUndo, EditMenu, false, u8"&Annuler", {'Z', true, false}, 0, 0},
    {CommandRedo, EditMenu, false, u8"&Rétablir", {'Y', true, false}, 0, 0},
    {CommandAddQuestion, EditMenu, true, u8"A&jouter une question", {KeyReturn, true, false}, KeyInsert, AddButton},
    // Ctrl+Suppr deletes a word in a text field: the question is deleted
    // from the list (Suppr), its button or this item.
    {CommandDeleteQuestion, EditMenu, false, u8"&Supprimer la question", {0, false, false}, KeyDelete, DeleteButton},
    {CommandMoveUp, EditMenu, false, u8"&Monter la question", {KeyUp, false, true}, 0, UpButton},
    {CommandMoveDown, EditMenu, false, u8"&Descendre la question", {KeyDown, false, true}, 0, DownButton},
    {CommandGatherMedia, EditMenu, true, u8"Rassem&bler les médias", {0, false, false}, 0, 0},
};

const char* menuTitle(EditorMenu menu) { return menu == FileMenu ? u8"&Fichier" : u8"&Édition"; }

namespace {

// A letter as Windows-1252 holds it, without its accent and in lower case;
// 0 for anything else.
char plainLower(unsigned long character) {
    if (character == 0 || character > 0xFF) return 0;
    const char plain = character < 0x80 ? static_cast<char>(character)
                                        : plainLetterCp1252(static_cast<unsigned char>(character));
    if (plain >= 'A' && plain <= 'Z') return static_cast<char>(plain - 'A' + 'a');
    return plain >= 'a' && plain <= 'z' ? plain : 0;
}

}  // namespace

int menuOfLetter(unsigned long character) {
    const char wanted = plainLower(character);
    for (int menu = 0; wanted && menu < MenuCount; ++menu) {
        const std::string title = menuTitle(static_cast<EditorMenu>(menu));
        const size_t mark = title.find('&');
        if (mark == std::string::npos) continue;
        const Utf8Sequence letter = decodeUtf8(title, mark + 1);
        if (letter.valid && plainLower(letter.codePoint) == wanted) return menu;
    }
    return -1;
}

std::string shortcutText(const KeyShortcut& shortcut) {
    if (!shortcut.key) return "";
    std::string text = std::string(shortcut.control ? "Ctrl+" : "") + (shortcut.alt ? "Alt+" : "");
    switch (shortcut.key) {
    case KeyReturn: return text + u8"Entrée";
    case KeyUp: return text + "Haut";
    case KeyDown: return text + "Bas";
    case KeyInsert: return text + "Inser";
    case KeyDelete: return text + "Suppr";
    case KeyF5: return text + "F5";
    default: return text + static_cast<char>(shortcut.key);
    }
}

std::string menuText(const CommandRow& row) {
    const std::string shortcut = shortcutText(row.shortcut);
    return shortcut.empty() ? row.label : row.label + ("\t" + shortcut);
}

bool canRun(const CommandContext& context, EditorCommand command) {
    const EditorModel& model = *context.model;
    const int count = questionCount(model);
    switch (command) {
    case CommandNew: case CommandOpen: case CommandOpenProgram: case CommandImport: case CommandBuild:
    case CommandTest: case CommandGatherMedia: case CommandExportWeb:
        return !context.busy;
    case CommandUndo: return canUndo(model);
    case CommandRedo: return canRedo(model);
    case CommandAddQuestion: return count < MaxQuestions;
    case CommandDeleteQuestion: return model.selected >= 0;
    case CommandMoveUp: return model.selected > 0;
    case CommandMoveDown: return model.selected >= 0 && model.selected + 1 < count;
    case CommandSave: case CommandSaveAs: case CommandQuit: return true;
    }
    return false;
}

std::string menuTextNow(const EditorModel& model, const CommandRow& row) {
    const std::string name = row.id == CommandUndo ? nextUndoName(model)
                             : row.id == CommandRedo ? nextRedoName(model)
                                                     : "";
    if (name.empty()) return menuText(row);
    CommandRow named = row;
    const std::string label = row.label + (" " + name);
    named.label = label.c_str();
    return menuText(named);
}

namespace {

enum class CharacterClass { Space, Word, Sign };

CharacterClass classOf(char16_t unit) {
    if (unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == 0xA0) return CharacterClass::Space;
    const bool letter = (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z') ||
                        (unit >= u'a' && unit <= u'z') || unit == u'_' ||
                        (unit >= 0xC0 && unit != 0xD7 && unit != 0xF7 && !(unit >= 0x2000 && unit <= 0x206F));
    return letter ? CharacterClass::Word : CharacterClass::Sign;
}

}  // namespace

TextSpan wordToDelete(const std::u16string& text, size_t selectionStart, size_t selectionEnd, bool forward) {
    size_t start = std::min(selectionStart, text.size()), end = std::min(selectionEnd, text.size());
    if (start != end) return TextSpan{std::min(start, end), std::max(start, end)};
    if (forward) {
        if (end < text.size() && classOf(text[end]) != CharacterClass::Space) {
            const CharacterClass kind = classOf(text[end]);
            while (end < text.size() && classOf(text[end]) == kind) ++end;
        }
        while (end < text.size() && classOf(text[end]) == CharacterClass::Space) ++end;
        return TextSpan{start, end};
    }
    while (start > 0 && classOf(text[start - 1]) == CharacterClass::Space) --start;
    if (start > 0) {
        const CharacterClass kind = classOf(text[start - 1]);
        while (start > 0 && classOf(text[start - 1]) == kind) --start;
    }
    return TextSpan{start, end};
}
