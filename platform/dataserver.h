#pragma once
// The base of the table servers: a list of fields with their descriptions,
// the clients a server tells what happens to it (browsers, data windows, tests)
// and the notice protocol between them.
//
// Notices (the number a server sends, and what it announces):
//   -1 a field's value changed (description: the field's name symbol)
//    0 the server closes
//    2 a move is about to happen: a client answering FALSE refuses it
//    3 the current row changed
//    4 moved to the last row
//    5 moved to the first row, or the whole view changed
//    6 a row was marked deleted
//    7 a row was appended
//   10 rows changed in bulk
//
// Cells are QVariant: QString for character and memo fields, double for
// numbers, QDate for dates (an invalid QDate is the empty date), bool for
// logicals, and a null QVariant for "nothing".

#include "platform/runtime.h"

#include <QDate>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>

#include <functional>
#include <map>

namespace zeva {

// A name symbol: a name compared without regard to letter case.
class Symbol {
public:
    Symbol() = default;
    explicit Symbol(QString name) : name_(std::move(name)) {}
    const QString& name() const { return name_; }
    bool operator==(const Symbol& other) const { return name_.compare(other.name_, Qt::CaseInsensitive) == 0; }
    bool operator!=(const Symbol& other) const { return !(*this == other); }

private:
    QString name_;
};

}  // namespace zeva

Q_DECLARE_METATYPE(zeva::Symbol)

namespace zeva {

enum DataNotice : int {
    kDataFieldChange = -1,
    kDataClose = 0,
    kDataIntentToMove = 2,
    kDataRecordChange = 3,
    kDataGoBottom = 4,
    kDataGoTop = 5,
    kDataDelete = 6,
    kDataAppend = 7,
    kDataFileChange = 10,
};

// One column of a table's structure: name, type letter ("C" character, "N"
// numeric, "D" date, "L" logical, "M" memo), length and decimals.
struct DbColumn {
    QString name;
    QString type = QStringLiteral("C");
    int length = 0;
    int decimals = 0;
};
using DbStructure = QList<DbColumn>;

// A field's description as the servers see it.
class FIELDSPEC {
public:
    FIELDSPEC() = default;
    explicit FIELDSPEC(DbColumn column) : column_(std::move(column)) {}
    const QString& name() const { return column_.name; }
    QString typeLetter() const { return column_.type.toUpper(); }
    int LENGTH() const { return column_.length; }
    int decimals() const { return column_.decimals; }
    // TRUE when `value` is a value of this field's type (nothing is not).
    bool accepts(const QVariant& value) const;
    // The value as text: characters as they are, numbers in the field's width
    // and decimals, dates as dd.mm.yyyy, logicals as T or F; nothing and
    // values of another type as the empty text.
    QString TRANSFORM(const QVariant& value) const;

private:
    DbColumn column_;
};

// A field of a server: its name, name symbol and description.
class DATAFIELD {
public:
    DATAFIELD() = default;
    DATAFIELD(const QString& name, FIELDSPEC format) : name_(name), symbol_(name), format_(std::move(format)) {}
    const QString& NAME() const { return name_; }
    const Symbol& NAMESYM() const { return symbol_; }
    const FIELDSPEC& fieldSpec() const { return format_; }

private:
    QString name_;
    Symbol symbol_;
    FIELDSPEC format_;
};

// TRUE when the variant holds text.
bool isTextValue(const QVariant& value);

class DATASERVER {
public:
    // A client answers a notice; only the answer to notice 2 is read (a bool
    // FALSE refuses the move, anything else lets it happen).
    using Client = std::function<QVariant(int notice, const QVariant& description)>;

    DATASERVER() = default;
    DATASERVER(const DATASERVER&) = delete;
    DATASERVER& operator=(const DATASERVER&) = delete;
    virtual ~DATASERVER() = default;

    // Registers a client; the number unregisters it.
    int RegisterClient(Client client);
    void UnregisterClient(int id);

    // Sends a notice to every client unless notices are suspended. For notice
    // 2 the result is FALSE when any client answered FALSE, else TRUE (also
    // while suspended); for other notices nothing.
    virtual QVariant NOTIFY(int notice, const QVariant& description = QVariant());
    // The answer to notice 2 as a logical.
    bool consent() { return NOTIFY(kDataIntentToMove).toBool(); }

    // Notices are withheld while the suspension count is not 0.
    void SUSPENDNOTIFICATION() { ++suspension_; }
    void RESETNOTIFICATION() { --suspension_; }
    int suspensionCount() const { return suspension_; }

    // The label's name and caption.
    const Symbol& labelSymbol() const { return labelSymbol_; }
    const QString& labelCaption() const { return labelCaption_; }

    int FCOUNT() const { return static_cast<int>(fields_.size()); }
    // The n-th field (1-based); nullptr outside 1..FCOUNT.
    const DATAFIELD* dataField(int n) const;

    // TRUE when `value` may be stored in field n: a value of the field's type,
    // and the test hook (when set) agrees.
    virtual bool FIELDVALIDATE(int n, const QVariant& value) const;
    // For tests: a further rule FIELDVALIDATE asks after the type check.
    void setValidationHook(std::function<bool(int n, const QVariant& value)> hook) { hook_ = std::move(hook); }

protected:
    void setLabel(const Symbol& symbol, const QString& caption)
    {
        labelSymbol_ = symbol;
        labelCaption_ = caption;
    }
    void setFields(const DbStructure& structure);

private:
    std::map<int, Client> clients_;
    int nextClient_ = 1;
    int suspension_ = 0;
    Symbol labelSymbol_;
    QString labelCaption_;
    QList<DATAFIELD> fields_;
    std::function<bool(int, const QVariant&)> hook_;
};

// Suspends a server's notices for a scope, resuming them however it is left.
class NoticeSuspension {
public:
    explicit NoticeSuspension(DATASERVER& server) : server_(server) { server_.SUSPENDNOTIFICATION(); }
    ~NoticeSuspension() { server_.RESETNOTIFICATION(); }
    NoticeSuspension(const NoticeSuspension&) = delete;
    NoticeSuspension& operator=(const NoticeSuspension&) = delete;

private:
    DATASERVER& server_;
};

}  // namespace zeva
