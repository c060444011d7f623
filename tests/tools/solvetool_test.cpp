// zeva-solve: the headless solve of a problem file, its exit status, and the
// sample problems solved with it.
#include "core/activeproblem.h"
#include "core/filecommands.h"
#include "core/optimizer.h"
#include "platform/codec.h"
#include "platform/dbf.h"
#include "tools/consoleport.h"

#include "support/tempdir.h"
#include "support/qstringprint.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <ostream>

using namespace zeva;

namespace {

constexpr qint64 kEpoch = 1709802303;  // 07.03.2024 09:05:03 UTC

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList reportLines(const QString& path)
{
    QStringList lines = cp1254::decode(readFile(path)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

struct Result {
    int exitCode = -1;
    QString err;
};

Result runTool(const QString& tool, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QString::number(kEpoch));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZEVA_BIN_DIR "/") + tool, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
}

// A compound-feed problem file written by Debian's python3-dbf, an
// independent writer: the sixteen fields of a problem file, the cells as
// right-aligned numeric text, matrix rows as cells each followed by a comma
// and the header after them.
const char* kWriter = R"PY(
import sys, os, dbf
base, priced = sys.argv[1], sys.argv[2] == '1'
divisor = sys.argv[3] if len(sys.argv) > 3 else 'FOSFOR'
t = dbf.Table(base, 'YMADI C(15); YMFIAT C(11); YMSABIT C(12); YMALTLIM C(12); YMUSTLIM C(12); '
                    'BMADI C(15); BMBIRIM C(11); BMSABIT C(11); BMALTLIM C(11); BMUSTLIM C(11); '
                    'BMADIA C(15); BMADIB C(15); OSABIT C(11); OALTLIM C(11); OUSTLIM C(11); YMBMAT C(1020)',
              dbf_type='clp', codepage='cp1254')
t.open(dbf.READ_WRITE)
def n(v, d):
    return ' ' * 11 if v is None else ('%.*f' % (d, v)).rjust(11)
feeds = [('MISIR', 10.5, None, None, None), ('BUĞDAY', 11, None, None, 0.2),
         ('SOYA KÜSPESİ 48', 21.5, None, None, None), ('BALIK UNU', 62, None, None, 0.03),
         ('KİREÇ TAŞI', 1.4, None, None, None), ('TUZ', 4, 0.003, None, None)]
nutrients = [('AGIRLIK', 'Kg/Kg', 1, None, None), ('ME_KA', 'KCal/Kg', None, 2900, None),
             ('HP', '%', None, 20, 22), ('KALSIYUM', '%', None, 0.9, 1.1), ('FOSFOR', '%', None, 0.2, None),
             ('HAM YAĞ', '%', None, None, None)]
ratios = [('KALSIYUM', divisor, None, 1.5, None)]
matrix = [[1, 1, 1, 1, 1, 1], [3350, 3100, 2440, 2850, 0, 0], [8.5, 13, 48.5, 65, 0, 0],
          [0.02, 0.05, 0.27, 4, 38, 0], [0.08, 0.13, 0.24, 2.6, 0, 0], [3.8, 1.8, 1.2, 9, 0, 0]]
ymbmat = [''.join((n(v, 4) if v else ' ' * 11) + ',' for v in row) for row in matrix] + ['K,1000.00,TL,Kg,']
for i in range(max(len(feeds), len(nutrients), len(ratios), len(ymbmat))):
    rec = [''] * 16
    if i < len(feeds):
        f = feeds[i]
        rec[0:5] = [f[0], n(f[1], 3) if priced else '', n(f[2], 5), n(f[3], 5), n(f[4], 5)]
    if i < len(nutrients):
        b = nutrients[i]
        rec[5:10] = [b[0], b[1].rjust(11), n(b[2], 4), n(b[3], 4), n(b[4], 4)]
    if i < len(ratios):
        r = ratios[i]
        rec[10:15] = [r[0], r[1], n(r[2], 4), n(r[3], 4), n(r[4], 4)]
    if i < len(ymbmat):
        rec[15] = ymbmat[i]
    t.append(tuple(rec))
t.close()
os.rename(base + '.dbf', base + '.ZVF')
)PY";

// `divisor`: the nutrient the ratio divides by (the file's nutrient is FOSFOR).
bool writeProblemWithPython(const QString& base, bool priced, QString* error,
                            const QString& divisor = QStringLiteral("FOSFOR"))
{
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(kWriter), base,
                                                  priced ? QStringLiteral("1") : QStringLiteral("0"), divisor});
    if (!py.waitForFinished(60000) || py.exitCode() != 0) {
        *error = QString::fromUtf8(py.readAllStandardError());
        return false;
    }
    return true;
}

