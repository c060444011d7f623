#include "core/problemfile.h"

#include "core/feedlimit.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "platform/runtime.h"

#include <algorithm>
#include <array>

namespace zeva {

namespace {

using GroupFields = std::array<const char*, 5>;
constexpr GroupFields kFeedFields = {"YMADI", "YMFIAT", "YMSABIT", "YMALTLIM", "YMUSTLIM"};
constexpr GroupFields kNutrientFields = {"BMADI", "BMBIRIM", "BMSABIT", "BMALTLIM", "BMUSTLIM"};
constexpr GroupFields kRatioFields = {"BMADIA", "BMADIB", "OSABIT", "OALTLIM", "OUSTLIM"};
constexpr const char* kMatrixField = "YMBMAT";
constexpr int kMatrixWidth = 1020;
constexpr int kMatrixCellSpan = kCellWidth + 1;  // a cell and its comma

QString field(const char* name) { return QString::fromLatin1(name); }

// Empty in the table's sense: nothing but blanks (and other white space).
bool isEmptyText(const QString& text)
{
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            return false;
    return true;
}

// Writes one five-field group: row i into live record i, appending records as
// needed, then blanks the group in the records beyond the rows.
void writeGroup(DbfTable& t, const Table& rows, const GroupFields& names)
{
    std::array<int, 5> cols{};
    for (int k = 0; k < 5; ++k)
        cols[k] = t.fieldIndex(field(names[k]));
    QList<int> live = t.liveRecords();
    if (live.isEmpty())
        live << t.appendRecord();
    int pos = 0;
    const int n = static_cast<int>(rows.size());
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < 5; ++k)
            t.setValue(live.at(pos), cols[k], rows.at(i).value(k));
        ++pos;
        if (pos == live.size() && i < n - 1)
            live << t.appendRecord();
    }
    for (; pos < live.size(); ++pos)
        for (int k = 0; k < 5; ++k)
            t.setValue(live.at(pos), cols[k], QString());
}

QString withoutCommas(QString text)
{
    return text.remove(QLatin1Char(','));
}

QString matrixCellText(const QString& cell)
{
    return cell.contains(QLatin1Char(',')) ? SDAYA(cell, 4) : cell;
}

QString headerText(const QStringList& params)
{
    const QString type = withoutCommas(params.value(PRM_TYPE));
    QString amount = params.value(PRM_AMOUNT);
    if (amount.contains(QLatin1Char(',')))
        amount = AllTrim(SDAYA(amount, type == QLatin1String("G") ? 3 : 2));
    const QString comma = QStringLiteral(",");
    return type + comma + amount + comma + withoutCommas(params.value(PRM_CURRENCY)) + comma
        + withoutCommas(params.value(PRM_WEIGHT)) + comma;
}

QStringList splitMatrixRow(const QString& text)
{
    QStringList cells;
    int start = 0;
    int comma;
    while ((comma = text.indexOf(QLatin1Char(','), start)) >= 0) {
        cells << text.mid(start, comma - start);
        start = comma + 1;
    }
    return cells;
}

// A row that begins as a header does: with a problem type.
bool beginsAsHeader(const QStringList& row)
{
    return !row.isEmpty() && (row.first() == QLatin1String("K") || row.first() == QLatin1String("G"));
}

bool isHeaderRow(const QStringList& row)
{
    return row.size() == 4 && beginsAsHeader(row);
}

