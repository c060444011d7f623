#include "platform/dataserver.h"

#include "platform/runtime.h"

#include <vector>

namespace zeva {

bool isTextValue(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

bool FIELDSPEC::accepts(const QVariant& value) const
{
    const QString t = typeLetter();
    if (t == QLatin1String("C") || t == QLatin1String("M"))
        return isTextValue(value);
    if (t == QLatin1String("N"))
        return isNumberValue(value);
    if (t == QLatin1String("D"))
        return value.typeId() == QMetaType::QDate;
    if (t == QLatin1String("L"))
        return value.typeId() == QMetaType::Bool;
    return !value.isNull();
}

QString FIELDSPEC::TRANSFORM(const QVariant& value) const
{
    if (!accepts(value))
        return QString();
    const QString t = typeLetter();
    if (t == QLatin1String("N"))
        return Str(value.toDouble(), LENGTH(), decimals());
    if (t == QLatin1String("D"))
        return DateText(value.toDate());
    if (t == QLatin1String("L"))
        return value.toBool() ? QStringLiteral("T") : QStringLiteral("F");
    return value.toString();
}

int DATASERVER::RegisterClient(Client client)
{
    const int id = nextClient_++;
    clients_.emplace(id, std::move(client));
    return id;
}

void DATASERVER::UnregisterClient(int id)
{
    clients_.erase(id);
}

QVariant DATASERVER::NOTIFY(int notice, const QVariant& description)
{
    if (suspension_ != 0)
        return notice == kDataIntentToMove ? QVariant(true) : QVariant();
    // A client may register or unregister others while it is told: walk a copy.
    std::vector<Client> clients;
    clients.reserve(clients_.size());
    for (const auto& [id, client] : clients_)
        clients.push_back(client);
    bool refused = false;
    for (const Client& client : clients) {
        const QVariant answer = client(notice, description);
        if (answer.typeId() == QMetaType::Bool && !answer.toBool())
            refused = true;
    }
    if (notice == kDataIntentToMove)
        return QVariant(!refused);
    return QVariant();
}

const DATAFIELD* DATASERVER::dataField(int n) const
{
    if (n < 1 || n > FCOUNT())
        return nullptr;
    return &fields_.at(n - 1);
}

bool DATASERVER::FIELDVALIDATE(int n, const QVariant& value) const
{
    const DATAFIELD* field = dataField(n);
    if (!field || !field->fieldSpec().accepts(value))
        return false;
    return !hook_ || hook_(n, value);
}

void DATASERVER::setFields(const DbStructure& structure)
{
    fields_.clear();
    for (const DbColumn& column : structure)
        fields_.append(DATAFIELD(column.name, FIELDSPEC(column)));
}

}  // namespace zeva
