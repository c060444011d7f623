#include "fuzz/checks.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "platform/codec.h"
#include "platform/dbf.h"
#include "platform/rtf.h"
#include "platform/runtime.h"
#include "platform/ui/richtext.h"
#include "utility/arrayserver.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cmath>
#include <cstring>

namespace zeva::fuzz {

namespace {

// A fixed update date, so a table written twice gives the same bytes.
const QDate kWritten(2024, 1, 2);

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Numeric text of `decimals` decimals: 11 characters, blanks, then digits with
// at most one point followed by 1 to `decimals` digits; or 11 blanks.
QString brokenNumericText(const QString& s, int decimals)
{
    if (s.size() != kNumWidth)
        return QStringLiteral("not 11 characters");
    const QString t = LTrim(s);
    if (t.isEmpty())
        return QString();
    for (QChar c : t)
        if (c != QLatin1Char('.') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return QStringLiteral("a character other than digits and point");
    const int point = t.indexOf(QLatin1Char('.'));
    if (point < 0)
        return QString();
    if (decimals == 0)
        return QStringLiteral("a point with no decimals asked");
    if (point == 0 || t.indexOf(QLatin1Char('.'), point + 1) >= 0)
        return QStringLiteral("a point without integer digit, or two points");
    const int digits = static_cast<int>(t.size()) - point - 1;
    if (digits < 1 || digits > decimals)
        return QStringLiteral("%1 decimals").arg(digits);
    return QString();
}

QString checkStr(double value, int width, int decimals)
{
    const QString s = Str(value, width, decimals);
    auto what = [&] {
        return QStringLiteral("Str(%1, %2, %3) = %4")
            .arg(QString::number(value, 'g', 17))
            .arg(width)
            .arg(decimals)
            .arg(quoted(s));
    };
    if (width > 0 && s.size() != width)
        return what() + QStringLiteral(": not its width");
    if (s.size() > 0 && s.count(QLatin1Char('*')) == s.size())
        return QString();
    for (QChar c : s)
        if (!QStringLiteral(" -.0123456789").contains(c))
            return what() + QStringLiteral(": not a number");
    // Read back: the value rounded at `decimals`, as near as a double allows.
    const double back = Val(s);
    const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 1e-15 + 1e-300;
    if (!(std::fabs(back - value) <= tolerance))
        return what() + QStringLiteral(": reads back as ") + QString::number(back, 'g', 17);
    return QString();
}

// Str as above, and MROUND at 0 to 5 decimals: the value moved by at most
// half a unit of the last decimal (and the hair MROUND allows).
QString checkNumber(double value, int width, int decimals)
{
    const QString broken = checkStr(value, width, decimals);
    if (!broken.isEmpty() || !std::isfinite(value))
        return broken;
    for (int d = 0; d <= 5; ++d) {
        const double rounded = MROUND(value, d);
        // MROUND takes what lies within 1e-10 below the half as the half.
        const double unit = std::pow(10.0, -d);
        if (!(std::fabs(rounded - value) <= (0.5 + 1e-10) * unit + std::fabs(value) * 1e-15))
            return QStringLiteral("MROUND(%1, %2) = %3")
                .arg(QString::number(value, 'g', 17)).arg(d).arg(QString::number(rounded, 'g', 17));
    }
    return QString();
}

// The parts of the active problem that the file gives.
struct ProblemImage {
    Table feeds, nutrients, ratios, matrix;
    QStringList params;
    bool operator==(const ProblemImage&) const = default;
};

ProblemImage image()
{
    const ActiveProblem& p = G();
    return {p.AYMTABLE, p.ABMTABLE, p.ABMOTABLE, p.AMATRIX, p.APARAMS};
}

QString brokenProblemShape()
{
    const ActiveProblem& p = G();
    for (const Table* t : {&p.AYMTABLE, &p.ABMTABLE, &p.ABMOTABLE})
        for (const Row& row : *t)
            if (row.size() != 5)
                return QStringLiteral("a table row of %1 cells").arg(row.size());
    if (p.AYMNAMES.size() != p.AYMTABLE.size())
        return QStringLiteral("feed names beside the feed table");
    if (p.ABMNAMES.size() != p.ABMTABLE.size() || p.ABMUNITS.size() != p.ABMTABLE.size())
        return QStringLiteral("nutrient names or units beside the nutrient table");
    const qsizetype feeds = p.AYMTABLE.size();
    const qsizetype nutrients = p.ABMTABLE.size();
    if (p.AMATRIX.size() != nutrients)
        return QStringLiteral("%1 matrix rows for %2 nutrients").arg(p.AMATRIX.size()).arg(nutrients);
    for (const Row& row : p.AMATRIX)
        if (row.size() != feeds)
            return QStringLiteral("a matrix row of %1 cells for %2 feeds").arg(row.size()).arg(feeds);
    if ((feeds > 0 || nutrients > 0) && p.APARAMS.size() != 4)
        return QStringLiteral("a header of %1 values").arg(p.APARAMS.size());
    return QString();
}

// A problem whose file says what it means: a table the open step accepts, a
// header of type K or G and matrix cells that fit their place.
bool wellFormed(const DbfTable& table)
{
    if (!isProblemTable(table))
        return false;
    const ActiveProblem& p = G();
    if (p.AYMTABLE.isEmpty() || p.ABMTABLE.isEmpty())
        return false;
    const QString type = p.APARAMS.value(PRM_TYPE);
    if (type != QLatin1String("K") && type != QLatin1String("G"))
        return false;
    for (const Row& row : p.AMATRIX)
        for (const QString& cell : row)
            if (cell.size() > kCellWidth)
                return false;
    return true;
}

}  // namespace

QString checkDbf(const QByteArray& bytes)
{
    DbfTable table;
    QString error;
    if (!DbfTable::fromBytes(bytes, &table, &error))
        return error.isEmpty() ? QStringLiteral("refused without a message") : QString();
    if (table.fieldCount() == 0)
        return QStringLiteral("a table without fields");
    for (int r = 0; r < table.recordCount(); ++r)
        for (int f = 0; f < table.fieldCount(); ++f)
            if (table.value(r, f).size() != table.fields().at(f).length)
                return QStringLiteral("record %1 field %2: cell of %3 characters in a field of %4")
                    .arg(r).arg(f).arg(table.value(r, f).size()).arg(table.fields().at(f).length);

    // The table is the records the header counts, whatever follows them.
    qint64 counted = 0;
    for (int k = 3; k >= 0; --k)
        counted = counted << 8 | static_cast<unsigned char>(bytes.at(4 + k));
    if (table.recordCount() != counted)
        return QStringLiteral("%1 records read where the header counts %2").arg(table.recordCount()).arg(counted);
    table.setLastUpdate(kWritten);
    const QByteArray written = table.toBytes();
    DbfTable extended;
    if (!DbfTable::fromBytes(bytes + QByteArray("\x1A\x1A stray \0\r\n", 12), &extended, &error))
        return QStringLiteral("refused once stray bytes follow: ") + error;
    extended.setLastUpdate(kWritten);
    if (extended.toBytes() != written)
        return QStringLiteral("stray bytes after the table change what is read");
    DbfTable back;
    if (!DbfTable::fromBytes(written, &back, &error))
        return QStringLiteral("the table written back is refused: ") + error;
    if (back.fieldCount() != table.fieldCount() || back.recordCount() != table.recordCount())
        return QStringLiteral("the table written back has other fields or records");
    for (int f = 0; f < table.fieldCount(); ++f) {
        const DbfField& a = table.fields().at(f);
        const DbfField& b = back.fields().at(f);
        if (a.type != b.type || a.length != b.length || a.decimals != b.decimals)
            return QStringLiteral("field %1 written back as another field").arg(f);
    }
    for (int r = 0; r < table.recordCount(); ++r) {
        if (back.isDeleted(r) != table.isDeleted(r))
            return QStringLiteral("record %1 changed its deleted flag").arg(r);
        for (int f = 0; f < table.fieldCount(); ++f)
            if (back.value(r, f) != table.value(r, f))
                return QStringLiteral("record %1 field %2 written back as %3, was %4")
                    .arg(r).arg(f).arg(quoted(back.value(r, f)), quoted(table.value(r, f)));
    }
    if (back.toBytes() != written)
        return QStringLiteral("the table read back writes other bytes");
    return QString();
}

QString checkProblemFile(const QByteArray& bytes)
{
    DbfTable table;
    if (!DbfTable::fromBytes(bytes, &table))
        return QString();
    ActiveProblem& p = G();
    p.reset();
    AKTPRODIZOLUSTUR(table);
    QString broken = brokenProblemShape();
    if (!broken.isEmpty())
        return QStringLiteral("read: ") + broken;
    const bool keep = wellFormed(table);
    const ProblemImage first = image();

    // The save step's writers, every group, onto the table as read.
    YMKAYDI(table);
    BMKAYDI(table);
    MATRIXKAYDI(table);
    BMOKAYDI(table);
    table.setLastUpdate(kWritten);
    DbfTable back;
    QString error;
    if (!DbfTable::fromBytes(table.toBytes(), &back, &error))
        return QStringLiteral("the saved table is refused: ") + error;
    p.reset();
    AKTPRODIZOLUSTUR(back);
    broken = brokenProblemShape();
    if (!broken.isEmpty())
        return QStringLiteral("read after save: ") + broken;
    if (keep && !(image() == first))
        return QStringLiteral("a well-formed problem read after save is another problem");
    p.reset();
    return QString();
}

QString checkNumeric(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    const auto head = static_cast<unsigned char>(bytes.at(0));
    const QByteArray rest = bytes.mid(1);
    const QString text = (head & 0x80) ? QString::fromUtf8(rest) : cp1254::decode(rest);

    for (int decimals = 0; decimals <= 5; ++decimals) {
        const QString s = SDAYA(text, decimals);
        auto what = [&] { return QStringLiteral("SDAYA(%1, %2) = %3").arg(quoted(text)).arg(decimals).arg(quoted(s)); };
        const QString broken = brokenNumericText(s, decimals);
        if (!broken.isEmpty())
            return what() + QStringLiteral(": ") + broken;
        if (SDAYA(s, decimals) != s)
            return what() + QStringLiteral(": not idempotent, again ") + quoted(SDAYA(s, decimals));
    }

    const double value = Val(text);
    if (std::isnan(value))
        return QStringLiteral("Val(%1) is not a number").arg(quoted(text));

    const int width = head & 0x3F;
    const int decimals = (head >> 6 & 1) ? (width % 7) : (width % 23);
    QString r = checkNumber(value, width, decimals);
    if (!r.isEmpty())
        return r;
    // The raw bytes as a double: infinities, NaN, huge and tiny values.
    if (rest.size() >= 8) {
        double raw;
        std::memcpy(&raw, rest.constData(), sizeof raw);
        r = checkNumber(raw, width, decimals);
        if (!r.isEmpty())
            return r;
    }
    return QString();
}

QString checkArrayImport(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    const auto mode = static_cast<unsigned char>(bytes.at(0));
    const bool delimited = (mode & 1) != 0;
    static const char delimiters[] = {',', ';', '|', '\t', ' ', '"', 'a', '\n'};
    const QChar delimiter = QLatin1Char(delimiters[(mode >> 1) & 7]);
    const QByteArray text = bytes.mid(1);

    const DbStructure columns = {{"C", "C", 5, 0}, {"N", "N", 6, 2}, {"D", "D", 8, 0}, {"L", "L", 1, 0},
                                 {"M", "M", 10, 0}};
    auto data = std::make_shared<ArrayData>();
    data->append(makeArrayRow({QStringLiteral("ab"), 1.0, QDate(2020, 1, 2), true, QStringLiteral("m")}));
    data->append(makeArrayRow({QStringLiteral("cd"), 2.0, QDate(), false, QString()}));
    ARRAYSERVER server(columns, data);
    server.GOTO(2);
    server.FIELDPUT(1, QStringLiteral("ed"));
    int notices = 0;
    server.RegisterClient([&](int, const QVariant&) -> QVariant {
        ++notices;
        return QVariant();
    });

    if (delimited)
        server.appendDelimitedBytes(text, delimiter);
    else
        server.appendSdfBytes(text);

    if (server.suspensionCount() != 0)
        return QStringLiteral("notices left suspended");
    if (server.LASTREC() != data->size())
        return QStringLiteral("row count %1, data %2").arg(server.LASTREC()).arg(data->size());
    if (server.LASTREC() > 2) {
        if (server.RECNO() != server.LASTREC() || server.Eof() || server.Bof())
            return QStringLiteral("cursor not on the last row added");
        if (server.rowBuffer() != data->last())
            return QStringLiteral("buffer is not the last row itself");
    } else if (server.RECNO() != 2 || server.Eof()) {
        return QStringLiteral("cursor moved by an import that added nothing");
    }
    for (qsizetype r = 2; r < data->size(); ++r) {
        const QVariantList& row = *data->at(r);
        if (row.size() != columns.size())
            return QStringLiteral("row %1 has %2 cells").arg(r + 1).arg(row.size());
        if (row.at(0).typeId() != QMetaType::QString || row.at(0).toString().size() != 5)
            return QStringLiteral("row %1: character cell not 5 characters").arg(r + 1);
        if (row.at(1).typeId() != QMetaType::Double || !std::isfinite(row.at(1).toDouble()))
            return QStringLiteral("row %1: numeric cell not a finite number").arg(r + 1);
        if (row.at(2).typeId() != QMetaType::QDate || row.at(3).typeId() != QMetaType::Bool
            || row.at(4).typeId() != QMetaType::QString)
            return QStringLiteral("row %1: a cell of the wrong type").arg(r + 1);
        if (server.deletedAt(r + 1))
            return QStringLiteral("row %1 marked deleted").arg(r + 1);
    }

    // The edit is in the data once the buffer is committed (an import that
    // added rows wrote it back first).
    server.COMMIT();
    if (data->at(1)->value(0).toString() != QLatin1String("ed"))
        return QStringLiteral("the pending edit was lost");

    // Exported again and read back: as many rows.
    QByteArray out;
    const bool exported = delimited ? server.delimitedBytes(&out, QLatin1Char(',')) : server.sdfBytes(&out);
    if (exported) {
        ARRAYSERVER back(columns, nullptr);
        const bool read = delimited ? back.appendDelimitedBytes(out, QLatin1Char(',')) : back.appendSdfBytes(out);
        if (!read)
            return QStringLiteral("its own export does not read back");
        if (back.LASTREC() != server.LASTREC())
            return QStringLiteral("export of %1 rows reads back as %2").arg(server.LASTREC()).arg(back.LASTREC());
    }
    return QString();
}

QString checkRtf(const QByteArray& bytes)
{
    rtf::Document first;
    rtf::ReadInfo info;
    if (!rtf::read(bytes, &first, &info))
        return info.error.isEmpty() ? QStringLiteral("refused without a reason") : QString();
    if (first.paragraphs.isEmpty())
        return QStringLiteral("a document without paragraphs");
    const QByteArray written = rtf::write(first);
    rtf::Document second;
    if (!rtf::read(written, &second, &info))
        return QStringLiteral("what was written does not read: ") + info.error;
    if (!(second == first))
        return QStringLiteral("written and read again, the document changed");
    if (!info.skipped.isEmpty())
        return QStringLiteral("what was written has skipped parts: ") + info.skipped.join(QLatin1Char(' '));
    if (rtf::write(second) != written)
        return QStringLiteral("written twice, the bytes differ");

    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QTextDocument doc;
        setRichText(doc, first);
        if (!(richTextOf(doc) == first))
            return QStringLiteral("through a text document, the document changed");
    }
    return QString();
}

}  // namespace zeva::fuzz