// The same solve inside this process: the program's open step, the
// optimiser, the parameter dialog answered as the tool answers it.
QByteArray solveInProcess(const QString& path, const QStringList& options)
{
    ConsolePort port;
    port.quiet = true;
    for (int i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == QLatin1String("--amount"))
            port.amount = options[i + 1];
        else if (options[i] == QLatin1String("--currency"))
            port.currency = options[i + 1];
        else if (options[i] == QLatin1String("--weight"))
            port.weight = options[i + 1];
    }
    if (!FileCommands(port).DOOPENFILE(path))
        return {};
    OptimizerOptions o;
    o.clock = [] { return QDateTime::fromSecsSinceEpoch(kEpoch, Qt::UTC); };
    KY_OPTIMIZER opt(port, o);
    const QString report = G().CREPORTFILE;
    G().reset();
    G().CREPORTFILE.clear();
    const QByteArray bytes = readFile(report);
    QFile::remove(report);
    return bytes;
}

}  // namespace

TEST(SolveTool, SameReportAsTheInProcessSolve)
{
    test::TempDir tmp;
    const QString base = tmp.file(QStringLiteral("DIS"));
    QString error;
    ASSERT_TRUE(writeProblemWithPython(base, true, &error)) << error.toStdString();
    const QString problem = base + QStringLiteral(".ZVF");
    const QString report = base + QStringLiteral(".TXT");

    const QList<QStringList> optionSets{
        {},
        {QStringLiteral("--amount"), QStringLiteral("2500,5"), QStringLiteral("--currency"), QStringLiteral("EUR"),
         QStringLiteral("--weight"), QStringLiteral("Ton")},
    };
    for (const QStringList& options : optionSets) {
        const QByteArray inProcess = solveInProcess(problem, options);
        ASSERT_FALSE(inProcess.isEmpty());
        ASSERT_FALSE(QFile::exists(report));
        const Result r = runTool(QStringLiteral("zeva-solve"), QStringList{problem} + options);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(readFile(report), inProcess) << options.join(' ').toStdString();
        QFile::remove(report);
    }
    // The options went into the report as typed.
    const QByteArray typed = solveInProcess(problem, optionSets[1]);
    EXPECT_TRUE(typed.contains(" EUR/Ton"));
    EXPECT_TRUE(typed.contains(QByteArray("Optimum \xC7\xF6z\xFCm Bulundu.")));
    // A capacity whose amounts the amount column cannot hold: asterisks
    // there, not the amounts' first digits.
    ASSERT_EQ(runTool(QStringLiteral("zeva-solve"),
                      {problem, QStringLiteral("--amount"), QStringLiteral("99999999999")})
                  .exitCode,
              0);
    const QStringList lines = reportLines(report);
    const int total = static_cast<int>(lines.indexOf(QRegularExpression(QStringLiteral(" {10}TOPLAM:.*"))));
    ASSERT_GE(total, 0);
    EXPECT_EQ(lines.at(total).mid(55, 10), QStringLiteral("**********"));
    QFile::remove(report);

    // The problem file itself is left as it was.
    const QByteArray before = readFile(problem);
    ASSERT_EQ(runTool(QStringLiteral("zeva-solve"), QStringList{problem} + optionSets[1]).exitCode, 0);
    EXPECT_EQ(readFile(problem), before);
}

TEST(SolveTool, ExitStatus)
{
    test::TempDir tmp;
    QString error;
    ASSERT_TRUE(writeProblemWithPython(tmp.file(QStringLiteral("FIYATSIZ")), false, &error)) << error.toStdString();
    ASSERT_TRUE(writeProblemWithPython(tmp.file(QStringLiteral("KILITLI")), true, &error)) << error.toStdString();
    // A folder standing where the report goes: the report cannot be written.
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("KILITLI.TXT")));

    struct Case {
        const char* what;
        QStringList args;
        int exitCode;
        QString err;  // a piece of standard error
    };
    const QList<Case> cases{
        {"no file", {}, 2, QStringLiteral("usage:")},
        {"two files", {tmp.file("A.ZVF"), tmp.file("B.ZVF")}, 2, QStringLiteral("usage:")},
        {"unknown option", {tmp.file("KILITLI.ZVF"), "--adet", "3"}, 2, QStringLiteral("usage:")},
        {"option without value", {tmp.file("KILITLI.ZVF"), "--amount"}, 2, QStringLiteral("usage:")},
        {"missing file", {tmp.file("YOK.ZVF")}, 2, QStringLiteral("dosyası bulunamıyor...")},
        {"not a problem file name", {tmp.file("KILITLI.TXT")}, 2, QStringLiteral("bir ZEVA veri dosyası değil")},
        {"refused: no prices", {tmp.file("FIYATSIZ.ZVF")}, 1, QStringLiteral("Yem maddelerine fiyat verilmedi...")},
        {"report not written", {tmp.file("KILITLI.ZVF")}, 3, QStringLiteral("Rapor dosyası oluşturmada hata!")},
    };
    for (const Case& c : cases) {
        const Result r = runTool(QStringLiteral("zeva-solve"), c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << c.what << "\n" << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(tmp.file(QStringLiteral("FIYATSIZ.TXT"))));
}

