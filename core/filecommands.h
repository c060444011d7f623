#pragma once
// The file commands of the main menu: New, Open, Save, Save As and Close, and
// the open step they share. They talk to the user only through the UserPort
// (boxes, status bar, file dialogs, new-problem dialog) and reach the main
// window only through FileCommandHooks, so they run without a display.
//
// Problem files live by default in the "Data" folder of G().CDATAPATH. The
// active problem is G(); the open file is G().OPROBSERVER (problemfile.h).

#include "core/userport.h"

#include <QString>

#include <functional>

namespace zeva {

// The open step's warning about a matrix that does not fit the file's feed
// and nutrient tables: after the file name the first line, then a blank line
// and what the reader does, one line for each way the matrix departs.
inline const QString kMatrixMismatch = QStringLiteral(" dosyasının matrisi yem/besin maddesi tablosuyla uyuşmuyor...");
inline const QString kMatrixCut = QStringLiteral("Tablolarda karşılığı olmayan matris hücreleri ve satırları atılacak.");
inline const QString kMatrixPadded =
    QStringLiteral("Matriste karşılığı olmayan yem ve besin maddelerinin hücreleri boş (0) alınacak.");

// What the commands need of the main window. Every hook may be left empty.
struct FileCommandHooks {
    // The menu-state update (MI_ENADISABLE), sent after a problem was opened or
    // closed. The commands empty the active problem themselves on close before
    // sending it.
    std::function<void()> menuState;
    // Sets the main window's caption ("ZEVA 2.0 - " + file name after an open).
    std::function<void(const QString&)> setCaption;
    // Enables one main-menu item by id (3548 after New made a daily ration).
    std::function<void(int)> enableItem;
};

class FileCommands {
public:
    explicit FileCommands(UserPort& port, FileCommandHooks hooks = {});

    // New: asks name and type (new-problem dialog) and whether to write over
    // a file of that name, closes the open problem (with its save offer),
    // then creates the file in the data folder and opens it as the new, empty
    // problem with its header. When the close stops, the open problem stays
    // and no file is made or replaced. Returns TRUE when the new problem is
    // open and saved.
    bool YENIDOSYAGIR();

    // Open: asks a file in the open-file dialog and opens it with DOOPENFILE.
    // Returns TRUE when a file was opened; FALSE on Cancel or failure.
    bool FILEOPEN();

    // Save: the save step (PROBDBFUPDATE). FALSE when the save failed (the
    // error was shown) or the user chose not to write over a file changed on
    // disk since it was read; the flags stay raised, the file is unchanged.
    bool KAYDET();

    // Save As: asks a name, saves the open problem, copies its file to that
    // name (always with the extension ".ZVF") and opens the copy. When the
    // open file cannot be written, or it changed on disk and the user chose
    // not to write over it, the problem as it is in memory is written into
    // the chosen file instead, which is then opened; the open file stays as
    // it was. Returns FALSE when it stopped without a copy for a reason
    // the user was shown (the open file's own name, a declined overwrite, a
    // refused save, a failed copy or write of the chosen file, a failed open
    // of it); TRUE on Cancel and on success.
    bool FKAYDET();

    // Close: offers to save when anything changed, closes the file and empties
    // the active problem, then sends the menu-state update. Returns FALSE (and
    // leaves the problem open) only when the user chose to save and the save
    // failed or did not write over a file changed on disk (see KAYDET); the
    // callers that close first (Open, New, and the program's exit) stop then.
    bool FILECLOSE();

    // The open step: checks the ".ZVF" extension (any case), closes an open
    // problem (stopping when that fails), reads the file into the active
    // problem (with a warning first when its matrix does not fit its tables:
    // rows or cells beyond them, or feeds and nutrients without their cells;
    // the matrix is then marked changed, so that the next save writes the
    // problem as shown and the file loses what was dropped), sends the
    // menu-state update and sets the caption to "ZEVA 2.0 - " + `fileName` as
    // passed. The name may differ in letter case from the file on disk.
    // Returns TRUE when the file is open.
    bool DOOPENFILE(const QString& fileName);

    // The data folder: CDATAPATH + "/Data" (under its spelling on disk).
    QString dataFolder() const;

private:
    bool createProblemFile(const QString& path, int type);

    UserPort& port_;
    FileCommandHooks hooks_;
};

}  // namespace zeva
