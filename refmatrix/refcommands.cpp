#include "refmatrix/refcommands.h"

#include "core/activeproblem.h"
#include "core/feedlimit.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "refmatrix/reftables.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace zeva {

namespace {

const QString kNameField = QStringLiteral("YM_ADI");
const QString kPriceField = QStringLiteral("FIATI");
const QString kKmo = QStringLiteral("KMO");
const QString kWeightUnit = QStringLiteral("Kg/Kg");
// A feed's name cell in the feed table (YMADI of the problem file).
constexpr int kFeedNameCell = kYmNameFileWidth;

// What tells the two reference tables apart for the problem commands.
struct Variant {
    QString table;        // "MATNRC.DBF" or "MATKUMAD.DBF"
    bool daily = false;   // daily ration (dry-matter table)

    QString missingText() const { return table + QStringLiteral(" dosyası yok..!"); }
    QString openErrorText() const { return table + QStringLiteral(" referans matris dosyasını açmada hata!"); }
    QString weightName() const { return daily ? QStringLiteral("KMT") : QStringLiteral("AGIRLIK"); }
    // Nutrient names that stand for the weight row: never matched against the
    // table, and searched in this order for the 1.0000 cell of a new feed.
    QStringList weightNames() const
    {
        if (daily)
            return {QStringLiteral("KMT")};
        return {QStringLiteral("AGIRLIK"), QStringLiteral("AĞIRLIK"), QStringLiteral("Ağırlık"),
                QStringLiteral("ağırlık")};
    }
};

Variant asFed() { return {kAsFedTable, false}; }
Variant dryMatter() { return {kDryMatterTable, true}; }

QString oneCell() { return PadL(QStringLiteral("1.0000"), kCellWidth); }

Row blankRow(int cells)
{
    return Row(cells, blankCell());
}

// The name a feed keeps in the problem: what the problem file's name cell
// holds of it (its first 15 characters), trimmed. A feed is known by it.
QString keptFeedName(const QString& name)
{
    return AllTrim(name.left(kFeedNameCell));
}

Row newFeedRow(const QString& name, const QString& price)
{
    return Row{PadR(keptFeedName(name), kFeedNameCell), price, blankCell(), blankCell(), blankCell()};
}

// Position of the field named exactly `name` (letter case counts), -1 when
// there is none.
int exactField(const DbfTable& t, const QString& name)
{
    for (int i = 0; i < t.fieldCount(); ++i)
        if (ExactEqual(t.fields().at(i).name, name))
            return i;
    return -1;
}

// An open reference table as the commands read it.
struct Reference {
    DbfTable table;
    int nameField = -1;
    int priceField = -1;
    int unitRecord = -1;       // first live record; -1 when the table is empty
    QList<int> feedRecords;    // live records after the unit row with a name
    QStringList storedNames;   // their YM_ADI as stored
    QStringList names;         // ... and trimmed

