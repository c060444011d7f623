#include "refmatrix/drymatter.h"

#include "core/activeproblem.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/refmatrixedit.h"
#include "refmatrix/reftables.h"

namespace zeva {

namespace {

const QString kKmo = QStringLiteral("KMO");
const QString kPercent = QStringLiteral("%");
const QString kKcal = QStringLiteral("KCal/Kg");

bool sameUnit(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool unitBegins(const QString& unit, const QString& prefix)
{
    return unit.startsWith(prefix, Qt::CaseInsensitive);
}

// The weight row of a compound feed: never paired, never asked about.
bool isWeightName(const QString& name)
{
    const QString n = AllTrim(name);
    for (const char* w : {"AGIRLIK", "agirlik", "ağırlık", "AĞIRLIK"})
        if (ExactEqual(n, QString::fromUtf8(w)))
            return true;
    return false;
}

ConvResult numeric(double x)
{
    const QString text = computedCell(x);
    if (text.isEmpty())
        return {ConvOutcome::TooWide, QString()};
    return {ConvOutcome::Converted, text};
}

// The problem's unit of a formula nutrient; false when the problem has no
// nutrient of exactly that name.
bool problemUnit(const QString& name, QString* unit)
{
    const ActiveProblem& p = G();
    for (int i = 0; i < p.ABMNAMES.size(); ++i)
        if (ExactEqual(p.ABMNAMES.at(i), name)) {
            *unit = i < p.ABMUNITS.size() ? p.ABMUNITS.at(i) : QString();
            return true;
        }
    return false;
}

}  // namespace

ConvRows GET_DON_DIZ(UserPort& port)
{
    const QString path = findExistingPath(referenceTablePath(kDryMatterTable));
    DbfTable table;
    if (path.isEmpty() || !readDbfFile(path, &table)) {
        ERRMESS(port, kTableOpenText);
        return {};
    }
    QStringList names;
    for (const DbfField& f : table.fields())
        names << f.name;
    const QStringList aFields = nutrientFieldsOf(names);
    const QList<int> live = table.liveRecords();
    const int unitRecord = live.isEmpty() ? -1 : live.first();
    auto unitOf = [&](const QString& field) {
        return unitRecord < 0 ? PadR(QString(), kCellWidth) : table.value(unitRecord, field);
    };

    ConvRows rows;
    for (const KmmPair& pair : G().AKMMDATA) {
        const QString& cName = pair.first;
        QString field;
        for (const QString& f : aFields)
            if (f.compare(AllTrim(cName), Qt::CaseInsensitive) == 0)
                field = f;
        if (field.isEmpty()) {
            if (isWeightName(cName))
                continue;
            const MatchAnswer answer = port.askMatch(cName, aFields);
            if (answer.result == 0)
                return {};
            if (answer.result != 1 || answer.selected < 1 || answer.selected > aFields.size())
                continue;
            field = aFields.at(answer.selected - 1);
        }
        QString unit;
        if (!problemUnit(cName, &unit))
            continue;
        rows << ConvRow{cName, unit, pair.second, field, unitOf(field), blankCell()};
    }
    return rows;
}

ConvResult NEWFLD_VAL(const QString& cKmo, const QString& cName2, const QString& cUnitFrom, const QString& cValue,
                      const QString& cUnitTo)
{
    const double v = Val(cValue);
    const double d = Val(cKmo) / 100.0;
    if (d == 0.0)
        return {ConvOutcome::ZeroRatio, QString()};
    const double w = v / d;

    if (ExactEqual(cUnitFrom, kPercent)) {
        if (ExactEqual(cName2, kKmo))
            return {ConvOutcome::Converted, cValue};
        if (unitBegins(cUnitTo, QStringLiteral("ng/Kg")))
            return numeric(w / 100.0 * 1000.0 * 1000000000.0);
        if (unitBegins(cUnitTo, QStringLiteral("mg/Kg")))
            return numeric(w / 100.0 * 1000000.0);
        if (unitBegins(cUnitTo, QStringLiteral("g/Kg")))
            return numeric(w / 100.0 * 1000.0);
        if (unitBegins(cUnitTo, QStringLiteral("Kg/Kg")))
            return numeric((v / 100.0) / d);
    } else if (sameUnit(cUnitFrom, kKcal)) {
        if (sameUnit(cUnitTo, QStringLiteral("MCal/Kg")))
            return numeric(w / 1000.0);
        if (sameUnit(cUnitTo, QStringLiteral("MJ/Kg")))
            return numeric(w / 239.0);
    }
    // The same unit on both sides: only the dry-matter basis changes.
    if (sameUnit(cUnitFrom, cUnitTo))
        return numeric(w);
    return {ConvOutcome::UnknownPair, QString()};
}

bool PBHESAP(UserPort& port, ConvRows& rows)
{
    QString cKmo;
    for (const ConvRow& r : rows)
        if (ExactEqual(AllTrim(r.SLE_NAME2), kKmo)) {
            cKmo = AllTrim(r.SLE_VALUE1);
            break;
        }
    if (cKmo.isEmpty()) {
        ERRMESS(port, kNoKmoText);
        return false;
    }
    if (Val(cKmo) == 0.0) {
        ERRMESS(port, kZeroKmoText);
        return false;
    }

    QStringList skipped;
    for (ConvRow& r : rows) {
        const QString name1 = AllTrim(r.SLE_NAME1);
        const QString unit1 = AllTrim(r.SLE_UNIT1);
        const QString value1 = AllTrim(r.SLE_VALUE1);
        const QString name2 = AllTrim(r.SLE_NAME2);
        const QString unit2 = AllTrim(r.SLE_UNIT2);
        if (name1.isEmpty() || unit1.isEmpty() || value1.isEmpty() || name2.isEmpty() || unit2.isEmpty())
            continue;
        const ConvResult c = NEWFLD_VAL(cKmo, name2, unit1, value1, unit2);
        r.SLE_VALUE2 = c.text;
        if (c.outcome == ConvOutcome::UnknownPair)
            skipped << name2 + QStringLiteral(" (") + unit1 + QStringLiteral(" -> ") + unit2
                    + QStringLiteral("): birim dönüşümü tanımlı değil");
        else if (c.outcome == ConvOutcome::TooWide)
            skipped << name2 + QStringLiteral(" (") + unit1 + QStringLiteral(" -> ") + unit2
                    + QStringLiteral("): sonuç 11 karaktere sığmıyor");
    }
    if (!skipped.isEmpty())
        UYARI(port, QStringLiteral("Aşağıdaki değerler hesaplanamadı, boş bırakıldı:\n\n") + skipped.join(QLatin1Char('\n')));
    return true;
}

namespace {
ReferenceTableHeldCheck& heldCheck()
{
    static ReferenceTableHeldCheck check;
    return check;
}
}  // namespace

void setReferenceTableHeldCheck(ReferenceTableHeldCheck check)
{
    heldCheck() = std::move(check);
}

bool referenceTableHeld(const QString& tableName)
{
    return heldCheck() && heldCheck()(tableName);
}

AppendOutcome appendFormula(UserPort& port, const QString& name, const ConvRows& rows, bool calculated)
{
    if (AllTrim(name).isEmpty())
        return AppendOutcome::NoName;
    if (!calculated) {
        UYARI(port, kNotCalculatedText);
        return AppendOutcome::Refused;
    }
    if (referenceTableHeld(kDryMatterTable)) {
        UYARI(port, kReferenceWindowOpen);
        return AppendOutcome::Refused;
    }
    if (ASK(port, QStringLiteral("Mesaj"), kAppendQuestion, BOX_YESNO_EXCLAMATION) != REPLY_YES)
        return AppendOutcome::Declined;

    const QString path = findExistingPath(referenceTablePath(kDryMatterTable));
    DbfTable table;
    if (path.isEmpty() || !readDbfFile(path, &table) || !table.hasField(QStringLiteral("YM_ADI"))) {
        ERRMESS(port, kAppendOpenText);
        return AppendOutcome::OpenFailed;
    }
    QStringList names;
    for (const DbfField& f : table.fields())
        names << f.name;
    const QStringList fields = nutrientFieldsOf(names);
    QStringList unknown;
    for (const ConvRow& r : rows) {
        const QString field = AllTrim(r.SLE_NAME2);
        bool known = false;
        for (const QString& f : fields)
            known = known || f.compare(field, Qt::CaseInsensitive) == 0;
        if (!known && !unknown.contains(field))
            unknown << (field.isEmpty() ? QStringLiteral("(boş)") : field);
    }
    if (!unknown.isEmpty()) {
        UYARI(port, QStringLiteral("MATKUMAD.DBF dosyasında bu adlarla besin maddesi alanı yok:\r\r")
                        + unknown.join(QStringLiteral(", ")) + QStringLiteral("\r\rYem eklenmedi."));
        return AppendOutcome::Refused;
    }

    const int rec = table.appendRecord();
    table.setValue(rec, QStringLiteral("YM_ADI"), name);
    for (const ConvRow& r : rows)
        table.setValue(rec, AllTrim(r.SLE_NAME2), r.SLE_VALUE2);
    QString error;
    if (!writeDbfFile(path, table, &error)) {
        ERRMESS(port, QStringLiteral("MATKUMAD.DBF dosyasına yazılamadı; yem eklenmedi!\r\r") + error);
        return AppendOutcome::WriteFailed;
    }
    port.messageBox(QStringLiteral("Mesaj"), kAppendDoneText, BOX_INFO);
    return AppendOutcome::Appended;
}

}  // namespace zeva