QStringList defaultHeader()
{
    return {QStringLiteral("K"), QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")};
}

int countNamed(const DbfTable& table, const char* name)
{
    const int col = table.fieldIndex(field(name));
    int n = 0;
    for (int r : table.liveRecords())
        if (!isEmptyText(table.value(r, col)))
            ++n;
    return n;
}

// The non-empty YMBMAT records of a table as the reader sees them: their
// records, their cells, and which of them is the header. The header is the
// last record that reads as one; without one, the last record when it begins
// with a problem type and the records are not as many as the nutrients.
// Otherwise the file has no header: every record is a matrix row.
struct MatrixRecords {
    QList<int> records;
    Table rows;
    int header = -1;  // index into rows; -1: the file holds no header
    // The matrix rows: those before the header, or all of them without one.
    Table matrix() const { return header >= 0 ? rows.mid(0, header) : rows; }
};

MatrixRecords matrixRecords(const DbfTable& table)
{
    MatrixRecords m;
    const int col = table.fieldIndex(field(kMatrixField));
    for (int r : table.liveRecords()) {
        const QString text = table.value(r, col);
        if (!isEmptyText(text)) {
            m.records << r;
            m.rows << splitMatrixRow(text);
        }
    }
    for (int i = static_cast<int>(m.rows.size()) - 1; i >= 0 && m.header < 0; --i)
        if (isHeaderRow(m.rows.at(i)))
            m.header = i;
    const int count = static_cast<int>(m.rows.size());
    if (m.header < 0 && count > 0 && count != countNamed(table, kNutrientFields[0])
        && beginsAsHeader(m.rows.last()))
        m.header = count - 1;
    return m;
}

// Writes the matrix rows into YMBMAT from the first live record on, the
// header text into the record after them, and empties YMBMAT beyond.
void writeMatrix(DbfTable& table, const Table& matrix, const QString& header)
{
    const int col = table.fieldIndex(field(kMatrixField));
    QList<int> live = table.liveRecords();
    if (live.isEmpty())
        live << table.appendRecord();
    int pos = 0;
    const int cells = matrix.isEmpty() ? 0 : static_cast<int>(matrix.first().size());
    for (const Row& row : matrix) {
        QString text;
        for (int j = 0; j < cells; ++j)
            text += matrixCellText(row.value(j)) + QLatin1Char(',');
        table.setValue(live.at(pos), col, text);
        ++pos;
        if (pos == live.size())
            live << table.appendRecord();
    }
    table.setValue(live.at(pos), col, header);
    for (++pos; pos < live.size(); ++pos)
        table.setValue(live.at(pos), col, QString());
}

// The header as the table holds it, when it holds one.
QString headerInFile(const DbfTable& table)
{
    const MatrixRecords m = matrixRecords(table);
    if (m.header < 0 || !isHeaderRow(m.rows.at(m.header)))
        return QString();
    return RTrim(table.value(m.records.at(m.header), field(kMatrixField)));
}

// Writes only the header, over the matrix rows the table holds: into the
// header's own record, or into the record after the last matrix row.
void writeHeaderOnly(DbfTable& table, const QString& header)
{
    const int col = table.fieldIndex(field(kMatrixField));
    const MatrixRecords m = matrixRecords(table);
    if (m.header >= 0) {
        table.setValue(m.records.at(m.header), col, header);
        return;
    }
    QList<int> live = table.liveRecords();
    int pos = m.records.isEmpty() ? 0 : static_cast<int>(live.indexOf(m.records.last())) + 1;
    if (pos == live.size())
        live << table.appendRecord();
    table.setValue(live.at(pos), col, header);
}

}  // namespace

QList<DbfField> problemFileFields(int type)
{
    const int limitWidth = type == 1 ? 12 : 11;
    return {
        {QStringLiteral("YMADI"), 'C', kYmNameFileWidth, 0},     {QStringLiteral("YMFIAT"), 'C', 11, 0},
        {QStringLiteral("YMSABIT"), 'C', limitWidth, 0}, {QStringLiteral("YMALTLIM"), 'C', limitWidth, 0},
        {QStringLiteral("YMUSTLIM"), 'C', limitWidth, 0}, {QStringLiteral("BMADI"), 'C', 15, 0},
        {QStringLiteral("BMBIRIM"), 'C', 11, 0},   {QStringLiteral("BMSABIT"), 'C', 11, 0},
        {QStringLiteral("BMALTLIM"), 'C', 11, 0},  {QStringLiteral("BMUSTLIM"), 'C', 11, 0},
        {QStringLiteral("BMADIA"), 'C', 15, 0},    {QStringLiteral("BMADIB"), 'C', 15, 0},
        {QStringLiteral("OSABIT"), 'C', 11, 0},    {QStringLiteral("OALTLIM"), 'C', 11, 0},
        {QStringLiteral("OUSTLIM"), 'C', 11, 0},   {QStringLiteral("YMBMAT"), 'C', kMatrixWidth, 0},
    };
}

DbfTable newProblemTable(int type)
{
    return DbfTable(problemFileFields(type));
}

int maxFeedsFor(int width)
{
    return width / kMatrixCellSpan;
}

bool isProblemTable(const DbfTable& table)
{
    for (const DbfField& f : problemFileFields(1)) {
        const int i = table.fieldIndex(f.name);
        if (i < 0 || table.fields().at(i).type != 'C')
            return false;
    }
    const int name = table.fieldIndex(field(kFeedFields[0]));
    const int maxFeeds = maxFeedsFor(table.fields().at(table.fieldIndex(field(kMatrixField))).length);
    int feeds = 0;
    for (int r : table.liveRecords())
        if (!isEmptyText(table.value(r, name)) && ++feeds > maxFeeds)
            return false;
    return true;
}

void YMKAYDI(DbfTable& table) { writeGroup(table, G().AYMTABLE, kFeedFields); }
void BMKAYDI(DbfTable& table) { writeGroup(table, G().ABMTABLE, kNutrientFields); }
void BMOKAYDI(DbfTable& table) { writeGroup(table, G().ABMOTABLE, kRatioFields); }

