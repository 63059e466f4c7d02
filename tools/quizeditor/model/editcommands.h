#pragma once
// The editor's commands, one row each: the id its menu item, shortcut and
// button send, the menu it stands in with its French label, its shortcut,
// the key of the question list and the button that run it too; and whether
// a command can run now. The window makes its menus, its keyboard table and
// the state of its menu items and buttons from these rows alone.
#include <string>

#include "controls.h"
#include "editmodel.h"

// Kept clear of IDOK and IDCANCEL, which the dialog keys send.
enum EditorCommand {
    CommandNew = 1000, CommandOpen, CommandOpenProgram, CommandImport, CommandSave, CommandSaveAs, CommandBuild,
    CommandTest, CommandQuit, CommandUndo, CommandAddQuestion, CommandDeleteQuestion, CommandMoveUp,
    CommandMoveDown, CommandRedo, CommandGatherMedia, CommandExportWeb,
};

enum EditorMenu { FileMenu, EditMenu, MenuCount };
// "&Fichier", "&Édition" (UTF-8).
const char* menuTitle(EditorMenu menu);
// The menu Alt and a letter opens: the one whose underlined letter is that
// letter, its accent aside, whatever the case (Alt+E opens "&Édition" on a
// keyboard with no é); -1 for none.
int menuOfLetter(unsigned long character);

// Keys by their virtual-key codes, as Windows numbers them (a letter is its
// capital's code).
enum KeyCode { KeyReturn = 0x0D, KeyUp = 0x26, KeyDown = 0x28, KeyInsert = 0x2D, KeyDelete = 0x2E, KeyF5 = 0x74 };

struct KeyShortcut {
    int key;        // 0: none
    bool control;
    bool alt;
};

struct CommandRow {
    EditorCommand id;
    EditorMenu menu;
    bool separatorBefore;   // a line above it in its menu
    const char* label;      // UTF-8, "&" before its mnemonic
    KeyShortcut shortcut;
    int listKey;            // a key of the question list that runs it too; 0: none
    int button;             // the ControlId of the button that runs it too; 0: none
};
enum { EditorCommandCount = CommandExportWeb - CommandNew + 1 };
extern const CommandRow editorCommands[EditorCommandCount];

// As a menu shows it: "Ctrl+N", "F5", "Ctrl+Entrée", "Alt+Haut"; "" for none.
std::string shortcutText(const KeyShortcut& shortcut);
// A menu item's text: its label, then a tab and its shortcut when it has one.
std::string menuText(const CommandRow& row);

// What decides which commands can run: the quiz, and whether a build or an
// unpack is running.
struct CommandContext {
    const EditorModel* model;
    bool busy;
};
bool canRun(const CommandContext& context, EditorCommand command);

// A menu item's text as the quiz stands: undo and redo name what they take
// back ("&Annuler la suppression de la question 4\tCtrl+Z"); the others as
// menuText.
std::string menuTextNow(const EditorModel& model, const CommandRow& row);

// What Ctrl+Retour arrière (backward) and Ctrl+Suppr (forward) delete in a
// text field, as everywhere in Windows: the word before the caret with the
// spaces after it, or from the caret to the next word's start. A selection
// is deleted as it is. Positions count UTF-16 units, as edit controls do.
struct TextSpan {
    size_t start, end;
};
TextSpan wordToDelete(const std::u16string& text, size_t selectionStart, size_t selectionEnd, bool forward);
