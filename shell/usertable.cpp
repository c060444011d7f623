#include "shell/usertable.h"

#include "core/messages.h"
#include "platform/codec.h"
#include "platform/filelock.h"
#include "platform/ntx.h"
#include "platform/regularfile.h"
#include "platform/runtime.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace zeva {

namespace {

const QString kFieldId = QStringLiteral("KULL_ID");
const QString kFieldPassword = QStringLiteral("PASSWORD");
const QByteArray kIndexKey = QByteArrayLiteral("KULL_ID");
const QByteArray kIndexOrder = QByteArrayLiteral("KULLIDX");

QList<DbfField> userFields()
{
    return {{kFieldId, 'C', kUserFieldWidth, 0}, {kFieldPassword, 'C', kUserFieldWidth, 0}};
}

// Both fields present as character fields.
bool hasUserFields(const DbfTable& table)
{
    for (const QString& name : {kFieldId, kFieldPassword}) {
        const int i = table.fieldIndex(name);
        if (i < 0 || table.fields().at(i).type != 'C')
            return false;
    }
    return true;
}

QByteArray idKey(const DbfTable& table, int record)
{
    return cp1254::encode(table.value(record, kFieldId));
}

bool readUserTable(const QString& folder, DbfTable* table, QString* error)
{
    if (!readDbfFile(userTablePath(folder), table, error))
        return false;
    if (!hasUserFields(*table)) {
        if (error)
            *error = QStringLiteral("KULL_ID ve PASSWORD alanları yok");
        return false;
    }
    return true;
}

// The index keeps the unique flag it had; a missing or unreadable index gives
// the flag of a rebuild at start (none).
bool existingIndexUnique(const QString& folder)
{
    NtxHeader header;
    return readNtxHeader(userIndexPath(folder), &header) && header.unique;
}

void removeIndex(const QString& folder)
{
    const QString existing = findExistingPath(userIndexPath(folder));
    if (!existing.isEmpty())
        QFile::remove(existing);
}

}  // namespace

QString userTablePath(const QString& folder)
{
    return QDir(folder).filePath(kUserTableFile);
}

QString userIndexPath(const QString& folder)
{
    return QDir(folder).filePath(kUserIndexFile);
}

QString turkishUpper(const QString& text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c == QChar(0x0069))         // i
            out[i] = QChar(0x0130);     // İ
        else if (c == QChar(0x0131))    // ı
            out[i] = QChar(0x0049);     // I
        else {
            const QChar u = c.toUpper();
            if (cp1254::canEncode(u))
                out[i] = u;
        }
    }
    return out;
}

QString userFold(const QString& text)
{
    QString out = turkishUpper(text);
    out.replace(QChar(0x0130), QChar(0x0049));
    return out;
}

bool sameUserText(const QString& a, const QString& b)
{
    return userFold(a) == userFold(b);
}

bool rebuildUserIndex(const QString& folder, const DbfTable& table, bool unique, QString* error)
{
    QList<NtxKey> keys;
    for (int r = 0; r < table.recordCount(); ++r)
        keys << NtxKey{idKey(table, r), static_cast<quint32>(r + 1)};
    return writeNtxFile(userIndexPath(folder), kIndexKey, kUserFieldWidth, keys, unique, kIndexOrder, error);
}

bool CREAPWDBF(const QString& folder, QString* error)
{
    DbfTable table(userFields());
    const int r = table.appendRecord();
    table.setValue(r, kFieldId, QStringLiteral("QAVE"));
    table.setValue(r, kFieldPassword, QStringLiteral("WN83"));
    if (!writeDbfFile(userTablePath(folder), table, error))
        return false;
    return rebuildUserIndex(folder, table, true, error);
}

bool KONTPWDBF(UserPort& port, const QString& folder)
{
    if (findExistingPath(userTablePath(folder)).isEmpty()) {
        if (!CREAPWDBF(folder)) {
            MESS2(port, kUserTableCreateError);
            return false;
        }
        return true;
    }
    if (!findExistingPath(userIndexPath(folder)).isEmpty())
        return true;
    DbfTable table;
    if (!readUserTable(folder, &table, nullptr)) {
        const QString refusal = plainFileRefusal(findExistingPath(userTablePath(folder)));
        MESS2(port, refusal.isEmpty() ? kUserTableOpenError
                                      : kUserTableOpenError + QStringLiteral("\r\r") + refusal);
        return false;
    }
    if (!rebuildUserIndex(folder, table, false)) {
        MESS2(port, kUserIndexWriteError);
        return false;
    }
    return true;
}

KSERVER::KSERVER(const QString& folder) : folder_(folder)
{
    open_ = readUserTable(folder_, &table_, &error_);
    if (!open_)
        return;
    sortOrder();
    GOTOP();
}

void KSERVER::sortOrder()
{
    order_ = table_.liveRecords();
    QList<QByteArray> keys(table_.recordCount());
    for (int r : order_)
        keys[r] = idKey(table_, r);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) { return keys.at(a) < keys.at(b); });
}

