#include "tools/exampleproblem.h"

#include "core/activeproblem.h"
#include "core/filecommands.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "platform/runtime.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace zeva {

namespace {

bool readLines(const QString& path, QStringList* lines, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": okunamadı");
        return false;
    }
    const QString text = QString::fromUtf8(f.readAll());
    *lines = text.split(QLatin1Char('\n'));
    for (QString& l : *lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return true;
}

QStringList cells(const QString& line, int count)
{
    QStringList c = line.split(QLatin1Char(','));
    while (c.size() < count)
        c << QString();
    return c;
}

QString number(const QString& text, int width, int decimals)
{
    return AllTrim(text).isEmpty() ? QString(width, QLatin1Char(' ')) : Str(Val(text), width, decimals);
}

}  // namespace

bool buildReferenceTable(const QString& csvPath, const QList<DbfField>& fields,
                         const QString& outPath, QString* error)
{
    QStringList lines;
    if (!readLines(csvPath, &lines, error))
        return false;
    lines.removeAll(QString());
    if (lines.size() < 2) {
        *error = csvPath + QStringLiteral(": alan adları ve birim satırı yok");
        return false;
    }
    QStringList names;
    for (const DbfField& f : fields)
        names << f.name;
    if (lines.first().split(QLatin1Char(',')) != names) {
        *error = csvPath + QStringLiteral(": alan adları standart yapıyla uyuşmuyor");
        return false;
    }
    DbfTable table(fields);
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList c = cells(lines[i], static_cast<int>(fields.size()));
        if (c.size() != fields.size()) {
            *error = csvPath + QStringLiteral(": satır %1 alan sayısı yanlış").arg(i + 1);
            return false;
        }
        const int rec = table.appendRecord();
        const bool unitRow = i == 1;
        table.setValue(rec, 0, AllTrim(c[0]));
        for (int f = 1; f < fields.size(); ++f)
            table.setValue(rec, f, unitRow ? AllTrim(c[f]) : number(c[f], 11, f == 1 ? 3 : 4));
    }
    return writeDbfFile(outPath, table, error);
}

bool loadExampleProblem(const QString& sourcePath, QString* error)
{
    QStringList lines;
    if (!readLines(sourcePath, &lines, error))
        return false;
    QHash<QString, QStringList> sections;
    QString current;
    for (const QString& l : lines) {
        if (AllTrim(l).isEmpty())
            continue;
        if (l.startsWith(QLatin1Char('['))) {
            current = l.mid(1, l.indexOf(QLatin1Char(']')) - 1);
            sections[current];
            continue;
        }
        sections[current] << l;
    }
    QHash<QString, QString> header;
    for (const QString& l : sections.value(QStringLiteral("PROBLEM"))) {
        const int eq = l.indexOf(QLatin1Char('='));
        header[AllTrim(l.left(eq))] = AllTrim(l.mid(eq + 1));
    }
    const QString type = header.value(QStringLiteral("TIP"));
    if (type != QLatin1String("K") && type != QLatin1String("G")) {
        *error = sourcePath + QStringLiteral(": problem tipi K ya da G olmalı");
        return false;
    }
    const bool compound = type == QLatin1String("K");

    ActiveProblem& p = G();
    p.AYMTABLE.clear();
    p.ABMTABLE.clear();
    p.ABMOTABLE.clear();
    p.AMATRIX.clear();
    p.APARAMS = {type, AllTrim(SDAYA(header.value(QStringLiteral("MIKTAR")), compound ? 2 : 3)),
                 header.value(QStringLiteral("PARABIRIMI")), header.value(QStringLiteral("AGIRLIKBIRIMI"))};

    // Each table section starts with a line of column names.
    const QStringList feeds = sections.value(QStringLiteral("YEMLER")).mid(1);
    for (const QString& l : feeds) {
        const QStringList c = cells(l, 5);
        const int limitDecimals = compound ? 5 : 3;
        p.AYMTABLE << Row{PadR(AllTrim(c[0]), kYmNameWidth), SDAYA(c[1], 3), SDAYA(c[2], limitDecimals),
                          SDAYA(c[3], limitDecimals), SDAYA(c[4], limitDecimals)};
    }
    for (const QString& l : sections.value(QStringLiteral("BESINLER")).mid(1)) {
        const QStringList c = cells(l, 5);
        p.ABMTABLE << Row{PadR(AllTrim(c[0]), kBmNameWidth), PadL(AllTrim(c[1]), kCellWidth),
                          SDAYA(c[2], 4), SDAYA(c[3], 4), SDAYA(c[4], 4)};
    }
    for (const QString& l : sections.value(QStringLiteral("ORANLAR")).mid(1)) {
        const QStringList c = cells(l, 5);
        p.ABMOTABLE << Row{PadR(AllTrim(c[0]), kBmNameWidth), PadR(AllTrim(c[1]), kBmNameWidth),
                           SDAYA(c[2], 4), SDAYA(c[3], 4), SDAYA(c[4], 4)};
    }
    p.rebuildFeedNames();
    p.rebuildNutrientNames();

    const QStringList matrix = sections.value(QStringLiteral("MATRIS"));
    if (matrix.isEmpty() || matrix.size() - 1 != p.ABMTABLE.size()) {
        *error = sourcePath + QStringLiteral(": matriste her besin maddesi için bir satır olmalı");
        return false;
    }
    if (cells(matrix.first(), 0).mid(1) != p.AYMNAMES) {
        *error = sourcePath + QStringLiteral(": matris sütunları yem maddeleriyle uyuşmuyor");
        return false;
    }
    for (int r = 1; r < matrix.size(); ++r) {
        const QStringList c = cells(matrix[r], static_cast<int>(p.AYMNAMES.size()) + 1);
        if (AllTrim(c[0]) != p.ABMNAMES.value(r - 1)) {
            *error = sourcePath + QStringLiteral(": matris satırı %1 besin maddesiyle uyuşmuyor").arg(c[0]);
            return false;
        }
        Row row;
        for (int f = 1; f <= p.AYMNAMES.size(); ++f)
            row << SDAYA(c.value(f), 4);
        p.AMATRIX << row;
    }
    return true;
}

bool writeExampleProblem(const QString& path, UserPort& port, QString* error)
{
    // Keep what was loaded: opening the new, empty file resets the problem.
    const ActiveProblem loaded = G();
    const int type = loaded.APARAMS.value(PRM_TYPE) == QLatin1String("K") ? 1 : 2;
    if (!writeDbfFile(path, newProblemTable(type), error))
        return false;
    FileCommands files(port);
    if (!files.DOOPENFILE(path)) {
        *error = path + QStringLiteral(": açılamadı");
        return false;
    }
    ActiveProblem& p = G();
    const auto server = p.OPROBSERVER;
    p = loaded;
    p.OPROBSERVER = server;
    p.LPARAMCHANGED = p.LYMCHANGED = p.LBMCHANGED = p.LBMOCHANGED = p.LMATCHANGED = true;
    const bool saved = files.KAYDET();
    files.FILECLOSE();
    if (!saved)
        *error = path + QStringLiteral(": kaydedilemedi");
    return saved;
}

}  // namespace zeva
