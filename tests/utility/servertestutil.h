#pragma once
// Helpers for the data-server tests: a client that records the notices it
// gets (and can refuse moves), and short ways to build tables.

#include "platform/dataserver.h"
#include "platform/runtime.h"
#include "utility/arrayserver.h"

#include <QList>
#include <QVariant>

#include <initializer_list>
#include <ostream>
#include <vector>

// Readable cells in test failures.
inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << v.typeName() << "(" << v.toString().toStdString() << ")";
}

namespace zeva::test {

class NoticeRecorder {
public:
    explicit NoticeRecorder(DATASERVER& server) : server_(server)
    {
        id_ = server.RegisterClient([this](int notice, const QVariant& description) -> QVariant {
            notices << notice;
            descriptions << description;
            if (notice == kDataIntentToMove && refuse)
                return false;
            return QVariant();
        });
    }
    ~NoticeRecorder() { server_.UnregisterClient(id_); }
    NoticeRecorder(const NoticeRecorder&) = delete;
    NoticeRecorder& operator=(const NoticeRecorder&) = delete;

    // The notices so far (a std::vector: comparing empty QLists trips the
    // sanitizer in this Qt version), and forgets them.
    std::vector<int> take()
    {
        std::vector<int> n(notices.cbegin(), notices.cend());
        notices.clear();
        descriptions.clear();
        return n;
    }

    QList<int> notices;
    QList<QVariant> descriptions;
    bool refuse = false;

private:
    DATASERVER& server_;
    int id_ = 0;
};

// Sets the runtime's deleted setting for one test and puts it back.
class DeletedSettingGuard {
public:
    explicit DeletedSettingGuard(bool hide) : old_(SetDeleted(hide)) {}
    ~DeletedSettingGuard() { SetDeleted(old_); }
    DeletedSettingGuard(const DeletedSettingGuard&) = delete;
    DeletedSettingGuard& operator=(const DeletedSettingGuard&) = delete;

private:
    bool old_;
};

inline ArrayDataPtr tableOf(std::initializer_list<QVariantList> rows)
{
    auto data = std::make_shared<ArrayData>();
    for (const QVariantList& r : rows)
        data->append(makeArrayRow(r));
    return data;
}

// One numeric column "N" (length 5) over the values 1..n.
inline ArrayDataPtr numbered(int n)
{
    auto data = std::make_shared<ArrayData>();
    for (int i = 1; i <= n; ++i)
        data->append(makeArrayRow({double(i)}));
    return data;
}

inline DbStructure numberColumn()
{
    return {{QStringLiteral("N"), QStringLiteral("N"), 5, 0}};
}

inline QVariant sym(const char* name)
{
    return QVariant::fromValue(Symbol(QString::fromLatin1(name)));
}

}  // namespace zeva::test
