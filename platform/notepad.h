#pragma once
// The desktop's plain-text editor, where the program once started Notepad on a
// report. The answer is a command line for the process launcher (blanks
// separate words, double quotes keep a word whole, three double quotes stand
// for one inside a quoted word).
//
// Which editor: the program named by the environment variable ZEVA_NOTEPAD
// when it is set; otherwise a document goes to the desktop's opener for its
// type (xdg-open), and the editor alone is the first graphical text editor
// found on PATH. The answer is empty when there is none to start.

#include <QString>

namespace zeva {

// The command line that opens `document` in the text editor, or starts the
// editor with no document when `document` is empty.
QString notepadCommandLine(const QString& document);

// `word` as one word of a command line, quoted.
QString quotedCommandWord(const QString& word);

}  // namespace zeva