void MATRIXKAYDI(DbfTable& table)
{
    writeMatrix(table, G().AMATRIX, headerText(G().APARAMS));
}

MatrixFit matrixFit(const DbfTable& table)
{
    const MatrixRecords m = matrixRecords(table);
    const Table matrix = m.matrix();
    const int nutrients = countNamed(table, kNutrientFields[0]);
    const int feeds = countNamed(table, kFeedFields[0]);
    // Rows after the header are no matrix rows: the reader drops them.
    const bool afterHeader = m.header >= 0 && m.header < m.rows.size() - 1;
    MatrixFit fit;
    fit.beyond = afterHeader || matrix.size() > nutrients;
    for (const Row& row : matrix)
        if (row.size() > feeds)
            fit.beyond = true;
    if (nutrients == 0 && feeds > 0 && !afterHeader) {
        // Feeds without nutrients get the weight row in place of what the
        // file holds. The save writes them with at most one row of blank
        // cells, which loses nothing.
        const bool blankRow = matrix.size() == 1 && matrix.first().size() <= feeds
            && std::all_of(matrix.first().cbegin(), matrix.first().cend(), isEmptyText);
        if (blankRow)
            fit.beyond = false;
    }
    // With no feed the rows hold no cells and the save writes them empty,
    // so they are not counted; with feeds every nutrient has its row with a
    // cell for every feed.
    if (feeds > 0 && nutrients > 0) {
        fit.missing = matrix.size() < nutrients;
        for (const Row& row : matrix)
            if (row.size() < feeds)
                fit.missing = true;
    }
    return fit;
}

namespace {

// The table a save writes: the open file as it stands now, with the changed
// parts of the active problem written over it. Another program may have
// written into the file since the open, and the groups not changed here keep
// what it wrote. A file that is gone or no longer a problem table is written
// whole from the copy kept since the open or the last save, and so is every
// file with `asRead`. FALSE, with the refusal shown, when the problem does
// not fit a problem file.
bool tableToSave(UserPort& port, const ProblemServer& server, DbfTable* out, bool asRead = false)
{
    ActiveProblem& p = G();
    DbfTable table;
    if (asRead || !readDbfFile(server.path(), &table) || !isProblemTable(table))
        table = server.table();
    const int matrixCol = table.fieldIndex(field(kMatrixField));
    const int width = matrixCol >= 0 ? table.fields().at(matrixCol).length : kMatrixWidth;
    const int feeds = static_cast<int>(
        std::max(p.AYMTABLE.size(), p.AMATRIX.isEmpty() ? qsizetype(0) : p.AMATRIX.first().size()));
    if (feeds > maxFeedsFor(width)) {
        ERRMESS(port, tooManyFeedsText(maxFeedsFor(width)) + QStringLiteral("\nKayıt yapılmadı."));
        return false;
    }

    // The matrix has one row per nutrient and one cell per feed, in the
    // order of their tables: the three go into the file together, or the
    // file would pair this matrix with another writer's feeds or nutrients.
    // The header goes with the matrix rows (it follows them), but keeps what
    // the file holds unless it changed here.
    const QString header = headerText(p.APARAMS);
    if (p.LYMCHANGED || p.LBMCHANGED || p.LMATCHANGED) {
        const QString kept = headerInFile(table);
        YMKAYDI(table);
        BMKAYDI(table);
        writeMatrix(table, p.AMATRIX, p.LPARAMCHANGED || kept.isEmpty() ? header : kept);
    } else if (p.LPARAMCHANGED) {
        writeHeaderOnly(table, header);
    }
    if (p.LBMOCHANGED)
        BMOKAYDI(table);

    table.setLastUpdate(QDate::currentDate());
    *out = std::move(table);
    return true;
}

void showSaveError(UserPort& port, const QString& path)
{
    ERRMESS(port, path + QStringLiteral(" dosyasını kaydetmede hata!\n\nDeğişiklikler kaydedilmedi."));
}

}  // namespace

SaveResult saveProblem(UserPort& port)
{
    ActiveProblem& p = G();
    const std::shared_ptr<ProblemServer> server = p.OPROBSERVER;
    if (!server)
        return SaveResult::Refused;
    if (!p.anyChanged())
        return SaveResult::Saved;
    // Another program or another session wrote into the file since it was
    // read here: its change is not written over unasked. The question comes
    // before anything is written.
    const QString changed =
        server->path() + QStringLiteral(" Dosyası açıldıktan veya son kaydedildikten sonra diskte değiştirilmiş.");
    if (!mayWriteOver(port, server->fingerprint(), changed))
        return SaveResult::Declined;
    DbfTable table;
    if (!tableToSave(port, *server, &table))
        return SaveResult::Refused;
    const QByteArray bytes = table.toBytes();
    if (!writeDbfFile(server->path(), table)) {
        showSaveError(port, server->path());
        return SaveResult::NotWritten;
    }
    // What the file holds now is what this session wrote: the next save
    // asks only when someone writes into it again.
    server->table() = table;
    server->setFingerprint(FileFingerprint::of(server->path(), bytes));
    p.LYMCHANGED = p.LBMCHANGED = p.LMATCHANGED = p.LPARAMCHANGED = p.LBMOCHANGED = false;
    return SaveResult::Saved;
}

