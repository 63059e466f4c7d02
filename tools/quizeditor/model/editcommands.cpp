#include "editcommands.h"

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
    {CommandQuit, FileMenu, true, u8"&Quitter", {0, false, false}, 0, 0},
    {CommandUndo, EditMenu, false, u8"&Annuler", {'Z', true, false}, 0, 0},
    {CommandAddQuestion, EditMenu, true, u8"A&jouter une question", {KeyReturn, true, false}, KeyInsert, AddButton},
    {CommandDeleteQuestion, EditMenu, false, u8"&Supprimer la question", {KeyDelete, true, false}, KeyDelete,
     DeleteButton},
    {CommandMoveUp, EditMenu, false, u8"&Monter la question", {KeyUp, false, true}, 0, UpButton},
    {CommandMoveDown, EditMenu, false, u8"&Descendre la question", {KeyDown, false, true}, 0, DownButton},
    {CommandExportWeb, FileMenu, true, u8"E&xporter pour le navigateur…", {0, false, false}, 0, 0},
};

const CommandRow& commandOf(EditorCommand command) {
    for (const CommandRow& row : editorCommands)
        if (row.id == command) return row;
    return editorCommands[0];
}

const char* menuTitle(EditorMenu menu) { return menu == FileMenu ? u8"&Fichier" : u8"&Édition"; }

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
    case CommandTest: case CommandExportWeb:
        return !context.busy;
    case CommandUndo: return model.canUndo;
    case CommandAddQuestion: return count < MaxQuestions;
    case CommandDeleteQuestion: return model.selected >= 0;
    case CommandMoveUp: return model.selected > 0;
    case CommandMoveDown: return model.selected >= 0 && model.selected + 1 < count;
    case CommandSave: case CommandSaveAs: case CommandQuit: return true;
    }
    return false;
}
