#pragma once
// The user table "KULLANICIID.DBF" and its index "KULLIDX.NTX" in the
// installation directory: one record per user, the id and the password in
// upper case, plain text, blank-padded to 20 characters.
//
// Ids and passwords are upper-cased with the Turkish rule (i to İ, ı to I) and
// compared with a folding in which i, ı, I and İ are the same letter, so that
// records written under either rule match. A seek matches the whole id: the
// sought text without blanks around it against the stored id without its
// trailing blanks; an empty text is never found.
//
// The index is never read. It is rebuilt whole after every write to the table,
// so other xBase tools sharing the folder always find it current.

#include "core/userport.h"
#include "platform/dbf.h"

#include <QList>
#include <QString>

namespace zeva {

inline const QString kUserTableFile = QStringLiteral("KULLANICIID.DBF");
inline const QString kUserIndexFile = QStringLiteral("KULLIDX.NTX");
constexpr int kUserFieldWidth = 20;

// Messages of the user table.
inline const QString kUserTableOpenError = QStringLiteral("Kullanıcı veri dosyasını açmada hata!");
inline const QString kUserTableWriteError = QStringLiteral("Kullanıcı veri dosyası kaydedilemedi!");
inline const QString kUserTableCreateError = QStringLiteral("Kullanıcı veri dosyası oluşturulamadı!");
inline const QString kUserIndexWriteError = QStringLiteral("Kullanıcı dizin dosyası kaydedilemedi!");
inline const QString kUserRecordMissing = QStringLiteral("Aktif kullanıcının kaydı bulunamadı!");
inline const QString kUserTableBusy =
    QStringLiteral("Kullanıcı veri dosyası şu an kullanımda, biraz sonra tekrar deneyin!");

QString userTablePath(const QString& folder);
QString userIndexPath(const QString& folder);

// Upper case with the Turkish rule, letter by letter (the length stays); a
// letter whose capital Windows-1254 cannot hold stays as it is.
QString turkishUpper(const QString& text);
// The form in which ids and passwords are compared: upper case, with İ as I.
QString userFold(const QString& text);
bool sameUserText(const QString& a, const QString& b);

// The user table with its default record and a unique index: CREAPWDBF.
// False (with `error`) when a file cannot be written.
bool CREAPWDBF(const QString& folder, QString* error = nullptr);

// Run at every start: creates the table when it is missing (CREAPWDBF), and
// rebuilds the index, without the unique flag, when only the index is missing.
// Existing files are left alone. A failure is told in an owner-less error box
// and the start goes on; answers whether both files exist afterwards.
bool KONTPWDBF(UserPort& port, const QString& folder);

// Rebuilds the index from the table's records. `unique` as asked.
bool rebuildUserIndex(const QString& folder, const DbfTable& table, bool unique, QString* error = nullptr);

// The user table open in memory, with one order: the records sorted by their
// stored id (bytes as on disk, then record number). Changes stay in memory
// until CLOSE writes the table and rebuilds the index.
class KSERVER {
public:
    // Opens the table of `folder` and goes to the first record in key order.
    explicit KSERVER(const QString& folder);

    // False when the table could not be read or lacks the two fields;
    // errorText() says why.
    bool isOpen() const { return open_; }
    QString errorText() const { return error_; }

    // Only order 1 (KULLIDX) exists.
    bool SETORDER(int order);
    // Finds the first record in key order whose id is `id` (see above) and
    // stands on it. Not found: stands past the end.
    bool SEEK(const QString& id);
    void GOTOP();
    // Stands on record `recno` (1-based); past the end when there is none.
    void GOTO(int recno);
    // A blank record at the end; it becomes the current record.
    void APPEND();
    bool atEnd() const;
    // 1-based record number of the current record; 0 past the end.
    int RECNO() const;
    int recordCount() const;

    // Fields of the current record, as stored (padded to 20).
    QString KULL_ID() const;
    QString PASSWORD() const;
    // Stored padded or cut to 20 characters; nothing past the end.
    void KULL_ID(const QString& value);
    void PASSWORD(const QString& value);