    int firstNutrientField() const { return 2; }
    QStringList nutrientFields() const
    {
        QStringList out;
        for (int i = firstNutrientField(); i < table.fieldCount(); ++i)
            out << table.fields().at(i).name;
        return out;
    }
    QString unit(int field) const { return unitRecord < 0 ? QString() : AllTrim(table.value(unitRecord, field)); }
};

// Reads the variant's table. A missing table gets the box titled
// `missingCaption`, one that cannot be read as a reference table the open
// error; both give false.
bool openReference(UserPort& port, const Variant& v, const QString& missingCaption, Reference* ref)
{
    const QString path = findExistingPath(referenceTablePath(v.table));
    if (path.isEmpty()) {
        port.messageBox(missingCaption, v.missingText(), BOX_INFO);
        return false;
    }
    if (!readDbfFile(path, &ref->table)) {
        ERRMESS(port, v.openErrorText());
        return false;
    }
    ref->nameField = exactField(ref->table, kNameField);
    ref->priceField = exactField(ref->table, kPriceField);
    if (ref->nameField < 0 || ref->priceField < 0) {
        ERRMESS(port, v.openErrorText());
        return false;
    }
    const QList<int> live = ref->table.liveRecords();
    ref->unitRecord = live.isEmpty() ? -1 : live.first();
    for (int i = 1; i < live.size(); ++i) {
        const QString stored = ref->table.value(live.at(i), ref->nameField);
        const QString name = AllTrim(stored);
        // A nameless record cannot be told apart in a list, and a nameless
        // feed would not survive the problem file.
        if (name.isEmpty())
            continue;
        ref->feedRecords << live.at(i);
        ref->storedNames << stored;
        ref->names << name;
    }
    return true;
}

// The positions (from 1) the port gave that stand for an item of a list of
// `count`, in ascending order without repeats.
QList<int> validPositions(const QList<int>& picked, int count)
{
    QList<int> out;
    for (int p : picked)
        if (p >= 1 && p <= count && !out.contains(p))
            out << p;
    std::sort(out.begin(), out.end());
    return out;
}

// The picked feeds that go into the problem. A feed whose kept name is that
// of a feed in `present` or of one picked before it would be the same feed to
// the problem file: it is left out. Those left out are named in one warning,
// on one line those whose kept name a feed of the problem has and on another
// those whose kept name an earlier pick has, except (with `quietWhenSame`)
// the ones whose whole name is the other feed's.
QList<int> feedsToAdd(UserPort& port, const Reference& ref, const QList<int>& picked, const QStringList& present,
                      bool quietWhenSame)
{
    QStringList kept;
    QStringList whole = present;
    for (const QString& name : present)
        kept << keptFeedName(name);
    QList<int> out;
    QStringList leftOut;        // for a feed of the problem
    QStringList leftOutByPick;  // for another feed picked in this command
    for (int k : picked) {
        const QString& name = ref.names.at(k - 1);
        const QString cut = keptFeedName(name);
        const qsizetype at = kept.indexOf(cut);
        if (at >= 0) {
            QStringList& list = at < present.size() ? leftOut : leftOutByPick;
            if (!(quietWhenSame && ExactEqual(whole.at(at), name)) && !leftOut.contains(name)
                && !leftOutByPick.contains(name))
                list << name;
            continue;
        }
        kept << cut;
        whole << name;
        out << k;
    }
    QStringList lines;
    if (!leftOut.isEmpty())
        lines << kFeedsLeftOut + leftOut.join(QStringLiteral(", "));
    if (!leftOutByPick.isEmpty())
        lines << kFeedsLeftOutByPick + leftOutByPick.join(QStringLiteral(", "));
    if (!lines.isEmpty())
        UYARI(port, lines.join(QLatin1Char('\n')));
    return out;
}

bool isType(const QString& type)
{
    const ActiveProblem& p = G();
    return p.isOpen() && !p.APARAMS.isEmpty() && ExactEqual(p.APARAMS.first(), type);
}

// TRUE when the problem's lists and tables go together: one name per table
// row, and (unless the matrix is empty) one matrix row per nutrient and one
// cell per feed in every row.
bool tablesFitLists(const ActiveProblem& p)
{
    return p.AYMTABLE.size() == p.AYMNAMES.size() && p.ABMTABLE.size() == p.ABMNAMES.size()
        && p.ABMUNITS.size() == p.ABMNAMES.size();
}

bool matrixFits(const Table& m, const ActiveProblem& p)
{
    if (m.size() != p.ABMNAMES.size())
        return false;
    for (const Row& r : m)
        if (r.size() != p.AYMNAMES.size())
            return false;
    return true;
}

// The changes of one run, turned into changed flags on every way out.
struct Changes {
    bool feeds = false;
    bool nutrients = false;
    bool matrix = false;

