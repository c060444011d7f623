#include "reports/textreports.h"

#include "core/helpers.h"
#include "core/messages.h"
#include "core/problemfile.h"
#include "platform/atomicfile.h"
#include "platform/notepad.h"
#include "platform/runtime.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/reftables.h"
#include "shell/settings.h"
#include "utility/tktask.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>

namespace zeva {

using report::b;
using report::L;
using report::R;
using report::ReportText;

namespace {

const QString kNameField = QStringLiteral("YM_ADI");
const QString kPriceField = QStringLiteral("FIATI");
constexpr int kCell = 11;
// Rows on a page: a header leaves the line counter at 6 and a new page starts
// once it passes 58.
constexpr int kFirstRowLine = 6;
constexpr int kLastRowLine = 58;
constexpr int kNewBlock = 99;

QString pageLine(int indent, int block, int page)
{
    return b(indent) + QStringLiteral("Sayfa ") + R(QString::number(block), 2) + QLatin1Char('.')
           + QString::number(page);
}

// A report file that may not be replaced: it exists and nobody has the right
// to write it (a read-only file, whoever runs the program).
bool readOnlyFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (QFile::permissions(path) & anyWrite) == 0;
}

// The frame's last step: the text replaces the file, which becomes the
// current report; the please-wait box closes either way.
void writeReport(UserPort& port, const QString& path, const ReportText& text)
{
    const bool written = !path.isEmpty() && !readOnlyFile(path) && writeFileAtomically(path, text.bytes());
    if (written) {
        G().CREPORTFILE = path;
        port.waitClose();
        return;
    }
    port.waitClose();
    ERRMESS(port, kReportWriteFailed);
}

QString reportPath(const QString& fileName)
{
    return pathForWriting(QDir(reportDataFolder()).filePath(fileName));
}

// The path of a reference table on disk; empty when it is not there.
QString existingTable(const QString& tableName)
{
    const QString path = findExistingPath(referenceTablePath(tableName));
    return QFileInfo(path).isFile() ? path : QString();
}

void missingTableBox(UserPort& port, const QString& caption, const QString& tableName)
{
    port.messageBox(caption, tableName + QStringLiteral(" dosyası yok..!"), BOX_INFO);
}

struct ReferenceReport {
    QString table;
    QString openError;
    QString title;
    QString file;
};

void referenceReport(UserPort& port, const ReferenceReport& r)
{
    const QString path = existingTable(r.table);
    if (path.isEmpty()) {
        missingTableBox(port, QStringLiteral("Uyarı..."), r.table);
        return;
    }
    AALERT(port);
    DbfTable table;
    if (!readDbfFile(path, &table)) {
        port.waitClose();
        ERRMESS(port, r.openError);
        return;
    }
    writeReport(port, reportPath(r.file), referenceMatrixText(table, r.title));
}

// A reference table for the price list: a table that cannot be read, or
// lacks the name or the price field, is an open failure.
bool readPriceTable(const QString& path, DbfTable* table)
{
    return readDbfFile(path, table) && table->hasField(kNameField) && table->hasField(kPriceField);
}

}  // namespace

// ---- the report texts

ReportText referenceMatrixText(const DbfTable& table, const QString& title)
{
    ReportText t;
    const int fieldCount = table.fieldCount();
    const QList<int> records = table.liveRecords();
    const QString titleLine = b((report::kLineWidth - static_cast<int>(title.size())) / 2) + title;

    int lastField = 1;  // field numbers count from 1
    int block = 0;
    while (lastField < fieldCount) {
        ++block;
        std::array<int, 6> numbers{};
        if (block == 1) {
            numbers = {1, 3, 4, 5, 6, 7};
            lastField = 7;
        } else {
            for (int s = 0; s < 6; ++s)
                numbers[s] = lastField + 1 + s;
            lastField += 6;
        }
        // 0-based field positions; -1 for a slot past the last field.
        std::array<int, 6> picked{};
        for (int s = 0; s < 6; ++s)
            picked[s] = numbers[s] <= fieldCount ? numbers[s] - 1 : -1;
        auto name = [&](int s) { return picked[s] < 0 ? b(kCell) : table.fields().at(picked[s]).name; };
        auto cell = [&](int record, int s) { return picked[s] < 0 ? b(kCell) : table.value(record, picked[s]); };

        QString heading;
        for (int s = 0; s < 6; ++s)
            heading += b(1) + (block == 1 && s == 0 ? L(name(s), 15) : R(name(s), kCell));

        int lineCount = kNewBlock;
        int page = 0;
        for (int record : records) {
            if (lineCount > kLastRowLine) {
                ++page;
                if (page > 1) {
                    t.formFeed();
                    t.blank();
                }
                t.blank();
                if (block == 1) {
                    t.add(titleLine);
                    t.blank();
                }
                t.add(pageLine(65, block, page));
                t.blank();
                t.add(heading);
                lineCount = kFirstRowLine;
            }
            QString line = b(2) + cell(record, 0);
            for (int s = 1; s < 6; ++s)
                line += b(1) + cell(record, s);
            t.add(line);
            ++lineCount;
        }
        t.formFeed();
    }
    return t;
}

ReportText priceListText(const DbfTable& asFed, const DbfTable& dryMatter)
{
    ReportText t;
    t.add(b(10) + QStringLiteral("ZEVA S 2.0 YEM MADDESİ FİYATLARI"));
    t.blank();
    t.add(b(10) + QStringLiteral("YEM MADDESİ ADI") + b(4) + QStringLiteral("FİYATI"));
    t.add(b(5) + report::rule(40));
    auto list = [&t](const DbfTable& table) {
        const int name = table.fieldIndex(kNameField);
        const int price = table.fieldIndex(kPriceField);
        for (int record : table.liveRecords()) {
            const QString n = name < 0 ? QString() : table.value(record, name);
            const QString p = price < 0 ? QString() : table.value(record, price);
            t.add(b(10) + L(n, 15) + b(1) + R(p, kCell));
        }
    };
    list(asFed);
    t.blank();
    list(dryMatter);
    return t;
}