    // The first record other than `except` (1-based) whose id is `id`; 0 when
    // none.
    int findOther(const QString& id, int except) const;

    // Writes the table when anything changed, then the index (keeping the
    // unique flag of the index it replaces). The server is closed afterwards
    // in any case. False with `error` when the table could not be written
    // (the file keeps its old content); `indexError` is set when only the
    // index failed (the stale index is then removed, so the next start
    // rebuilds it).
    bool CLOSE(QString* error = nullptr, bool* indexError = nullptr);
    // Closes without writing.
    void discard();

    const DbfTable& table() const { return table_; }

private:
    void sortOrder();

    QString folder_;
    DbfTable table_;
    QList<int> order_;  // 0-based record positions in key order
    int current_ = -1;  // 0-based record position; -1 past the end
    bool open_ = false;
    bool changed_ = false;
    QString error_;
};

// What the login dialog keeps between OK presses, and the check of one attempt.
class LogonAttempts {
public:
    enum class Outcome {
        LoggedOn,  // right id and password: the dialog ends
        TryAgain,  // wrong: fields emptied, focus on the name
        Failed,    // the third wrong attempt: the dialog ends
    };

    bool LOGONOK = false;
    QString LOGONID;     // stored id of the record found last (20 characters)
    int NLOGONTRY = 1;

    // One OK press with the texts of the two edits. A table that cannot be read
    // is told in an error box and counts as a failed attempt.
    Outcome attempt(UserPort& port, const QString& folder, const QString& name, const QString& password);
    // Cancel, Esc or the close box.
    void cancel();
};

// The rules of the user and password dialog: the logged-on user's record is
// found when it opens, the OK tests run in order, and the write.
//
// Other copies of the program may change the table while the dialog is open.
// OK therefore works on the table as it is at that moment, under an exclusive
// lock on the data folder that every copy takes for this update: it reads the
// table, finds the logged-on user's record again, runs the tests against it
// and writes the one record it adds or changes together with every other
// record as just read, then the index. The lock is let go before any message
// is shown.
class PasswordChange {
public:
    enum class Field { None, CurrentPassword, NewPassword, Name };
    enum class Result {
        Done,        // written; the dialog ends
        Refused,     // a test failed; focus() says where to
        WriteFailed, // told; nothing changed on disk, the dialog stays open
        UserGone,    // the logged-on user's record is no longer there: told,
                     // nothing written, the dialog ends
    };

    PasswordChange(const QString& folder, bool addUser);

    // Reads the table and finds the record of `userId` (CUSERID). False after
    // an error box when the table cannot be read or the record is missing.
    bool open(UserPort& port, const QString& userId);

    bool addUser() const { return addUser_; }
    // TRUE when `typed` (not blank) is the logged-on user's password as last
    // read from the table.
    bool currentPasswordMatches(const QString& typed) const;

    // The OK button with the texts of the four edits.
    Result confirm(UserPort& port, const QString& current, const QString& newPassword,
                   const QString& retyped, const QString& name);
    // The field that gets the focus after a refusal.
    Field focus() const { return focus_; }
    // Change mode, after a write with a name given: the logged-on user's id
    // as now stored (the new CUSERID). Empty otherwise.
    QString renamedId() const { return renamedId_; }

    // Cancel: nothing is written.
    void cancel();

private:
    enum class Verdict;
    Verdict check(KSERVER& server, const QString& current, const QString& newPassword, const QString& retyped,
                  const QString& newId);
    Verdict update(const QString& current, const QString& newPassword, const QString& retyped,
                   const QString& newId);

    QString folder_;
    bool addUser_;
    bool open_ = false;
    QString userId_;
    QString ownPassword_;
    Field focus_ = Field::None;
    QString renamedId_;
};

namespace testhooks {

// How long OK waits for another copy's lock on the user table (3 seconds
// unless set); a negative value puts the default back.
void setUserTableLockWait(int ms);

}  // namespace testhooks

}  // namespace zeva
