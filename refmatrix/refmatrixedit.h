#pragma once
// The table behind the reference matrix window, free of widgets. The window
// never edits the file as it goes: the table's live records are loaded into
// an in-memory server, every edit (cell, append, delete) changes only that
// copy, and the copy is written back as a whole only when the user answers
// Yes at closing. The records the file marks deleted are written back
// unchanged, in their places; only a feed deleted in the window leaves. No
// discards every change; a failed write is reported and keeps the window
// (and the copy) open.
//
// The file is shared: another program, or another session of this one, may
// change it while the window is open. Before the write the file is compared
// with what was read (size, time and content); when it changed, the user is
// told and chooses whether to write over it. Not writing keeps the window
// and its edits.
//
// One writer per table: while a window holds a table, it is registered here
// (see ReferenceWindowRegistry); commands that restructure the file refuse.

#include "core/userport.h"
#include "editing/barrayserver.h"
#include "platform/dbf.h"
#include "platform/filefingerprint.h"

#include <QObject>
#include <QString>

#include <memory>

namespace zeva {

inline const QString kReferenceDeleteQuestion = QStringLiteral("Seçili yem maddesi siliniyor!");
inline const QString kReferenceOpenError = QStringLiteral("Referans matris dosyası açma hatası!");
inline const QString kReferenceWindowOpen =
    QStringLiteral("Referans matris penceresi açıkken bu işlem yapılamaz.");

class ReferenceMatrixEdit : public QObject {
    Q_OBJECT
public:
    // Reads the table at `path` (CRMFILE). A table that cannot be read gives
    // the error box and no edit (nullptr).
    static std::unique_ptr<ReferenceMatrixEdit> open(const QString& path, UserPort& port);

    QString CRMFILE() const { return path_; }
    BARRAYSERVER& server() { return *server_; }
    const BARRAYSERVER& server() const { return *server_; }

    // Raised by every change of the copy and by the column commands; never
    // lowered while the window lives.
    bool LRMCHANGED = false;

    // Deletes the current feed after the question; nothing on the unit row.
    void RMDELETE(UserPort& port);
    // Writes a cell typed in the form view into the current record, with the
    // reference cell rules; nothing when the text is unchanged.
    void formCellEdited(int nCol, const QString& text);
    // The close question: TRUE when the window may close (no change, No, or
    // Yes and the write succeeded). When the file changed on disk since it
    // was read, the user is asked whether to write over it; No to that gives
    // FALSE and writes nothing. A failed write gives the error box and FALSE.
    bool QUERYCLOSE(UserPort& port);

private:
    ReferenceMatrixEdit(QString path, DbfTable table, FileFingerprint fingerprint);
    // Writes the whole copy to the file in one step. Only the close question
    // writes, and the window closes after a write: the file is never read
    // back nor compared again.
    bool save(QString* error);

    QString path_;
    FileFingerprint fingerprint_;  // the file as read
    DbfTable original_;  // the file's fields and header, for the write back
    // The file's deleted records, each with the number of live records
    // before it: (live records before, record in original_), in file order.
    QList<QPair<int, int>> deleted_;
    std::unique_ptr<BARRAYSERVER> server_;
};

// Which tables an open reference window holds, by file name in upper case.
class ReferenceWindowRegistry {
public:
    static ReferenceWindowRegistry& instance();
    // The holder of the table (`path`, any letter case), or nullptr.
    QObject* holder(const QString& path) const;
    bool isHeld(const QString& path) const { return holder(path) != nullptr; }
    // Records `window` as the holder of `path` until it is destroyed or
    // released.
    void hold(const QString& path, QObject* window);
    void release(const QString& path);

private:
    static QString key(const QString& path);
    QList<QPair<QString, QObject*>> held_;
};

}  // namespace zeva