ReportText activeMatrixText(const QString& problemName, const QStringList& feeds, const QStringList& nutrients,
                            const Table& matrix)
{
    ReportText t;
    const int feedCount = static_cast<int>(feeds.size());
    const int rowCount = static_cast<int>(nutrients.size());
    int placed = 0;
    int block = 0;
    do {
        ++block;
        // The feed (0-based) of each column; -1 for the name column of block
        // 1 and for a column past the last feed.
        std::array<int, 6> columns{};
        if (block == 1) {
            columns = {-1, 0, 1, 2, 3, 4};
            placed = 5;
        } else {
            for (int c = 0; c < 6; ++c)
                columns[c] = placed + c;
            placed += 6;
        }
        for (int& c : columns)
            if (c >= feedCount)
                c = -1;

        QStringList labels;
        for (int c = 0; c < 6; ++c) {
            if (block == 1 && c == 0)
                labels << L(QStringLiteral("Besin Maddesi"), 15);
            else
                labels << (columns[c] < 0 ? b(kCell) : R(AllTrim(feeds.at(columns[c])), kCell));
        }
        const QString heading = b(2) + labels.join(QLatin1Char(' '));
        auto cell = [&](int row, int c) {
            return columns[c] < 0 ? b(kCell) : R(matrix.value(row).value(columns[c]), kCell);
        };

        int lineCount = kNewBlock;
        int page = 0;
        for (int r = 0; r < rowCount; ++r) {
            if (lineCount > kLastRowLine) {
                ++page;
                if (page > 1)
                    t.formFeed();
                t.blank();
                if (block == 1) {
                    t.blank();
                    t.add(b(2) + problemName + QStringLiteral(".ZVF MATRİSİ"));
                    t.add(pageLine(23, block, page));
                } else {
                    t.add(pageLine(65, block, page));
                }
                t.blank();
                if (page == 1)
                    t.add(heading);
                else
                    t.blank();
                lineCount = kFirstRowLine;
            }
            QString line = b(2);
            if (block == 1) {
                line += L(nutrients.at(r), 15);
                for (int c = 1; c < 6; ++c)
                    line += b(1) + cell(r, c);
            } else {
                for (int c = 0; c < 6; ++c)
                    line += b(1) + cell(r, c);
            }
            t.add(line);
            if (r == rowCount - 1)
                t.formFeed();
            ++lineCount;
        }
    } while (placed < feedCount);
    return t;
}

// ---- the files

QString reportDataFolder(const ActiveProblem& p)
{
    return pathForWriting(QDir(p.CDATAPATH).filePath(QStringLiteral("Data")));
}

QString activeMatrixReportPath(const ActiveProblem& p)
{
    if (!p.OPROBSERVER)
        return {};
    return pathForWriting(SFILEBASE(p.OPROBSERVER->path()) + QStringLiteral(".TXT"));
}

// ---- the commands

void HKMREPORT(UserPort& port)
{
    referenceReport(port, {kAsFedTable, QStringLiteral("Hk referans matris dosyası açma hatası..."),
                           kAsFedReportTitle, kAsFedReportFile});
}

void KMMREPORT(UserPort& port)
{
    referenceReport(port, {kDryMatterTable, QStringLiteral("KME referans matris dosyası açma hatası..."),
                           kDryMatterReportTitle, kDryMatterReportFile});
}

void HMFIATLIST(UserPort& port)
{
    const QString asFedPath = existingTable(kAsFedTable);
    if (asFedPath.isEmpty()) {
        missingTableBox(port, QStringLiteral("Uyarı"), kAsFedTable);
        return;
    }
    AALERT(port);
    DbfTable asFed;
    if (!readPriceTable(asFedPath, &asFed)) {
        port.waitClose();
        ERRMESS(port, QStringLiteral("HK Referans matris dosyası açma hatası..."));
        return;
    }
    const QString dryMatterPath = existingTable(kDryMatterTable);
    if (dryMatterPath.isEmpty()) {
        port.waitClose();
        missingTableBox(port, QStringLiteral("Uyarı"), kDryMatterTable);
        return;
    }
    DbfTable dryMatter;
    if (!readPriceTable(dryMatterPath, &dryMatter)) {
        port.waitClose();
        ERRMESS(port, QStringLiteral("KME Referans matris dosyası açma hatası..."));
        return;
    }
    writeReport(port, reportPath(kPriceListFile), priceListText(asFed, dryMatter));
}

void AMATREPORT(UserPort& port)
{
    ActiveProblem& p = G();
    if (!p.isOpen())
        return;
    AALERT(port);
    const QString path = activeMatrixReportPath(p);
    // What the report shows is taken at once: the tables as they stand now.
    const QStringList feeds = p.AYMNAMES;
    const QStringList nutrients = p.ABMNAMES;
    const Table matrix = p.AMATRIX;
    const QString problemName = QFileInfo(p.OPROBSERVER->path()).completeBaseName();
    writeReport(port, path, activeMatrixText(problemName, feeds, nutrients, matrix));
}

void WNOTEPAD()
{
    const QString report = G().CREPORTFILE;
    const QString document = !report.isEmpty() && QFileInfo(report).isFile() ? report : QString();
    TKTASK task;
    task.COMMANDLINE(notepadCommandLine(document));
    task.LAUNCH();
    ZVXDEFAULTS();
}

}  // namespace zeva