bool KSERVER::SETORDER(int order)
{
    return open_ && order == 1;
}

bool KSERVER::SEEK(const QString& id)
{
    current_ = -1;
    const QString wanted = userFold(AllTrim(id));
    if (!open_ || wanted.isEmpty())
        return false;
    for (int r : order_) {
        if (userFold(RTrim(table_.value(r, kFieldId))) == wanted) {
            current_ = r;
            return true;
        }
    }
    return false;
}

int KSERVER::findOther(const QString& id, int except) const
{
    const QString wanted = userFold(AllTrim(id));
    if (!open_ || wanted.isEmpty())
        return 0;
    for (int r : order_)
        if (r + 1 != except && userFold(RTrim(table_.value(r, kFieldId))) == wanted)
            return r + 1;
    return 0;
}

void KSERVER::GOTOP()
{
    current_ = open_ && !order_.isEmpty() ? order_.first() : -1;
}

void KSERVER::GOTO(int recno)
{
    current_ = open_ && recno >= 1 && recno <= table_.recordCount() ? recno - 1 : -1;
}

void KSERVER::APPEND()
{
    if (!open_)
        return;
    current_ = table_.appendRecord();
    changed_ = true;
    sortOrder();
}

bool KSERVER::atEnd() const { return current_ < 0; }
int KSERVER::RECNO() const { return current_ + 1; }
int KSERVER::recordCount() const { return table_.recordCount(); }

QString KSERVER::KULL_ID() const
{
    return current_ < 0 ? QString() : table_.value(current_, kFieldId);
}

QString KSERVER::PASSWORD() const
{
    return current_ < 0 ? QString() : table_.value(current_, kFieldPassword);
}

void KSERVER::KULL_ID(const QString& value)
{
    if (current_ < 0)
        return;
    table_.setValue(current_, kFieldId, value);
    changed_ = true;
    sortOrder();
}

void KSERVER::PASSWORD(const QString& value)
{
    if (current_ < 0)
        return;
    table_.setValue(current_, kFieldPassword, value);
    changed_ = true;
}

bool KSERVER::CLOSE(QString* error, bool* indexError)
{
    if (indexError)
        *indexError = false;
    const bool write = open_ && changed_;
    open_ = false;
    current_ = -1;
    if (!write)
        return true;
    changed_ = false;
    table_.setLastUpdate(QDate::currentDate());
    if (!writeDbfFile(userTablePath(folder_), table_, error))
        return false;
    if (!rebuildUserIndex(folder_, table_, existingIndexUnique(folder_))) {
        removeIndex(folder_);
        if (indexError)
            *indexError = true;
    }
    return true;
}

void KSERVER::discard()
{
    open_ = false;
    changed_ = false;
    current_ = -1;
}

LogonAttempts::Outcome LogonAttempts::attempt(UserPort& port, const QString& folder, const QString& name,
                                              const QString& password)
{
    KSERVER server(folder);
    const bool readable = server.isOpen();
    if (!readable) {
        ERRMESS(port, kUserTableOpenError);
        LOGONOK = false;
    } else {
        server.SETORDER(1);
        if (server.SEEK(turkishUpper(name))) {
            LOGONOK = sameUserText(AllTrim(password), AllTrim(server.PASSWORD()));
            LOGONID = server.KULL_ID();
        } else {
            LOGONOK = false;
        }
        server.discard();
    }
    if (LOGONOK)
        return Outcome::LoggedOn;
    if (NLOGONTRY >= 3)
        return Outcome::Failed;
    if (readable && !AllTrim(name).isEmpty())
        ERRMESS(port, QStringLiteral("Geçersiz giriş teşebbüsü!"));
    ++NLOGONTRY;
    return Outcome::TryAgain;
}

void LogonAttempts::cancel()
{
    LOGONOK = false;
    LOGONID.clear();
}

namespace {

constexpr int kDefaultLockWait = 3000;
int lockWait = kDefaultLockWait;

}  // namespace

namespace testhooks {

void setUserTableLockWait(int ms) { lockWait = ms < 0 ? kDefaultLockWait : ms; }

}  // namespace testhooks

// What OK found, decided while the table was locked; the messages are shown
// afterwards.
enum class PasswordChange::Verdict {
    Written,
    IndexNotWritten,  // the table was written, its index not
    CurrentEmpty,
    CurrentWrong,
    NewEmpty,
    RetypedDiffers,
    NameEmpty,
    NameTaken,
    Busy,
    Unreadable,
    UserGone,
    NotWritten,
};

PasswordChange::PasswordChange(const QString& folder, bool addUser) : folder_(folder), addUser_(addUser) {}

bool PasswordChange::open(UserPort& port, const QString& userId)
{
    userId_ = userId;
    open_ = false;
    KSERVER server(folder_);
    if (!server.isOpen()) {
        ERRMESS(port, kUserTableOpenError);
        return false;
    }
    server.SETORDER(1);
    if (!server.SEEK(userId_)) {
        ERRMESS(port, kUserRecordMissing);
        return false;
    }
    ownPassword_ = server.PASSWORD();
    server.discard();
    open_ = true;
    return true;
}