bool PROBDBFUPDATE(UserPort& port)
{
    return saveProblem(port) == SaveResult::Saved;
}

bool writeProblemInto(UserPort& port, const QString& target, bool asRead)
{
    const std::shared_ptr<ProblemServer> server = G().OPROBSERVER;
    if (!server)
        return false;
    DbfTable table;
    if (!tableToSave(port, *server, &table, asRead))
        return false;
    if (!writeDbfFile(target, table)) {
        showSaveError(port, target);
        return false;
    }
    return true;
}

void AKTPRODIZOLUSTUR(const DbfTable& table)
{
    ActiveProblem& p = G();
    const QList<int> live = table.liveRecords();
    auto read = [&](int record, const char* name) { return table.value(record, field(name)); };
    auto readRow = [&](int record, const GroupFields& names) {
        Row row;
        for (const char* n : names)
            row << read(record, n);
        return row;
    };

    // Feeds.
    p.AYMNAMES.clear();
    p.ABMNAMES.clear();
    p.ABMUNITS.clear();
    p.AYMTABLE.clear();
    for (int r : live)
        if (!isEmptyText(read(r, kFeedFields[0]))) {
            p.AYMNAMES << AllTrim(read(r, kFeedFields[0]));
            p.AYMTABLE << readRow(r, kFeedFields);
        }

    // Nutrients.
    p.ABMTABLE.clear();
    for (int r : live)
        if (!isEmptyText(read(r, kNutrientFields[0]))) {
            p.ABMNAMES << AllTrim(read(r, kNutrientFields[0]));
            p.ABMUNITS << AllTrim(read(r, kNutrientFields[1]));
            p.ABMTABLE << readRow(r, kNutrientFields);
        }

    // Ratios.
    p.ABMOTABLE.clear();
    for (int r : live)
        if (!isEmptyText(read(r, kRatioFields[0])) && !isEmptyText(read(r, kRatioFields[1])))
            p.ABMOTABLE << readRow(r, kRatioFields);

    // Matrix rows and the header.
    const MatrixRecords records = matrixRecords(table);
    const Table& rows = records.rows;
    const int m = static_cast<int>(rows.size());
    const int b = static_cast<int>(p.ABMTABLE.size());
    const int f = static_cast<int>(p.AYMTABLE.size());
    Table matrix = records.matrix();
    if (records.header >= 0) {
        QStringList params = rows.at(records.header).mid(0, 4);
        while (params.size() < 4)
            params << QString();
        p.APARAMS = params;
    } else if (m > 0 || b > 0 || f > 0) {
        // As many rows as nutrients, or no row at all in a file with feeds
        // or nutrients: the default header.
        p.APARAMS = defaultHeader();
        p.LPARAMCHANGED = true;
    }

    // Exactly one row per nutrient and one cell per feed.
    matrix = matrix.mid(0, b);
    while (matrix.size() < b)
        matrix << Row();
    for (Row& row : matrix) {
        row = row.mid(0, f);
        while (row.size() < f)
            row << blankCell();
    }
    p.AMATRIX = matrix;
    p.matrixReplaced();

    // Completion of a file without nutrients or without feeds.
    if (b > 0 && f == 0) {
        p.AMATRIX.clear();
        for (int i = 0; i < b; ++i)
            p.AMATRIX << Row();
    } else if (b == 0 && f > 0) {
        Row weights;
        for (int j = 0; j < f; ++j)
            weights << PadL(QStringLiteral("1.0000"), kCellWidth);
        p.AMATRIX = {weights};
        const bool compound = p.APARAMS.value(PRM_TYPE) == QLatin1String("K");
        const QString name = compound ? QStringLiteral("AGIRLIK") : QStringLiteral("KMT");
        const QString unit = QStringLiteral("Kg/Kg");
        p.ABMNAMES = {name};
        p.ABMUNITS = {unit};
        p.ABMTABLE = {Row{PadR(name, kBmNameWidth), PadL(unit, kCellWidth),
                          compound ? PadL(QStringLiteral("1.0000"), kCellWidth) : blankCell(), blankCell(),
                          blankCell()}};
        p.LMATCHANGED = true;
        p.LBMCHANGED = true;
    }
}

QString openProblemPath()
{
    const auto& server = G().OPROBSERVER;
    return server ? server->path() : QString();
}

}  // namespace zeva