    ~Changes()
    {
        ActiveProblem& p = G();
        p.LYMCHANGED = p.LYMCHANGED || feeds;
        p.LBMCHANGED = p.LBMCHANGED || nutrients;
        if (matrix) {
            p.LMATCHANGED = true;
            p.matrixReplaced();
        }
    }
};

// ---------------------------------------------------------------- building

void buildProblem(UserPort& port, const Variant& v)
{
    Reference ref;
    if (!openReference(port, v, QStringLiteral("Uyarı"), &ref))
        return;

    const QStringList columns = ref.nutrientFields();
    QStringList units;
    for (int i = 0; i < columns.size(); ++i)
        units << ref.unit(ref.firstNutrientField() + i);

    // The dry-matter ratio goes with every daily ration.
    int kmo = 0;
    if (v.daily)
        for (int i = 0; i < columns.size() && kmo == 0; ++i)
            if (BeginsWith(columns.at(i), kKmo))
                kmo = i + 1;

    QList<int> chosen = validPositions(
        port.chooseMany(QStringLiteral("Besin Maddesi Seçimi"), columns, false), static_cast<int>(columns.size()));
    if (chosen.isEmpty())
        return;
    if (kmo > 0 && !chosen.contains(kmo))
        chosen.prepend(kmo);

    const QList<int> marked = feedsToAdd(
        port, ref,
        validPositions(port.chooseMany(QStringLiteral("Yem Maddesi Seçimi"), ref.storedNames, false),
                       static_cast<int>(ref.storedNames.size())),
        {}, false);
    if (marked.isEmpty())
        return;
    if (marked.size() > maxFeedsOfOpenFile()) {
        ERRMESS(port, tooManyFeedsText());
        return;
    }

    ActiveProblem& p = G();
    p.AYMNAMES.clear();
    p.AYMTABLE.clear();
    for (int k : marked) {
        const int rec = ref.feedRecords.at(k - 1);
        const QString name = ref.names.at(k - 1);
        p.AYMNAMES << keptFeedName(name);
        p.AYMTABLE << newFeedRow(name, ref.table.value(rec, ref.priceField));
    }

    p.ABMNAMES = QStringList{v.weightName()};
    p.ABMUNITS = QStringList{kWeightUnit};
    p.ABMTABLE = Table{Row{PadR(v.weightName(), kBmNameWidth), PadL(kWeightUnit, kCellWidth),
                           v.daily ? blankCell() : oneCell(), blankCell(), blankCell()}};
    for (int c : chosen) {
        p.ABMNAMES << columns.at(c - 1);
        p.ABMUNITS << units.at(c - 1);
        p.ABMTABLE << Row{PadR(columns.at(c - 1), kBmNameWidth), PadL(units.at(c - 1), kCellWidth), blankCell(),
                          blankCell(), blankCell()};
    }

    Table matrix;
    matrix << Row(marked.size(), oneCell());
    for (int c : chosen) {
        const int field = ref.firstNutrientField() + c - 1;
        Row row;
        for (int k : marked)
            row << ref.table.value(ref.feedRecords.at(k - 1), field);
        matrix << row;
    }
    p.AMATRIX = matrix;
    p.matrixReplaced();
    p.LMATCHANGED = p.LBMCHANGED = p.LYMCHANGED = true;
}

// ---------------------------------------------------------------- the add frame

// Asks the question before an addition; TRUE to go on (anything but No).
bool confirmAddition(UserPort& port, const QString& text)
{
    return ASK(port, QStringLiteral("Uyarı..."), text, BOX_YESNO_EXCLAMATION) != REPLY_NO;
}

// The matching step: `name` has no counterpart among `candidates`. Returns
// the chosen position (from 1), 0 for none (on the skip list, or "Atla"), -1
// when the user stopped the command.
int matchName(UserPort& port, const QString& name, const QStringList& candidates, QStringList& skipList)
{
    if (skipList.contains(name))
        return 0;
    const MatchAnswer answer = port.askMatch(name, candidates);
    if (answer.result == 0)
        return -1;
    if (answer.selected >= 1 && answer.selected <= candidates.size())
        return answer.selected;
    skipList << name;
    return 0;
}

void addFeeds(UserPort& port, const Variant& v)
{
    Reference ref;
    if (!openReference(port, v, QStringLiteral("Uyarı"), &ref))
        return;

    const QList<int> chosen = validPositions(
        port.chooseMany(QStringLiteral("Yem Maddesi Ekle"), ref.storedNames, false),
        static_cast<int>(ref.storedNames.size()));
    if (chosen.isEmpty())
        return;

    ActiveProblem& p = G();
    const QList<int> picked = feedsToAdd(port, ref, chosen, p.AYMNAMES, true);
    if (picked.isEmpty())
        return;
    // The file must take every new feed: refuse before anything is added.
    if (p.AYMNAMES.size() + picked.size() > maxFeedsOfOpenFile()) {
        ERRMESS(port, tooManyFeedsText());
        return;
    }

    if (!confirmAddition(port, QStringLiteral("Seçilen yem maddeleri aktif girişlere eklenecek!")))
        return;

    // Nutrients entered before any feed have no matrix rows yet.
    Table matrix = p.AMATRIX;
    if (matrix.isEmpty() && !p.ABMNAMES.isEmpty())
        matrix = Table(p.ABMNAMES.size(), blankRow(static_cast<int>(p.AYMNAMES.size())));
    if (!tablesFitLists(p) || !matrixFits(matrix, p)) {
        ERRMESS(port, kMatrixShapeError);
        return;
    }

    Changes changes;
    if (matrix != p.AMATRIX) {
        p.AMATRIX = matrix;
        changes.matrix = true;
    }

    // A nutrient is matched to a field of the table; the feed name is no
    // nutrient.
    QStringList candidates;
    QList<int> candidateFields;
    for (int i = 0; i < ref.table.fieldCount(); ++i)
        if (i != ref.nameField) {
            candidates << ref.table.fields().at(i).name;
            candidateFields << i;
        }
    const QStringList weights = v.weightNames();
    QStringList skipList;

    for (int k : picked) {
        const int rec = ref.feedRecords.at(k - 1);
        const QString name = ref.names.at(k - 1);
        p.AYMNAMES << keptFeedName(name);
        p.AYMTABLE << newFeedRow(name, ref.table.value(rec, ref.priceField));
        changes.feeds = changes.matrix = true;
        const int c = static_cast<int>(p.AYMNAMES.size());

        bool stopped = false;
        for (int r = 0; r < p.AMATRIX.size(); ++r) {
            Row& row = p.AMATRIX[r];
            while (row.size() < c)
                row << blankCell();
            const QString nutrient = p.ABMNAMES.at(r);
            const int field = exactField(ref.table, nutrient);
            if (field >= 0 && field != ref.nameField) {
                row[c - 1] = ref.table.value(rec, field);
                continue;
            }
            if (weights.contains(AllTrim(nutrient)))
                continue;
            const int chosen = matchName(port, nutrient, candidates, skipList);
            if (chosen < 0) {
                stopped = true;
                break;
            }
            if (chosen > 0) {
                const QString f = candidates.at(chosen - 1);
                p.ABMNAMES[r] = f;
                if (!p.ABMTABLE[r].isEmpty())
                    p.ABMTABLE[r][BMNAME] = PadR(f, kBmNameWidth);
                changes.nutrients = true;
                row[c - 1] = ref.table.value(rec, candidateFields.at(chosen - 1));
            }
        }
        if (stopped) {
            // The feed stays; its column is completed with blanks so that the
            // matrix keeps one cell per feed in every row.
            for (Row& row : p.AMATRIX)
                while (row.size() < c)
                    row << blankCell();
        }
        // The weight row holds 1 for every feed, matched or not.
        for (const QString& w : weights) {
            const int r = static_cast<int>(p.ABMNAMES.indexOf(w));
            if (r >= 0) {
                p.AMATRIX[r][c - 1] = oneCell();
                break;
            }
        }
        if (stopped)
            return;
    }
}

// The reference feeds of a problem feed, as positions in ref.names: those
// whose kept name is the feed's name, and for a compound feed, when there is
// none, those whose name begins with it.
QList<int> referenceFeeds(const Reference& ref, const QString& feed, bool daily)
{
    QList<int> found;
    if (feed.isEmpty())
        return found;
    for (int k = 0; k < ref.names.size(); ++k)
        if (ExactEqual(keptFeedName(ref.names.at(k)), feed))
            found << k;
    if (!found.isEmpty() || daily)
        return found;
    for (int k = 0; k < ref.names.size(); ++k)
        if (BeginsWith(ref.names.at(k), feed))
            found << k;
    return found;
}

// The reference feed of problem feed `j` (0-based), as a position in
// ref.names: its one reference record, or the record the user picks in the
// matching dialog when it has none or several that its kept name cannot tell
// apart; a pick renames the feed to the record's kept name (`renamed` is then
// raised). -1: none (skipped, or a nameless feed); nothing: İptal.
std::optional<int> referenceFeedOf(UserPort& port, const Reference& ref, int j, bool daily, QStringList& skipList,
                                   bool& renamed)
{
    ActiveProblem& p = G();
    const QString feed = p.AYMNAMES.at(j);
    QList<int> offered = referenceFeeds(ref, feed, daily);
    if (offered.size() == 1)
        return offered.first();
    if (feed.isEmpty())
        return -1;  // a nameless feed has nothing to match
    if (offered.isEmpty())
        for (int k = 0; k < ref.names.size(); ++k)
            offered << k;
    QStringList names;
    for (int k : offered)
        names << ref.names.at(k);
    const int chosen = matchName(port, feed, names, skipList);
    if (chosen < 0)
        return std::nullopt;
    if (chosen == 0)
        return -1;
    const int k = offered.at(chosen - 1);
    const QString kept = keptFeedName(ref.names.at(k));
    if (!ExactEqual(kept, feed)) {
        p.AYMNAMES[j] = kept;
        if (!p.AYMTABLE[j].isEmpty())
            p.AYMTABLE[j][YMNAME] = PadR(kept, kFeedNameCell);
        renamed = true;
    }
    return k;
}

void addNutrients(UserPort& port, const Variant& v)
{
    Reference ref;
    if (!openReference(port, v, QStringLiteral("Uyarı..."), &ref))
        return;

    const QStringList lines = ref.nutrientFields();
    QStringList units;
    for (int i = 0; i < lines.size(); ++i)
        units << ref.unit(ref.firstNutrientField() + i);
    const int kmo = v.daily ? static_cast<int>(lines.indexOf(kKmo)) + 1 : 0;

    QList<int> picked = validPositions(port.chooseMany(QStringLiteral("Besin Maddesi Ekle"), lines, false),
                                       static_cast<int>(lines.size()));
    if (picked.isEmpty())
        return;
    if (!confirmAddition(port, QStringLiteral("Seçilen besin maddeleri aktif girişlere eklenecek!")))
        return;

    ActiveProblem& p = G();
    const int cols = static_cast<int>(p.AYMNAMES.size());
    // Feeds entered before any nutrient leave one blank matrix row behind:
    // without nutrients the matrix can only hold blanks.
    Table matrix = p.ABMNAMES.isEmpty() ? Table() : p.AMATRIX;
    const bool emptyMatrix = matrix.isEmpty();
    if (emptyMatrix && !p.ABMNAMES.isEmpty())
        matrix = Table(p.ABMNAMES.size(), blankRow(cols));
    if (!tablesFitLists(p) || !matrixFits(matrix, p)) {
        ERRMESS(port, kMatrixShapeError);
        return;
    }

    Changes changes;
    if (matrix != p.AMATRIX) {
        p.AMATRIX = matrix;
        changes.matrix = true;
    }
    if (emptyMatrix) {
        if (!p.ABMNAMES.contains(v.weightName())) {
            p.ABMNAMES << v.weightName();
            p.ABMUNITS << kWeightUnit;
            p.ABMTABLE << Row{PadR(v.weightName(), kBmNameWidth), PadL(kWeightUnit, kCellWidth),
                              v.daily ? blankCell() : oneCell(), blankCell(), blankCell()};
            p.AMATRIX << Row(cols, oneCell());
            changes.nutrients = changes.matrix = true;
        }
        if (kmo > 0 && !picked.contains(kmo))
            picked.prepend(kmo);
    }

    QStringList skipList;
    // The reference feed of each problem feed (-1: none), found or asked
    // once and kept for the rest of the run.
    QHash<int, int> answered;
    for (int pos : picked) {
        const QString f = lines.at(pos - 1);
        const int field = ref.firstNutrientField() + pos - 1;
        if (p.ABMNAMES.contains(f))
            continue;
        const QString unit = units.at(pos - 1);
        p.ABMNAMES << f;
        p.ABMUNITS << unit;
        p.ABMTABLE << Row{PadR(f, kBmNameWidth), PadL(unit, kCellWidth), blankCell(), blankCell(), blankCell()};
        p.AMATRIX << blankRow(cols);
        changes.nutrients = changes.matrix = true;
        Row& row = p.AMATRIX.last();

        for (int j = 0; j < cols; ++j) {
            if (!answered.contains(j)) {
                const std::optional<int> k = referenceFeedOf(port, ref, j, v.daily, skipList, changes.feeds);
                if (!k)
                    return;  // the row in progress stays, blank from this feed on
                answered.insert(j, *k);
            }
            if (const int k = answered.value(j); k >= 0)
                row[j] = ref.table.value(ref.feedRecords.at(k), field);
        }
    }
}

void dispatch(const std::function<void()>& kind, const std::function<void()>& daily,
              const std::function<void()>& menuState)
{
    if (isType(QStringLiteral("K")))
        kind();
    else if (isType(QStringLiteral("G")))
        daily();
    if (menuState)
        menuState();
}

bool createTable(UserPort& port, const QString& name, const QList<DbfField>& fields)
{
    const QString path = referenceTablePath(name);
    if (!findExistingPath(path).isEmpty())
        return true;  // never written over
    DbfTable table(fields);
    const int unitRow = table.appendRecord();
    table.setValue(unitRow, kNameField, kUnitRowName);
    if (G().CDATAPATH.isEmpty() || !writeDbfFile(path, table)) {
        ERRMESS(port, QStringLiteral("Referans matris dosyası (%1) oluşturulamadı!").arg(name));
        return false;
    }
    return true;
}

}  // namespace

