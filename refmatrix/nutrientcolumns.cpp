#include "refmatrix/nutrientcolumns.h"

#include "core/activeproblem.h"
#include "core/messages.h"
#include "refmatrix/refmatrixedit.h"
#include "refmatrix/reftables.h"

#include <QRegularExpression>

namespace zeva {

namespace {

// The runtime's default array scan: a listed name matches when it begins
// with the sought one. Letter case is ignored, so that no two columns differ
// only in it.
bool presentIn(const QStringList& names, const QString& sought)
{
    for (const QString& n : names)
        if (n.startsWith(sought, Qt::CaseInsensitive))
            return true;
    return false;
}

// The first three fields of every reference table.
bool isFixedField(const QString& field)
{
    return field == QLatin1String("YM_ADI") || field == QLatin1String("FIATI") || field == QLatin1String("KMO");
}

// Said when the field the user chose is no longer in the table.
const QString kColumnGone = QStringLiteral(" besin maddesi RM dosyasında artık yok: dosya, pencere açıldıktan sonra "
                                           "değiştirilmiş.\n\nNOT: RM dosyasında hiçbir değişiklik yapılmadı.");

// Why the table cannot take one more nutrient column; empty when it can.
QString noRoomForColumn(const QList<DbfField>& fields)
{
    const QString full = QStringLiteral("RM dosyasına yeni besin maddesi eklenemez.\n\nNOT: ");
    const QString advice = QStringLiteral(" Önce, sonradan eklenen bir besin maddesini silmelisiniz.");
    if (fields.size() >= kDbfMaxFields)
        return full + QStringLiteral("Dosya başlığı en fazla %1 alan tutabilir; dosyada %2 alan var.")
                          .arg(kDbfMaxFields)
                          .arg(fields.size()) +
               advice;
    const qint64 length = DbfTable::recordLengthOf(fields) + kCellWidth;
    if (length > kDbfMaxRecordLength)
        return full + QStringLiteral("Bir kayıt en fazla %1 bayt olabilir; yeni besin maddesiyle %2 bayt olur.")
                          .arg(kDbfMaxRecordLength)
                          .arg(length) +
               advice;
    return QString();
}

}  // namespace

QString newColumnName(const QString& typed)
{
    return typed.trimmed().toUpper();
}

QStringList STDFLDARR(const QString& table)
{
    QList<DbfField> fields;
    if (table.compare(kAsFedTable, Qt::CaseInsensitive) == 0)
        fields = HKM_STRCREATE();
    else if (table.compare(kDryMatterTable, Qt::CaseInsensitive) == 0)
        fields = KMM_STRCREATE();
    QStringList names;
    for (const DbfField& f : fields)
        names << f.name;
    return names;
}

QString checkNutrientColumn(const NutrientColumnAnswer& a, const QList<DbfField>& tableFields,
                            const QStringList& standard)
{
    QStringList fields;
    for (const DbfField& f : tableFields)
        fields << f.name;
    const QString name = newColumnName(a.name);
    static const QRegularExpression valid(QStringLiteral("^[A-Z][A-Z0-9_]{0,9}$"));
    auto nameRefusal = [&]() -> QString {
        if (name.isEmpty())
            return kNoNewColumnName;
        if (!valid.match(name).hasMatch())
            return kBadColumnName;
        if (presentIn(fields, name))
            return name + QStringLiteral(" Besin maddesi RM dosyasında mevcut.");
        return noRoomForColumn(tableFields);
    };
    const QString selected = a.position >= 1 && a.position <= fields.size() ? fields.at(a.position - 1) : QString();
    switch (a.operation) {
    case 1:
        return nameRefusal();
    case 2:
        if (selected.isEmpty())
            return QStringLiteral("Önüne girilecek BM seçimi yapılmadı.");
        if (name.isEmpty())
            return kNoNewColumnName;
        if (isFixedField(selected))
            return QStringLiteral("Standart BM alanı önüne girmeye teşebbüs ettiniz.\n\nNOT: Gerçek BM önüne "
                                  "girmelisiniz.");
        return nameRefusal();
    case 3:
        if (selected.isEmpty())
            return QStringLiteral("Silinecek BM seçimi yapılmadı.");
        // The first three fields are always there, whatever the table.
        if (presentIn(standard, selected) || isFixedField(selected))
            return QStringLiteral("Standart besin maddesini silmeye teşebbüs ettiniz.\n\nNOT: Sadece, sonradan "
                                  "eklenen/girilen besin maddesini silebilirsiniz.");
        return QString();
    default:
        return QString();
    }
}

ColumnChange AIFIELDTODBF(const QString& path, const std::optional<DbfField>& field, const QString& at,
                          QString* message)
{
    auto refuse = [message](const QString& why) {
        if (message)
            *message = why;
        return ColumnChange::Refused;
    };
    DbfTable old;
    if (!readDbfFile(path, &old, message))
        return ColumnChange::Failed;
    const QList<DbfField> fields = old.fields();
    QStringList names;
    for (const DbfField& f : fields)
        names << f.name;
    const int p = at.isEmpty() ? 0 : int(names.indexOf(at)) + 1;
    if (!at.isEmpty() && p == 0)
        return refuse((field ? QStringLiteral("Önüne girilecek ") : QString()) + at + kColumnGone);
    if (field) {
        if (presentIn(names, field->name))
            return refuse(field->name + QStringLiteral(" Besin maddesi RM dosyasında mevcut."));
        const QString room = noRoomForColumn(fields);
        if (!room.isEmpty())
            return refuse(room);
    } else if (p == 0 || fields.size() <= 1) {
        return ColumnChange::Failed;
    }
    // Only the column asked for changes: the others keep their descriptors
    // as another program may have written them (a name in lower case among
    // them) and their cells.
    const std::optional<DbfTable> fresh = old.withColumnChanged(p == 0 ? int(fields.size()) : p - 1, field);
    if (!fresh) {
        if (message)
            *message = path + QStringLiteral(": dosya başlığı yeni alanı tutamıyor");
        return ColumnChange::Failed;
    }
    return writeDbfFile(path, *fresh, message) ? ColumnChange::Written : ColumnChange::Failed;
}

bool BM_MAN_WIN(UserPort& port, const QString& path, const QString& tableName)
{
    DbfTable table;
    if (!readDbfFile(path, &table)) {
        ERRMESS(port, kReferenceOpenError);
        return false;
    }
    QStringList fields;
    for (const DbfField& f : table.fields())
        fields << f.name;
    const QList<DbfField> tableFields = table.fields();
    const QStringList standard = STDFLDARR(tableName);

    QString caption = QStringLiteral("Besin Maddesi Ekle-Sil");
    if (tableName == kAsFedTable)
        caption = QStringLiteral("Havada Kuru RM: Besin maddesi ekle-sil");
    else if (tableName == kDryMatterTable)
        caption = QStringLiteral("Kuru Madde Esaslı RM: Besin maddesi ekle-sil");

    const NutrientColumnAnswer a = port.askNutrientColumn(
        caption, fields, [&](const NutrientColumnAnswer& x) { return checkNutrientColumn(x, tableFields, standard); });
    if (a.operation < 1 || a.operation > 3 || !checkNutrientColumn(a, tableFields, standard).isEmpty())
        return false;

    std::optional<DbfField> field;
    // The chosen field by its name: the change finds it in the table as read
    // when it writes, wherever it stands then.
    const QString at = a.operation == 1 ? QString() : fields.at(a.position - 1);
    if (a.operation == 3) {
        const QString text = tableName + QStringLiteral(" Referans matris dosyasındaki \n") + at +
                             QStringLiteral(" besin maddesi silinecek.\n\nSilinmesini gerçekten istiyor musunuz?");
        if (ASK(port, QStringLiteral("Önemli Uyarı..."), text, BOX_YESNO_QUESTION) != REPLY_YES)
            return false;
    } else {
        field = DbfField{newColumnName(a.name), 'C', kCellWidth, 0};
    }
    QString message;
    switch (AIFIELDTODBF(path, field, at, &message)) {
    case ColumnChange::Written:
        return true;
    case ColumnChange::Refused:
        port.messageBox(QStringLiteral("Bilgi..."), message, BOX_INFO);
        return false;
    case ColumnChange::Failed:
        break;
    }
    ERRMESS(port, QStringLiteral("Referans matris dosyası değiştirilemedi!\n") + message);
    return false;
}

}  // namespace zeva