// What the program tells in boxes before a solve goes to standard error, and
// the solve goes on: a ratio naming a nutrient the problem lacks; a matrix
// wider than the feed table (a feed removed without its column); a file
// without a header whose matrix keeps the row of a nutrient removed (the
// last row is dropped and the default compound-feed header supplied); a
// matrix row with fewer cells than feeds.
TEST(SolveTool, WarningsOnStandardErrorAndTheSolveGoesOn)
{
    test::TempDir tmp;
    QString error;
    const QString sound = tmp.file(QStringLiteral("SAGLAM"));
    const QString typo = tmp.file(QStringLiteral("YANLIS"));
    const QString damaged = tmp.file(QStringLiteral("BOZUK"));
    ASSERT_TRUE(writeProblemWithPython(sound, true, &error)) << error.toStdString();
    ASSERT_TRUE(writeProblemWithPython(typo, true, &error, QStringLiteral("FFOSFOR"))) << error.toStdString();
    ASSERT_TRUE(writeProblemWithPython(damaged, true, &error)) << error.toStdString();
    DbfTable t;
    ASSERT_TRUE(readDbfFile(damaged + QStringLiteral(".ZVF"), &t));
    for (const char* f : {"YMADI", "YMFIAT", "YMSABIT", "YMALTLIM", "YMUSTLIM"}) {
        const QString name = QString::fromLatin1(f);
        for (int r = 1; r < 5; ++r)
            t.setValue(r, name, t.value(r + 1, name));
        t.setValue(5, name, QString());
    }
    ASSERT_TRUE(writeDbfFile(damaged + QStringLiteral(".ZVF"), t));
    const QString headless = tmp.file(QStringLiteral("BASLIKSIZ"));
    ASSERT_TRUE(writeProblemWithPython(headless, true, &error)) << error.toStdString();
    ASSERT_TRUE(readDbfFile(headless + QStringLiteral(".ZVF"), &t));
    t.setValue(6, QStringLiteral("YMBMAT"), QString());  // no header
    for (const char* f : {"BMADI", "BMBIRIM", "BMSABIT", "BMALTLIM", "BMUSTLIM"}) {  // HP removed
        const QString name = QString::fromLatin1(f);
        for (int r = 2; r < 5; ++r)
            t.setValue(r, name, t.value(r + 1, name));
        t.setValue(5, name, QString());
    }
    ASSERT_TRUE(writeDbfFile(headless + QStringLiteral(".ZVF"), t));
    const QString narrow = tmp.file(QStringLiteral("DAR"));
    ASSERT_TRUE(writeProblemWithPython(narrow, true, &error)) << error.toStdString();
    ASSERT_TRUE(readDbfFile(narrow + QStringLiteral(".ZVF"), &t));
    t.setValue(1, QStringLiteral("YMBMAT"), t.value(1, QStringLiteral("YMBMAT")).left(5 * 12));  // ME_KA of TUZ gone
    ASSERT_TRUE(writeDbfFile(narrow + QStringLiteral(".ZVF"), t));

    const QString ratioWarning = QStringLiteral(
        "Uyarı... KALSIYUM/FFOSFOR: FFOSFOR besin maddesi problemde yok; bu oran çözümde kullanılmadı.\n");
    const QString matrixWarning = QStringLiteral(
        "Uyarı... %1 dosyasının matrisi yem/besin maddesi tablosuyla uyuşmuyor...\n\n"
        "Tablolarda karşılığı olmayan matris hücreleri ve satırları atılacak.\n");
    const QString paddedWarning = QStringLiteral(
        "Uyarı... %1 dosyasının matrisi yem/besin maddesi tablosuyla uyuşmuyor...\n\n"
        "Matriste karşılığı olmayan yem ve besin maddelerinin hücreleri boş (0) alınacak.\n");
    const struct {
        QString base;
        QString err;
    } cases[] = {
        {sound, QString()},
        {typo, ratioWarning},
        {damaged, matrixWarning.arg(damaged + QStringLiteral(".ZVF"))},
        {headless, matrixWarning.arg(headless + QStringLiteral(".ZVF"))},
        {narrow, paddedWarning.arg(narrow + QStringLiteral(".ZVF"))},
    };
    for (const auto& c : cases) {
        const Result r = runTool(QStringLiteral("zeva-solve"), {c.base + QStringLiteral(".ZVF")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, c.err);
        const QStringList lines = reportLines(c.base + QStringLiteral(".TXT"));
        ASSERT_GT(lines.size(), 8) << c.base.toStdString();
        EXPECT_TRUE(lines.at(7).trimmed().startsWith(QStringLiteral("§ ÇÖZÜM DURUMU:"))) << lines.at(7).toStdString();
    }
    // The ratio left out: no ratio line in the report of the typo.
    EXPECT_TRUE(reportLines(sound + QStringLiteral(".TXT")).join('\n').contains(QStringLiteral("KALSIYUM/FOSFOR")));
    EXPECT_FALSE(reportLines(typo + QStringLiteral(".TXT")).join('\n').contains(QStringLiteral("KALSIYUM/")));
}

// The example problems of the sample data solve to an optimum.
TEST(SolveTool, SampleProblemsSolve)
{
    test::TempDir tmp;
    const Result made = runTool(QStringLiteral("zeva-mkdata"), {QStringLiteral(ZEVA_SOURCE_DATA), tmp.path()});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    const QString broiler = tmp.file(QStringLiteral("Data/BROYLER"));
    const QString dairy = tmp.file(QStringLiteral("Data/SUTINEGI"));
    for (const QString& base : {broiler, dairy}) {
        const Result r = runTool(QStringLiteral("zeva-solve"), {base + QStringLiteral(".ZVF")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QStringList lines = reportLines(base + QStringLiteral(".TXT"));
        ASSERT_GT(lines.size(), 8);
        EXPECT_EQ(lines.at(7).trimmed(), QStringLiteral("§ ÇÖZÜM DURUMU: Optimum Çözüm Bulundu.")) << base.toStdString();
    }

    // Broiler feed: the shares make up the whole mix, to the last printed decimal.
    const QStringList b = reportLines(broiler + QStringLiteral(".TXT"));
    int feeds = 0;
    double total = -1;
    bool inTable = false;
    for (const QString& l : b) {
        if (l.startsWith(QStringLiteral("          ----")) && !inTable) {
            inTable = true;
            continue;
        }
        if (!inTable)
            continue;
        if (l.startsWith(QStringLiteral("          TOPLAM:"))) {
            total = l.mid(43, 11).toDouble();
            EXPECT_EQ(l.mid(43, 11), QStringLiteral("    1.00000"));
            break;
        }
        if (!l.startsWith(QStringLiteral("          ----")))
            ++feeds;
    }
    ASSERT_GT(feeds, 1);
    EXPECT_NEAR(total, 1.0, feeds * 0.000005 + 1e-12);
    const int weight = static_cast<int>(b.indexOf(QRegularExpression(QStringLiteral("^       AGIRLIK .*"))));
    ASSERT_GE(weight, 0);
    EXPECT_EQ(b.at(weight).mid(49, 11), QStringLiteral("     1.0000"));

    // Dairy ration: the total dry matter is the daily intake KMT, 20 Kg.
    const QStringList d = reportLines(dairy + QStringLiteral(".TXT"));
    const int sum = static_cast<int>(d.indexOf(QRegularExpression(QStringLiteral("^          TOPLAM \\(Kg\\).*"))));
    ASSERT_GE(sum, 0);
    EXPECT_EQ(d.at(sum).mid(42, 11), QStringLiteral("     20.000"));
    const int kmt = static_cast<int>(d.indexOf(QRegularExpression(QStringLiteral("^       KMT .*"))));
    ASSERT_GE(kmt, 0);
    EXPECT_EQ(d.at(kmt).mid(37, 11), QStringLiteral("    20.0000"));
    EXPECT_EQ(d.at(kmt).mid(49, 11), QStringLiteral("    20.0000"));
}