QString referenceTablePath(const QString& tableName)
{
    return G().CDATAPATH + QLatin1Char('/') + tableName;
}

bool RMAT_CREATE1(UserPort& port)
{
    return createTable(port, kAsFedTable, HKM_STRCREATE());
}

bool RMAT_CREATE2(UserPort& port)
{
    return createTable(port, kDryMatterTable, KMM_STRCREATE());
}

void AMAT_OLUSTUR(UserPort& port, const std::function<void()>& menuState)
{
    dispatch([&port] { AMAT_OLUSTUR_KY(port); }, [&port] { AMAT_OLUSTUR_GR(port); }, menuState);
}

void AMAT_OLUSTUR_KY(UserPort& port)
{
    buildProblem(port, asFed());
}

void AMAT_OLUSTUR_GR(UserPort& port)
{
    buildProblem(port, dryMatter());
}

void AMAT_YMEKLE(UserPort& port, const std::function<void()>& menuState)
{
    dispatch([&port] { AMAT_YMEKLE_KY(port); }, [&port] { AMAT_YMEKLE_GR(port); }, menuState);
}

void AMAT_YMEKLE_KY(UserPort& port)
{
    addFeeds(port, asFed());
}

void AMAT_YMEKLE_GR(UserPort& port)
{
    addFeeds(port, dryMatter());
}

void AMAT_BMEKLE(UserPort& port, const std::function<void()>& menuState)
{
    dispatch([&port] { AMAT_BMEKLE_KY(port); }, [&port] { AMAT_BMEKLE_GR(port); }, menuState);
}

void AMAT_BMEKLE_KY(UserPort& port)
{
    addNutrients(port, asFed());
}

void AMAT_BMEKLE_GR(UserPort& port)
{
    addNutrients(port, dryMatter());
}

}  // namespace zeva