bool PasswordChange::currentPasswordMatches(const QString& typed) const
{
    if (!open_ || AllTrim(typed).isEmpty())
        return false;
    return sameUserText(RTrim(typed), RTrim(ownPassword_));
}

PasswordChange::Verdict PasswordChange::check(KSERVER& server, const QString& current, const QString& newPassword,
                                              const QString& retyped, const QString& newId)
{
    if (AllTrim(current).isEmpty())
        return Verdict::CurrentEmpty;
    if (!currentPasswordMatches(current))
        return Verdict::CurrentWrong;
    if (AllTrim(newPassword).isEmpty())
        return Verdict::NewEmpty;
    if (turkishUpper(RTrim(newPassword)) != turkishUpper(RTrim(retyped)))
        return Verdict::RetypedDiffers;
    if (addUser_ && newId.isEmpty())
        return Verdict::NameEmpty;
    if (!newId.isEmpty() && server.findOther(newId, addUser_ ? 0 : server.RECNO()) > 0)
        return Verdict::NameTaken;
    return Verdict::Written;
}

PasswordChange::Verdict PasswordChange::update(const QString& current, const QString& newPassword,
                                               const QString& retyped, const QString& newId)
{
    // The lock is on the folder, not on the table: the table is replaced by
    // the write, and its index is written after it.
    const FileLock lock(folder_, lockWait);
    if (lock.busy())
        return Verdict::Busy;
    KSERVER server(folder_);
    if (!server.isOpen())
        return Verdict::Unreadable;
    server.SETORDER(1);
    if (!server.SEEK(userId_)) {
        server.discard();
        open_ = false;
        return Verdict::UserGone;
    }
    // The current password is judged against the record as it is now.
    ownPassword_ = server.PASSWORD();
    const Verdict verdict = check(server, current, newPassword, retyped, newId);
    if (verdict != Verdict::Written) {
        server.discard();
        return verdict;
    }

    if (addUser_)
        server.APPEND();
    server.PASSWORD(turkishUpper(newPassword));
    QString storedId;
    if (!newId.isEmpty()) {
        server.KULL_ID(newId);
        storedId = server.KULL_ID();
    }
    bool indexError = false;
    if (!server.CLOSE(nullptr, &indexError))
        return Verdict::NotWritten;
    if (!addUser_ && !storedId.isEmpty())
        renamedId_ = storedId;
    return indexError ? Verdict::IndexNotWritten : Verdict::Written;
}

PasswordChange::Result PasswordChange::confirm(UserPort& port, const QString& current, const QString& newPassword,
                                               const QString& retyped, const QString& name)
{
    focus_ = Field::None;
    if (!open_) {
        ERRMESS(port, kUserRecordMissing);
        return Result::UserGone;
    }
    // Ids are stored without blanks around them: a leading blank would make
    // the id impossible to type at the login.
    const QString newId = turkishUpper(AllTrim(name));

    auto refuse = [this](Field field) {
        focus_ = field;
        return Result::Refused;
    };
    auto warn = [&port](const QString& text) { port.messageBox(QStringLiteral("Uyarı"), text, BOX_INFO); };
    switch (update(current, newPassword, retyped, newId)) {
    case Verdict::Written:
        return Result::Done;
    case Verdict::IndexNotWritten:
        ERRMESS(port, kUserIndexWriteError);
        return Result::Done;
    case Verdict::CurrentEmpty:
        return refuse(Field::CurrentPassword);
    case Verdict::CurrentWrong:
        ERRMESS(port, QStringLiteral("Mevcut parola girişi geçersiz!"));
        return refuse(Field::CurrentPassword);
    case Verdict::NewEmpty:
        ERRMESS(port, QStringLiteral("Yeni parola girmeniz gerekir!"));
        return refuse(Field::NewPassword);
    case Verdict::RetypedDiffers:
        ERRMESS(port, QStringLiteral("Yeni parola girişi geçersiz!"));
        return refuse(Field::NewPassword);
    case Verdict::NameEmpty:
        warn(QStringLiteral("Yeni kullanıcı ismi girilmedi!"));
        return refuse(Field::Name);
    case Verdict::NameTaken:
        warn(QStringLiteral("Aynı isimde bir kullanıcı var!"));
        return refuse(Field::Name);
    case Verdict::Busy:
        ERRMESS(port, kUserTableBusy);
        return Result::WriteFailed;
    case Verdict::Unreadable:
        ERRMESS(port, kUserTableOpenError);
        return Result::WriteFailed;
    case Verdict::UserGone:
        ERRMESS(port, kUserRecordMissing);
        return Result::UserGone;
    case Verdict::NotWritten:
        ERRMESS(port, kUserTableWriteError);
        return Result::WriteFailed;
    }
    return Result::WriteFailed;
}

void PasswordChange::cancel() { open_ = false; }

}  // namespace zeva
