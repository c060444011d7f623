#pragma once
// Helpers of the problem-file and file-command tests: a filled active problem,
// raw file access, an independent reader run through Debian's Python.

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "support/qstringprint.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

#include <ostream>

namespace zeva::test {

inline QString feedName(int i) { return QStringLiteral("Yem maddesi %1").arg(i); }
inline QString nutrientName(int i) { return QStringLiteral("BM%1").arg(i); }

// Fills the active problem: `feeds` feeds, `nutrients` nutrients, `ratios`
// ratios, a full matrix and the default header of `type`; every flag raised.
inline void fillProblem(int feeds, int nutrients, int ratios, const QString& type = QStringLiteral("K"))
{
    ActiveProblem& p = G();
    p.AYMTABLE.clear();
    p.ABMTABLE.clear();
    p.ABMOTABLE.clear();
    p.AMATRIX.clear();
    for (int i = 1; i <= feeds; ++i)
        p.AYMTABLE << Row{PadR(feedName(i), kYmNameWidth), SDAYA(QString::number(i * 1.5), 3), blankCell(),
                          SDAYA(QString::number(i), 5), blankCell()};
    for (int i = 1; i <= nutrients; ++i)
        p.ABMTABLE << Row{PadR(nutrientName(i), kBmNameWidth), PadL(QStringLiteral("%"), kCellWidth),
                          blankCell(), SDAYA(QString::number(i * 2), 4), blankCell()};
    for (int i = 1; i <= ratios; ++i)
        p.ABMOTABLE << Row{PadR(nutrientName(1), kBmNameWidth), PadR(nutrientName(2), kBmNameWidth),
                           blankCell(), SDAYA(QStringLiteral("0.5"), 4), blankCell()};
    for (int r = 1; r <= nutrients; ++r) {
        Row row;
        for (int c = 1; c <= feeds; ++c)
            row << SDAYA(QString::number(r * 10 + c), 4);
        p.AMATRIX << row;
    }
    p.APARAMS = type == QLatin1String("K")
        ? QStringList{QStringLiteral("K"), QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")}
        : QStringList{QStringLiteral("G"), QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg")};
    p.rebuildFeedNames();
    p.rebuildNutrientNames();
    p.LYMCHANGED = p.LBMCHANGED = p.LBMOCHANGED = p.LMATCHANGED = p.LPARAMCHANGED = true;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline DbfTable readTable(const QString& path)
{
    DbfTable t;
    readDbfFile(path, &t);
    return t;
}

inline int byteAt(const QByteArray& b, int at) { return static_cast<unsigned char>(b.at(at)); }

// Runs a Python script with Debian's interpreter (where python3-dbfread and
// python3-dbf live) and parses what it prints as JSON. Sets `error` on failure.
inline QJsonDocument runPython(const QString& script, const QStringList& args, QString* error)
{
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + args);
    if (!py.waitForFinished(60000) || py.exitCode() != 0) {
        *error = QString::fromUtf8(py.readAllStandardError());
        return {};
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(py.readAllStandardOutput(), &parse);
    if (parse.error != QJsonParseError::NoError)
        *error = parse.errorString();
    return doc;
}

}  // namespace zeva::test
