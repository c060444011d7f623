#include "core/filecommands.h"

#include "core/feedlimit.h"
#include "core/helpers.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/optimizer.h"
#include "core/problemfile.h"
#include "platform/atomicfile.h"
#include "platform/runtime.h"
#include "problemtestutil.h"
#include "support/fakeport.h"
#include "support/hangguard.h"
#include "support/qstringprint.h"
#include "support/tempdir.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

using namespace zeva;
using namespace zeva::test;

namespace {

const QString kOverwrite = QStringLiteral(" Dosyası mevcut!\n\nÜzerine yazılsın mı?");
const QString kChanged = QStringLiteral(" Dosyasındaki veriler değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");
const QString kSaveFailed = QStringLiteral(" dosyasını kaydetmede hata!\n\nDeğişiklikler kaydedilmedi.");
const QString kCreated = QStringLiteral("status: Dosya oluşturuldu!");
const QString kSavedAs = QStringLiteral("status: Dosya başarıyla kaydedildi...");
const QString kNewPrice = SDAYA(QStringLiteral("99"), 3);

QString box(int type, const QString& title, const QString& text)
{
    return QStringLiteral("box %1 %2: %3").arg(type).arg(title, text);
}

NewProblemAnswer newAnswer(const QString& name, int type)
{
    NewProblemAnswer a;
    a.accepted = true;
    a.name = name;
    a.type = type;
    return a;
}

}  // namespace

class FileCommandsTest : public ::testing::Test {
public:
    FileCommandsTest()
        : cmd(port, FileCommandHooks{[this] { events << QStringLiteral("menu"); },
                                     [this](const QString& c) { events << QStringLiteral("caption ") + c; },
                                     [this](int id) { events << QStringLiteral("enable %1").arg(id); }})
    {
    }

    void SetUp() override
    {
        G().reset();
        testhooks::clearAtomicWriteFault();
        G().CDATAPATH = tmp.path();
        QDir(tmp.path()).mkdir(QStringLiteral("Data"));
        data = tmp.file(QStringLiteral("Data"));
    }
    void TearDown() override
    {
        G().reset();
        G().CDATAPATH.clear();
        testhooks::clearAtomicWriteFault();
    }

    QString at(const QString& name) const { return data + QLatin1Char('/') + name; }

    // A saved problem file of 3 feeds and 2 nutrients; nothing stays open.
    void createProblem(const QString& name)
    {
        FakePort quiet;
        DbfTable t = newProblemTable(1);
        ASSERT_TRUE(writeDbfFile(at(name), t));
        G().OPROBSERVER = std::make_shared<ProblemServer>(at(name), t);
        fillProblem(3, 2, 1);
        ASSERT_TRUE(PROBDBFUPDATE(quiet));
        G().reset();
    }

    // Opens a problem file and changes a feed price, unsaved.
    void openChanged(const QString& name)
    {
        createProblem(name);
        FakePort quiet;
        FileCommands opener(quiet);
        ASSERT_TRUE(opener.DOOPENFILE(at(name)));
        G().AYMTABLE[0][YMPRICE] = kNewPrice;
        G().LYMCHANGED = true;
    }

    QStringList filesInData() const { return QDir(data).entryList(QDir::Files | QDir::Hidden); }

    TempDir tmp;
    QString data;
    FakePort port;
    QStringList events;
    FileCommands cmd;
};

// Each case: what is on disk and open first, the scripted answers, the
// command, what the user saw, and the state afterwards.
TEST_F(FileCommandsTest, ScriptedCommands)
{
    using Fx = FileCommandsTest;
    struct Case {
        const char* what;
        std::function<void(Fx&)> setup;
        std::function<bool(Fx&)> run;
        bool result;
        std::function<QStringList(Fx&)> log;
        std::function<void(Fx&)> check;
    };
    auto newCmd = [](Fx& f) { return f.cmd.YENIDOSYAGIR(); };
    auto openCmd = [](Fx& f) { return f.cmd.FILEOPEN(); };
    auto saveAs = [](Fx& f) { return f.cmd.FKAYDET(); };
    auto closeCmd = [](Fx& f) { return f.cmd.FILECLOSE(); };
    static QByteArray before;  // bytes of a file the case must not change
    auto keep = [](Fx& f, const QString& name) { before = fileBytes(f.at(name)); };
    auto unchanged = [](Fx& f, const QString& name) { EXPECT_EQ(fileBytes(f.at(name)), before) << name.toStdString(); };
    auto stillOpenChanged = [](Fx& f, const QString& name) {
        EXPECT_EQ(openProblemPath(), f.at(name));
        EXPECT_TRUE(G().LYMCHANGED);
        EXPECT_EQ(G().AYMTABLE.value(0).value(YMPRICE), kNewPrice);
    };

    const QList<Case> cases = {
        {"New with ':' and '/' in the name",
         [](Fx& f) { f.port.newProblems << newAnswer(QStringLiteral(" a/b:c "), 1); },
         newCmd, true,
         [](Fx&) { return QStringList{QStringLiteral("newProblem"), kCreated}; },
         [](Fx& f) {
             EXPECT_EQ(f.filesInData(), QStringList{QStringLiteral("a b c.ZVF")});
             const DbfTable t = readTable(f.at(QStringLiteral("a b c.ZVF")));
             ASSERT_EQ(t.recordCount(), 1);
             EXPECT_EQ(RTrim(t.value(0, QStringLiteral("YMBMAT"))), QStringLiteral("K,1000.00,TL,Kg,"));
             EXPECT_EQ(t.fields().at(t.fieldIndex(QStringLiteral("YMSABIT"))).length, 12);
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("a b c.ZVF")));
             EXPECT_FALSE(G().anyChanged());
             EXPECT_EQ(f.events, (QStringList{QStringLiteral("menu"),
                                              QStringLiteral("caption ZEVA 2.0 - ") + f.at(QStringLiteral("a b c.ZVF"))}));
         }},
        {"New daily ration",
         [](Fx& f) { f.port.newProblems << newAnswer(QStringLiteral("inek"), 2); },
         newCmd, true,
         [](Fx&) { return QStringList{QStringLiteral("newProblem"), kCreated}; },
         [](Fx& f) {
             const DbfTable t = readTable(f.at(QStringLiteral("inek.ZVF")));
             EXPECT_EQ(RTrim(t.value(0, QStringLiteral("YMBMAT"))), QStringLiteral("G,1.000,TL,Kg,"));
             EXPECT_EQ(t.fields().at(t.fieldIndex(QStringLiteral("YMUSTLIM"))).length, 11);
             EXPECT_EQ(G().APARAMS.value(0), QStringLiteral("G"));
             EXPECT_TRUE(f.events.contains(QStringLiteral("enable 3548")));
         }},
        {"New cancelled or blank",
         [](Fx& f) { f.port.newProblems << NewProblemAnswer{} << newAnswer(QStringLiteral("   "), 1); },
         [](Fx& f) { return f.cmd.YENIDOSYAGIR() || f.cmd.YENIDOSYAGIR(); }, false,
         [](Fx&) { return QStringList{QStringLiteral("newProblem"), QStringLiteral("newProblem")}; },
         [](Fx& f) { EXPECT_TRUE(f.filesInData().isEmpty()); }},
        {"New over an existing file, No",
         [&](Fx& f) {
             f.createProblem(QStringLiteral("ESKI.ZVF"));
             keep(f, QStringLiteral("ESKI.ZVF"));
             f.port.newProblems << newAnswer(QStringLiteral("ESKI"), 1);
             f.port.replies << REPLY_NO;
         },
         newCmd, false,
         [](Fx& f) {
             return QStringList{QStringLiteral("newProblem"),
                                box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ESKI.ZVF")) + kOverwrite)};
         },
         [&](Fx& f) {
             unchanged(f, QStringLiteral("ESKI.ZVF"));
             EXPECT_FALSE(G().isOpen());
         }},
        {"New over an existing file, Yes",
         [](Fx& f) {
             f.createProblem(QStringLiteral("ESKI.ZVF"));
             f.port.newProblems << newAnswer(QStringLiteral("ESKI"), 1);
             f.port.replies << REPLY_YES;
         },
         newCmd, true,
         [](Fx& f) {
             return QStringList{QStringLiteral("newProblem"),
                                box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ESKI.ZVF")) + kOverwrite),
                                kCreated};
         },
         [](Fx& f) {
             EXPECT_EQ(readTable(f.at(QStringLiteral("ESKI.ZVF"))).recordCount(), 1);
             EXPECT_TRUE(G().AYMTABLE.isEmpty());
         }},
        {"New onto the open problem's name, in another letter case",
         [](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             f.port.newProblems << newAnswer(QStringLiteral("acik"), 2);
             f.port.replies << REPLY_YES << REPLY_YES;  // overwrite, then save the open one first
         },
         newCmd, true,
         [](Fx& f) {
             return QStringList{QStringLiteral("newProblem"),
                                box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("acik.ZVF")) + kOverwrite),
                                box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ACIK.ZVF")) + kChanged),
                                kCreated};
         },
         [](Fx& f) {
             EXPECT_EQ(f.filesInData(), QStringList{QStringLiteral("ACIK.ZVF")});
             const DbfTable t = readTable(f.at(QStringLiteral("ACIK.ZVF")));
             ASSERT_EQ(t.recordCount(), 1);  // the new problem only: nothing of the old one written over it
             EXPECT_EQ(RTrim(t.value(0, QStringLiteral("YMBMAT"))), QStringLiteral("G,1.000,TL,Kg,"));
             EXPECT_TRUE(isBlankCell(t.value(0, QStringLiteral("YMADI"))));
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("ACIK.ZVF")));
             EXPECT_TRUE(G().AYMTABLE.isEmpty());
             EXPECT_FALSE(G().anyChanged());
         }},
        {"New stops when the open problem cannot be saved, and makes no file",
         [&](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             keep(f, QStringLiteral("ACIK.ZVF"));
             f.port.newProblems << newAnswer(QStringLiteral("YENI"), 2);
             f.port.replies << REPLY_YES;
             testhooks::failAtomicWrite(testhooks::WriteFault::Rename);  // the save in the close
         },
         newCmd, false,
         [](Fx& f) {
             return QStringList{QStringLiteral("newProblem"),
                                box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ACIK.ZVF")) + kChanged),
                                box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("ACIK.ZVF")) + kSaveFailed)};
         },
         [&](Fx& f) {
             stillOpenChanged(f, QStringLiteral("ACIK.ZVF"));
             EXPECT_EQ(G().APARAMS.value(0), QStringLiteral("K"));
             unchanged(f, QStringLiteral("ACIK.ZVF"));
             EXPECT_EQ(f.filesInData(), QStringList{QStringLiteral("ACIK.ZVF")});
             EXPECT_FALSE(f.events.contains(QStringLiteral("enable 3548")));
         }},
        {"New over a file that may not be written: told before the open problem is closed for it",
         [&](Fx& f) {
             f.createProblem(QStringLiteral("KORUNAN.ZVF"));
             ASSERT_TRUE(QFile::setPermissions(f.at(QStringLiteral("KORUNAN.ZVF")), QFileDevice::ReadOwner));
             keep(f, QStringLiteral("KORUNAN.ZVF"));
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             f.port.newProblems << newAnswer(QStringLiteral("KORUNAN"), 1);
             f.port.replies << REPLY_YES;
         },
         newCmd, false,
         [](Fx& f) {
             return QStringList{QStringLiteral("newProblem"),
                                box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("KORUNAN.ZVF")) + kOverwrite),
                                QStringLiteral("status: Dosya Oluşturmada hata...")};
         },
         [&](Fx& f) {
             unchanged(f, QStringLiteral("KORUNAN.ZVF"));
             stillOpenChanged(f, QStringLiteral("ACIK.ZVF"));
         }},
        {"New: the table cannot be created",
         [&](Fx& f) {
             f.createProblem(QStringLiteral("ESKI.ZVF"));
             keep(f, QStringLiteral("ESKI.ZVF"));
             f.port.newProblems << newAnswer(QStringLiteral("ESKI"), 1);
             f.port.replies << REPLY_YES;
             testhooks::failAtomicWrite(testhooks::WriteFault::Write);
         },
         newCmd, false,
         [](Fx& f) {
             return QStringList{QStringLiteral("newProblem"),
                                box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ESKI.ZVF")) + kOverwrite),
                                QStringLiteral("status: Dosya Oluşturmada hata...")};
         },
         [&](Fx& f) {
             unchanged(f, QStringLiteral("ESKI.ZVF"));  // the old file survives a failed creation
             EXPECT_FALSE(G().isOpen());
         }},
        {"Open stops when the open problem cannot be saved",
         [&](Fx& f) {
             f.createProblem(QStringLiteral("DIGER.ZVF"));
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             keep(f, QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("DIGER.ZVF"));
             f.port.replies << REPLY_YES;
             testhooks::failAtomicWrite(testhooks::WriteFault::Write);
         },
         openCmd, false,
         [](Fx& f) {
             return QStringList{QStringLiteral("open Aç..."),
                                box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ACIK.ZVF")) + kChanged),
                                box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("ACIK.ZVF")) + kSaveFailed)};
         },
         [&](Fx& f) {
             stillOpenChanged(f, QStringLiteral("ACIK.ZVF"));
             unchanged(f, QStringLiteral("ACIK.ZVF"));
         }},
        {"Open a name in lower case: the file is found, the caption shows the name as chosen",
         [](Fx& f) {
             f.createProblem(QStringLiteral("DIGER.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("diger.zvf"));
         },
         openCmd, true,
         [](Fx&) { return QStringList{QStringLiteral("open Aç...")}; },
         [](Fx& f) {
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("DIGER.ZVF")));
             EXPECT_EQ(G().AYMTABLE.size(), 3);
             EXPECT_EQ(f.events.value(1), QStringLiteral("caption ZEVA 2.0 - ") + f.at(QStringLiteral("diger.zvf")));
         }},
        {"Open refuses other extensions, missing files and files that are no table",
         [](Fx& f) {
             f.createProblem(QStringLiteral("DIGER.ZVF"));
             QFile::copy(f.at(QStringLiteral("DIGER.ZVF")), f.at(QStringLiteral("x.dbf")));
             QFile bad(f.at(QStringLiteral("BOZUK.ZVF")));
             ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
             bad.write("not a table");
             f.port.fileNames << f.at(QStringLiteral("x.dbf")) << f.at(QStringLiteral("YOK.ZVF"))
                              << f.at(QStringLiteral("BOZUK.ZVF")) << QString();
         },
         [](Fx& f) {
             bool opened = false;
             for (int i = 0; i < 4; ++i)
                 opened = f.cmd.FILEOPEN() || opened;  // all four, in order
             return opened;
         },
         false,
         [](Fx& f) {
             const QString open = QStringLiteral("open Aç...");
             return QStringList{
                 open, box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("x.dbf")) + QStringLiteral(" dosyası bir ZEVA veri dosyası değil...")),
                 open, box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("YOK.ZVF")) + QStringLiteral(" dosyası bulunamıyor...")),
                 open, box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("BOZUK.ZVF")) + QStringLiteral(" veri dosyasını açmada hata!")),
                 open};
         },
         [](Fx&) { EXPECT_FALSE(G().isOpen()); }},
        {"Save As onto its own file, written another way",
         [&](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             keep(f, QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.data + QStringLiteral("/../Data/./ACIK.ZVF") << f.at(QStringLiteral("acik.zvf"));
         },
         [](Fx& f) { return f.cmd.FKAYDET() || f.cmd.FKAYDET(); }, false,
         [](Fx&) {
             const QString refused = QStringLiteral("status: Açık dosyayı kendi üzerine kaydetme teşbbüsü...");
             return QStringList{QStringLiteral("save Farklı Kaydet"), refused, QStringLiteral("save Farklı Kaydet"), refused};
         },
         [&](Fx& f) {
             stillOpenChanged(f, QStringLiteral("ACIK.ZVF"));  // not even the pending change is saved
             unchanged(f, QStringLiteral("ACIK.ZVF"));
         }},
        {"Save As without extension",
         [](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("KOPYA"));
         },
         saveAs, true,
         [](Fx&) { return QStringList{QStringLiteral("save Farklı Kaydet"), kSavedAs}; },
         [](Fx& f) {
             EXPECT_EQ(f.filesInData(), (QStringList{QStringLiteral("ACIK.ZVF"), QStringLiteral("KOPYA.ZVF")}));
             EXPECT_EQ(fileBytes(f.at(QStringLiteral("KOPYA.ZVF"))), fileBytes(f.at(QStringLiteral("ACIK.ZVF"))));
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("KOPYA.ZVF")));
             EXPECT_EQ(PROBFILEBASE(), f.at(QStringLiteral("KOPYA")));
             EXPECT_FALSE(G().anyChanged());
             EXPECT_EQ(G().AYMTABLE.value(0).value(YMPRICE), kNewPrice);
             EXPECT_EQ(readTable(f.at(QStringLiteral("ACIK.ZVF"))).value(0, QStringLiteral("YMFIAT")), kNewPrice);
         }},
        {"Save As x.zvf and y.dbf give x.ZVF and y.ZVF",
         [](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("x.zvf")) << f.at(QStringLiteral("y.dbf"));
         },
         [](Fx& f) { return f.cmd.FKAYDET() && f.cmd.FKAYDET(); }, true,
         [](Fx&) { return QStringList{QStringLiteral("save Farklı Kaydet"), kSavedAs, QStringLiteral("save Farklı Kaydet"), kSavedAs}; },
         [](Fx& f) {
             EXPECT_EQ(f.filesInData(), (QStringList{QStringLiteral("ACIK.ZVF"), QStringLiteral("x.ZVF"),
                                                     QStringLiteral("y.ZVF")}));
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("y.ZVF")));
         }},
        {"Save As onto an existing file, No",
         [&](Fx& f) {
             f.createProblem(QStringLiteral("DIGER.ZVF"));
             keep(f, QStringLiteral("DIGER.ZVF"));
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("DIGER.ZVF"));
             f.port.replies << REPLY_NO;
         },
         saveAs, false,
         [](Fx& f) {
             return QStringList{QStringLiteral("save Farklı Kaydet"),
                                box(20, QStringLiteral("Uyarı..."), f.at(QStringLiteral("DIGER.ZVF")) + kOverwrite)};
         },
         [&](Fx& f) {
             stillOpenChanged(f, QStringLiteral("ACIK.ZVF"));
             unchanged(f, QStringLiteral("DIGER.ZVF"));
         }},
        {"Save As onto an existing file in another letter case, Yes",
         [](Fx& f) {
             f.createProblem(QStringLiteral("DIGER.ZVF"));
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("diger.ZVF"));
             f.port.replies << REPLY_YES;
         },
         saveAs, true,
         [](Fx& f) {
             return QStringList{QStringLiteral("save Farklı Kaydet"),
                                box(20, QStringLiteral("Uyarı..."), f.at(QStringLiteral("diger.ZVF")) + kOverwrite), kSavedAs};
         },
         [](Fx& f) {
             EXPECT_EQ(f.filesInData(), (QStringList{QStringLiteral("ACIK.ZVF"), QStringLiteral("DIGER.ZVF")}));
             EXPECT_EQ(fileBytes(f.at(QStringLiteral("DIGER.ZVF"))), fileBytes(f.at(QStringLiteral("ACIK.ZVF"))));
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("DIGER.ZVF")));
         }},
        {"Save As: the copy fails",
         [](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("KOPYA.ZVF"));
             testhooks::failAtomicWrite(testhooks::WriteFault::Rename, 1);  // the save passes, the copy fails
         },
         saveAs, false,
         [](Fx& f) {
             return QStringList{QStringLiteral("save Farklı Kaydet"),
                                box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("KOPYA.ZVF")) + QStringLiteral(" dosyasına kopyalamada hata!"))};
         },
         [](Fx& f) {
             EXPECT_EQ(f.filesInData(), QStringList{QStringLiteral("ACIK.ZVF")});
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("ACIK.ZVF")));
             EXPECT_FALSE(G().anyChanged());
             EXPECT_EQ(readTable(f.at(QStringLiteral("ACIK.ZVF"))).value(0, QStringLiteral("YMFIAT")), kNewPrice);
         }},
        {"Save As after a failed save of the source writes the problem into the chosen file",
         [&](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             keep(f, QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("KOPYA"));
             testhooks::failAtomicWrite(testhooks::WriteFault::Write);  // the save fails, the new file not
         },
         saveAs, true,
         [](Fx& f) {
             return QStringList{QStringLiteral("save Farklı Kaydet"),
                                box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("ACIK.ZVF")) + kSaveFailed),
                                kSavedAs};
         },
         [&](Fx& f) {
             unchanged(f, QStringLiteral("ACIK.ZVF"));
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("KOPYA.ZVF")));
             // The source closed without a question, the new file opened.
             EXPECT_EQ(f.events, (QStringList{QStringLiteral("menu"), QStringLiteral("menu"),
                                              QStringLiteral("caption ZEVA 2.0 - ") + f.at(QStringLiteral("KOPYA.ZVF"))}));
             EXPECT_FALSE(G().anyChanged());
             EXPECT_EQ(G().AYMTABLE.value(0).value(YMPRICE), kNewPrice);
             // The new file is the source with the change: the same records,
             // field by field, but the one price.
             const DbfTable source = readTable(f.at(QStringLiteral("ACIK.ZVF")));
             const DbfTable copy = readTable(f.at(QStringLiteral("KOPYA.ZVF")));
             ASSERT_EQ(copy.recordCount(), source.recordCount());
             ASSERT_EQ(copy.fields().size(), source.fields().size());
             for (int r = 0; r < source.recordCount(); ++r)
                 for (int c = 0; c < source.fields().size(); ++c) {
                     const bool price = r == 0 && source.fields().at(c).name == QLatin1String("YMFIAT");
                     EXPECT_EQ(copy.value(r, c), price ? kNewPrice : source.value(r, c)) << r << " " << c;
                 }
             EXPECT_NE(source.value(0, QStringLiteral("YMFIAT")), kNewPrice);
         }},
        {"Save As when the chosen file cannot be written either",
         [&](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             ASSERT_TRUE(QFile::setPermissions(f.at(QStringLiteral("ACIK.ZVF")), QFile::ReadOwner | QFile::ReadGroup));
             keep(f, QStringLiteral("ACIK.ZVF"));
             f.port.fileNames << f.at(QStringLiteral("KOPYA.ZVF"));
             testhooks::failAtomicWrite(testhooks::WriteFault::Rename, 1);  // a full disk for the new file
         },
         saveAs, false,
         [](Fx& f) {
             return QStringList{QStringLiteral("save Farklı Kaydet"),
                                box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("ACIK.ZVF")) + kSaveFailed),
                                box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("KOPYA.ZVF")) + kSaveFailed)};
         },
         [&](Fx& f) {
             stillOpenChanged(f, QStringLiteral("ACIK.ZVF"));
             unchanged(f, QStringLiteral("ACIK.ZVF"));
             EXPECT_EQ(f.filesInData(), QStringList{QStringLiteral("ACIK.ZVF")});
             EXPECT_TRUE(f.events.isEmpty());
         }},
        {"Save As refused for too many feeds writes nowhere",
         [&](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             keep(f, QStringLiteral("ACIK.ZVF"));
             for (int j = 3; j < 86; ++j) {
                 G().AYMTABLE << Row{PadR(QStringLiteral("YEM %1").arg(j), 20), blankCell(), blankCell(),
                                     blankCell(), blankCell()};
                 G().AYMNAMES << QStringLiteral("YEM %1").arg(j);
             }
             f.port.fileNames << f.at(QStringLiteral("KOPYA.ZVF"));
         },
         saveAs, false,
         [](Fx&) {
             return QStringList{QStringLiteral("save Farklı Kaydet"),
                                box(16, QStringLiteral("Hata..."), tooManyFeedsText(85) + QStringLiteral("\nKayıt yapılmadı."))};
         },
         [&](Fx& f) {
             unchanged(f, QStringLiteral("ACIK.ZVF"));
             EXPECT_EQ(f.filesInData(), QStringList{QStringLiteral("ACIK.ZVF")});
             EXPECT_EQ(openProblemPath(), f.at(QStringLiteral("ACIK.ZVF")));
         }},
        {"Close with Yes",
         [](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             f.port.replies << REPLY_YES;
         },
         closeCmd, true,
         [](Fx& f) { return QStringList{box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ACIK.ZVF")) + kChanged)}; },
         [](Fx& f) {
             EXPECT_FALSE(G().isOpen());
             EXPECT_TRUE(G().AYMTABLE.isEmpty() && G().APARAMS.isEmpty() && !G().anyChanged());
             EXPECT_EQ(f.events, QStringList{QStringLiteral("menu")});
             EXPECT_EQ(readTable(f.at(QStringLiteral("ACIK.ZVF"))).value(0, QStringLiteral("YMFIAT")), kNewPrice);
         }},
        {"Close with No",
         [&](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             keep(f, QStringLiteral("ACIK.ZVF"));
             f.port.replies << REPLY_NO;
         },
         closeCmd, true,
         [](Fx& f) { return QStringList{box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ACIK.ZVF")) + kChanged)}; },
         [&](Fx& f) {
             EXPECT_FALSE(G().isOpen());
             EXPECT_TRUE(G().AMATRIX.isEmpty() && !G().anyChanged());
             unchanged(f, QStringLiteral("ACIK.ZVF"));
         }},
        {"Close without a change asks nothing",
         [](Fx& f) {
             f.createProblem(QStringLiteral("ACIK.ZVF"));
             FakePort quiet;
             ASSERT_TRUE(FileCommands(quiet).DOOPENFILE(f.at(QStringLiteral("ACIK.ZVF"))));
         },
         closeCmd, true,
         [](Fx&) { return QStringList{}; },
         [](Fx&) { EXPECT_FALSE(G().isOpen()); }},
        {"Close with Yes when the save fails: the problem stays open",
         [&](Fx& f) {
             f.openChanged(QStringLiteral("ACIK.ZVF"));
             keep(f, QStringLiteral("ACIK.ZVF"));
             f.port.replies << REPLY_YES;
             testhooks::failAtomicWrite(testhooks::WriteFault::Rename);
         },
         closeCmd, false,
         [](Fx& f) {
             return QStringList{box(36, QStringLiteral("Uyarı..."), f.at(QStringLiteral("ACIK.ZVF")) + kChanged),
                                box(16, QStringLiteral("Hata..."), f.at(QStringLiteral("ACIK.ZVF")) + kSaveFailed)};
         },
         [&](Fx& f) {
             stillOpenChanged(f, QStringLiteral("ACIK.ZVF"));
             unchanged(f, QStringLiteral("ACIK.ZVF"));
             EXPECT_TRUE(f.events.isEmpty());
         }},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        for (const QString& f : filesInData())
            QFile::remove(at(f));
        SetUp();
        port = FakePort();
        c.setup(*this);
        events.clear();
        EXPECT_EQ(c.run(*this), c.result);
        EXPECT_EQ(port.log, c.log(*this));
        EXPECT_TRUE(port.allAnswersUsed());
        EXPECT_FALSE(testhooks::atomicWriteFaultPending());
        c.check(*this);
    }
}

// A damaged file, or one that is no problem file, gives the open error and is
// left as it was; nothing is open afterwards.
TEST_F(FileCommandsTest, DamagedFilesGiveTheOpenErrorAndStayUnchanged)
{
    createProblem(QStringLiteral("IYI.ZVF"));
    const QByteArray good = fileBytes(at(QStringLiteral("IYI.ZVF")));
    const int headerLen = static_cast<unsigned char>(good.at(8)) | (static_cast<unsigned char>(good.at(9)) << 8);
    const int recordLen = static_cast<unsigned char>(good.at(10)) | (static_cast<unsigned char>(good.at(11)) << 8);
    ASSERT_EQ(good.at(4), 3);  // three records
    auto patched = [&](int at, char value) {
        QByteArray b = good;
        b[at] = value;
        return b;
    };
    DbfTable crowded = newProblemTable(1);  // one feed more than a matrix row holds
    for (int i = 0; i < 86; ++i)
        crowded.setValue(crowded.appendRecord(), QStringLiteral("YMADI"), feedName(i));

    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"zero-length file", QByteArray()},
        {"cut inside the last record", good.left(headerLen + 2 * recordLen + recordLen / 2)},
        {"cut after the second record", good.left(headerLen + 2 * recordLen)},
        {"header counting more records", patched(4, 4)},
        {"header with a wider field", patched(64 + 16, 20)},  // YMFIAT
        {"header with a narrower field", patched(64 + 16, 5)},
        {"not a table", QByteArray("YMADI;YMFIAT\nArpa;1.5\n")},
        {"86 feeds", crowded.toBytes()},
    };
    const QString path = at(QStringLiteral("BOZUK.ZVF"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        G().reset();
        port = FakePort();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        EXPECT_FALSE(cmd.DOOPENFILE(path));
        EXPECT_EQ(port.log, QStringList{box(16, QStringLiteral("Hata..."), path + QStringLiteral(" veri dosyasını açmada hata!"))});
        EXPECT_FALSE(G().isOpen());
        EXPECT_TRUE(G().AYMTABLE.isEmpty());
        EXPECT_EQ(fileBytes(path), c.bytes);
    }

    // The same file whole opens; 85 feeds still do.
    port = FakePort();
    EXPECT_TRUE(cmd.DOOPENFILE(at(QStringLiteral("IYI.ZVF"))));
    crowded.setValue(85, QStringLiteral("YMADI"), QString());
    ASSERT_TRUE(writeDbfFile(path, crowded));
    EXPECT_TRUE(cmd.DOOPENFILE(path));
    EXPECT_EQ(G().AYMTABLE.size(), 85);
    EXPECT_TRUE(port.log.isEmpty());
}

// A matrix that does not fit the file's feed and nutrient tables is cut or
// completed to them as it is read; the open says so first, in a warning, and
// goes on: rows or cells beyond the tables (a last row that is no header
// among them: it is dropped and the default header supplied), and, in a file
// with feeds and nutrients, rows or cells missing. What the save writes opens
// without a word: as many rows as nutrients, each with a cell per feed; no
// cells without feeds; one row of blank cells for feeds without nutrients.
// The open file, unchanged, has been replaced by a pipe when "Farklı Kaydet"
// copies it: the copy fails at once and says so, and nothing is written.
TEST_F(FileCommandsTest, SaveAsDoesNotWaitOnAPipeInTheOpenFilesPlace)
{
    createProblem(QStringLiteral("A.ZVF"));
    ASSERT_TRUE(cmd.DOOPENFILE(at(QStringLiteral("A.ZVF"))));
    ASSERT_FALSE(G().anyChanged());
    ASSERT_TRUE(QFile::remove(at(QStringLiteral("A.ZVF"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at(QStringLiteral("A.ZVF"))).constData(), 0644), 0);
    port = FakePort();
    port.fileNames << at(QStringLiteral("B.ZVF"));
    bool saved = true;
    {
        test::PipeGuard guard({at(QStringLiteral("A.ZVF"))});
        saved = cmd.FKAYDET();
        EXPECT_FALSE(guard.hung()) << "the copy waited on the pipe";
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{at(QStringLiteral("B.ZVF")) + QStringLiteral(" dosyasına kopyalamada hata!")});
    EXPECT_FALSE(QFile::exists(at(QStringLiteral("B.ZVF"))));
}

TEST_F(FileCommandsTest, AMatrixThatDoesNotFitItsTablesIsToldBeforeItIsRead)
{
    const QString Y = QStringLiteral("YMADI"), B = QStringLiteral("BMADI"), M = QStringLiteral("YMBMAT");
    const QString header = QStringLiteral("K,1000.00,TL,Kg,");
    const QStringList compound{"K", "1000.00", "TL", "Kg"};
    const QStringList ration{"G", "1.000", "TL", "Kg"};
    using Rec = QList<QPair<QString, QString>>;
    enum Warning { None, Cut, Padded, Both };
    struct Case {
        const char* what;
        QList<Rec> records;
        Warning warning;
        Table matrix;        // as read
        QStringList params;  // as read
    };
    const QString b11 = blankCell();
    const QString cell = PadL(QStringLiteral("0.0200"), kCellWidth);
    const QString one = PadL(QStringLiteral("1.0000"), kCellWidth);
    const Case cases[] = {
        {"as the save writes it",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,3100,"}}, {{Y, "ARPA"}, {B, "HP"}, {M, "8.5,13,"}}, {{M, header}}},
         None, {{"3350", "3100"}, {"8.5", "13"}}, compound},
        // Feed 2 and its column removed, then a matrix of three cells saved
        // over the two feeds left.
        {"three cells for two feeds",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,3100,2440,"}},
          {{Y, "SOYA KÜSPESİ 48"}, {B, "HP"}, {M, "8.5,13,48.5,"}},
          {{M, header}}},
         Cut, {{"3350", "3100"}, {"8.5", "13"}}, compound},
        {"three rows for two nutrients",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,"}}, {{B, "HP"}, {M, "8.5,"}}, {{M, "0.02,"}}, {{M, header}}},
         Cut, {{"3350"}, {"8.5"}}, compound},
        {"four rows for two nutrients, no header",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,"}}, {{B, "HP"}, {M, "8.5,"}}, {{M, "0.02,"}}, {{M, "0.08,"}}},
         Cut, {{"3350"}, {"8.5"}}, compound},
        // No header; the nutrient record of HP removed, its matrix row kept:
        // the last row is no header but a row beyond the nutrients.
        {"a nutrient removed from a file without a header",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,3100,"}},
          {{Y, "ARPA"}, {B, "KALSIYUM"}, {M, "8.5,13,"}},
          {{M, cell + "," + cell + ","}}},
         Cut, {{"3350", "3100"}, {"8.5", "13"}}, compound},
        {"a last row that begins with a type is the header, whatever its length",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,"}}, {{M, "G,1.000,TL,"}}},
         None, {{"3350"}}, {"G", "1.000", "TL", ""}},
        {"a row after the header",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,"}}, {{M, "G,1.000,TL,Kg,"}}, {{M, "8.5,"}}},
         Cut, {{"3350"}}, ration},
        {"matrix rows without any nutrient", {{{Y, "MISIR"}, {M, "3350,"}}, {{M, header}}}, Cut, {{one}}, compound},
        {"feeds without nutrients as the save writes them",
         {{{Y, "MISIR"}, {M, b11 + "," + b11 + ","}}, {{Y, "ARPA"}, {M, header}}},
         None, {{one, one}}, compound},
        {"fewer cells than feeds",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,"}}, {{Y, "ARPA"}, {B, "HP"}, {M, "8.5,13,"}}, {{M, header}}},
         Padded, {{"3350", b11}, {"8.5", "13"}}, compound},
        {"fewer rows than nutrients",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,"}}, {{B, "HP"}, {M, header}}},
         Padded, {{"3350"}, {b11}}, compound},
        {"feeds and nutrients without any matrix record", {{{Y, "MISIR"}, {B, "ME_KA"}}}, Padded, {{b11}}, compound},
        {"a row too short and one too long",
         {{{Y, "MISIR"}, {B, "ME_KA"}, {M, "3350,"}}, {{Y, "ARPA"}, {B, "HP"}, {M, "8.5,13,48.5,"}}, {{M, header}}},
         Both, {{"3350", b11}, {"8.5", "13"}}, compound},
        {"nutrients without feeds", {{{B, "ME_KA"}, {M, header}}, {{B, "HP"}}}, None, {{}, {}}, compound},
    };
    const QString path = at(QStringLiteral("MATRIS.ZVF"));
    const QString first = path + QStringLiteral(" dosyasının matrisi yem/besin maddesi tablosuyla uyuşmuyor...\n\n");
    const QString cut = QStringLiteral("Tablolarda karşılığı olmayan matris hücreleri ve satırları atılacak.");
    const QString padded =
        QStringLiteral("Matriste karşılığı olmayan yem ve besin maddelerinin hücreleri boş (0) alınacak.");
    const QString warnings[] = {QString(), first + cut, first + padded, first + cut + "\n" + padded};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        G().reset();
        port = FakePort();
        events.clear();
        DbfTable t = newProblemTable(1);
        for (const Rec& rec : c.records) {
            const int r = t.appendRecord();
            for (const auto& [name, value] : rec)
                t.setValue(r, name, value);
        }
        ASSERT_TRUE(writeDbfFile(path, t));
        const QByteArray bytes = fileBytes(path);

        ASSERT_TRUE(cmd.DOOPENFILE(path));
        const QStringList warning{box(BOX_WARNING, QStringLiteral("Uyarı..."), warnings[c.warning])};
        EXPECT_EQ(port.log, c.warning == None ? QStringList{} : warning);
        EXPECT_EQ(events, (QStringList{"menu", "caption ZEVA 2.0 - " + path}));
        EXPECT_TRUE(G().isOpen());
        EXPECT_EQ(G().AMATRIX, c.matrix);
        EXPECT_EQ(G().APARAMS, c.params);
        EXPECT_EQ(fileBytes(path), bytes);

        // A plain save writes the problem as shown: the file opens again
        // without the warning, as the same problem.
        const ActiveProblem shown = G();
        ASSERT_TRUE(cmd.KAYDET());
        EXPECT_FALSE(G().anyChanged());
        G().reset();
        port = FakePort();
        ASSERT_TRUE(cmd.DOOPENFILE(path));
        EXPECT_TRUE(port.log.isEmpty()) << port.log.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(matrixFit(readTable(path)).fits());
        EXPECT_EQ(G().AYMTABLE, shown.AYMTABLE);
        EXPECT_EQ(G().ABMTABLE, shown.ABMTABLE);
        EXPECT_EQ(G().AMATRIX, shown.AMATRIX);
        EXPECT_EQ(G().APARAMS, shown.APARAMS);
    }

    // Feeds put into a new problem before any nutrient, saved and opened
    // again, as the feed window leaves them: no warning.
    G().reset();
    port = FakePort();
    port.newProblems << newAnswer(QStringLiteral("YEMLER"), 1);
    ASSERT_TRUE(cmd.YENIDOSYAGIR());
    for (int j = 1; j <= 2; ++j) {
        G().AYMTABLE << Row{PadR(feedName(j), kYmNameWidth), b11, b11, b11, b11};
        G().rebuildFeedNames();
        ADDMATCOL(j);
    }
    G().LYMCHANGED = true;
    ASSERT_TRUE(cmd.KAYDET());
    G().reset();
    port = FakePort();
    ASSERT_TRUE(cmd.DOOPENFILE(at(QStringLiteral("YEMLER.ZVF"))));
    EXPECT_TRUE(port.log.isEmpty()) << port.log.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(G().ABMNAMES, QStringList{QStringLiteral("AGIRLIK")});
}

// Bytes after the records the header counts (a record another tool wrote
// without counting it, stray bytes after the end-of-file byte) do not stop
// the open: the counted records are the problem, it solves, the open leaves
// the file as it was, and the next save writes it clean.
TEST_F(FileCommandsTest, FilesWithBytesAfterTheirRecordsOpenSolveAndSaveClean)
{
    createProblem(QStringLiteral("IYI.ZVF"));
    const QByteArray good = fileBytes(at(QStringLiteral("IYI.ZVF")));
    const int headerLen = byteAt(good, 8) | byteAt(good, 9) << 8;
    const int recordLen = byteAt(good, 10) | byteAt(good, 11) << 8;
    ASSERT_EQ(good.size(), headerLen + 3 * recordLen + 1);
    QByteArray extraRecord = good.mid(headerLen, recordLen);
    extraRecord.replace(1, 5, "FAZLA");
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"one uncounted record", good.left(good.size() - 1) + extraRecord + '\x1A'},
        {"37 stray bytes after the end-of-file byte", good + QByteArray(37, '#')},
    };
    const QString path = at(QStringLiteral("FAZLA.ZVF"));
    const QString report = at(QStringLiteral("FAZLA.TXT"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        G().reset();
        port = FakePort();
        QFile::remove(report);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();

        ASSERT_TRUE(cmd.DOOPENFILE(path));
        EXPECT_TRUE(port.log.isEmpty()) << port.log.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(G().AYMNAMES, (QStringList{feedName(1), feedName(2), feedName(3)}));
        EXPECT_EQ(G().ABMTABLE.size(), 2);
        EXPECT_EQ(fileBytes(path), c.bytes);

        FakePort solver;
        solver.params << ParamAnswer{true, false, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")};
        KY_OPTIMIZER opt(solver);
        EXPECT_TRUE(opt.RESULT());
        EXPECT_TRUE(fileBytes(report).contains("Optimum"));
        EXPECT_EQ(fileBytes(path), c.bytes);

        G().AYMTABLE[0][YMPRICE] = kNewPrice;
        G().LYMCHANGED = true;
        ASSERT_TRUE(cmd.KAYDET());
        const QByteArray saved = fileBytes(path);
        EXPECT_EQ(saved.size(), headerLen + 3 * recordLen + 1);
        EXPECT_EQ(byteAt(saved, 4), 3);
        EXPECT_TRUE(saved.endsWith('\x1A'));
        EXPECT_FALSE(saved.contains("FAZLA"));
        EXPECT_EQ(saved.mid(headerLen + 1 + 15, 11), kNewPrice.toLatin1());
    }
}

// A problem file that is only read-only opens writable and saves; one made
// read-only while it is open is not replaced: the save shows its error and the
// file keeps its bytes. A problem opened through a symbolic link is saved into
// the file the link names, and the link stays.
TEST_F(FileCommandsTest, ReadOnlyFilesAndLinks)
{
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    createProblem(QStringLiteral("SALT.ZVF"));
    const QString path = at(QStringLiteral("SALT.ZVF"));
    ASSERT_TRUE(QFile::setPermissions(path, readOnly));
    ASSERT_TRUE(cmd.DOOPENFILE(path));
    G().AYMTABLE[0][YMPRICE] = kNewPrice;
    G().LYMCHANGED = true;
    EXPECT_TRUE(cmd.KAYDET());
    EXPECT_TRUE(port.boxes.isEmpty());
    EXPECT_TRUE(fileBytes(path).contains(kNewPrice.toLatin1()));

    ASSERT_TRUE(QFile::setPermissions(path, readOnly));
    const QByteArray before = fileBytes(path);
    G().AYMTABLE[1][YMPRICE] = kNewPrice;
    G().LYMCHANGED = true;
    EXPECT_FALSE(cmd.KAYDET());
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes[0].type, BOX_ERROR);
    EXPECT_EQ(port.boxes[0].text, path + QStringLiteral(" dosyasını kaydetmede hata!\n\nDeğişiklikler kaydedilmedi."));
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_TRUE(G().LYMCHANGED);
    G().reset();

    createProblem(QStringLiteral("ASIL.ZVF"));
    const QString link = tmp.file(QStringLiteral("BAG.ZVF"));
    ASSERT_TRUE(QFile::link(at(QStringLiteral("ASIL.ZVF")), link));
    port = FakePort();
    ASSERT_TRUE(cmd.DOOPENFILE(link));
    G().AYMTABLE[0][YMPRICE] = kNewPrice;
    G().LYMCHANGED = true;
    EXPECT_TRUE(cmd.KAYDET());
    EXPECT_TRUE(port.boxes.isEmpty());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(fileBytes(at(QStringLiteral("ASIL.ZVF"))).contains(kNewPrice.toLatin1()));
}

// As an ordinary user (the tests may run as root, whom no folder stops): a
// problem opened from a folder made read-only after the open, a price changed,
// Save As into the writable data folder. The save into the source fails and
// is told, the new file holds the change, the source keeps its bytes and the
// new file is the open problem. With the data folder read-only too, nothing
// is written anywhere and the problem stays open with its change.
TEST_F(FileCommandsTest, SaveAsFromAFolderMadeReadOnlyAfterTheOpen)
{
    SharedTempDir shared;
    ASSERT_TRUE(shared.valid());
    runUnprivileged([&](ChildChecks& check) {
        const QString sourceDir = shared.file(QStringLiteral("Kaynak"));
        const QString dataDir = shared.file(QStringLiteral("Data"));
        const QString source = sourceDir + QStringLiteral("/ORNEK.ZVF");
        const QString copy = dataDir + QStringLiteral("/YENI.ZVF");
        const QString second = dataDir + QStringLiteral("/IKINCI.ZVF");
        auto chmodDir = [](const QString& dir, mode_t mode) {
            return ::chmod(QFile::encodeName(dir).constData(), mode) == 0;
        };
        CHILD_EXPECT(check, QDir().mkdir(sourceDir) && QDir().mkdir(dataDir));
        G().reset();
        G().CDATAPATH = shared.path();
        {
            FakePort quiet;
            DbfTable t = newProblemTable(1);
            CHILD_EXPECT(check, writeDbfFile(source, t));
            G().OPROBSERVER = std::make_shared<ProblemServer>(source, t);
            fillProblem(3, 2, 1);
            CHILD_EXPECT(check, PROBDBFUPDATE(quiet));
            G().reset();
        }
        FakePort user;
        FileCommands files(user);
        CHILD_EXPECT(check, files.DOOPENFILE(source));
        CHILD_EXPECT(check, chmodDir(sourceDir, 0555));
        const QByteArray before = childRead(source);
        G().AMATRIX[1][2] = SDAYA(QStringLiteral("7,25"), 4);
        G().LMATCHANGED = true;

        user.fileNames << copy;
        CHILD_EXPECT(check, files.FKAYDET());
        CHILD_EXPECT(check, user.log == (QStringList{QStringLiteral("save Farklı Kaydet"),
                                                     box(16, QStringLiteral("Hata..."), source + kSaveFailed),
                                                     kSavedAs}));
        CHILD_EXPECT(check, childRead(source) == before);
        CHILD_EXPECT(check, openProblemPath() == copy);
        CHILD_EXPECT(check, !G().anyChanged());
        DbfTable t;
        CHILD_EXPECT(check, readDbfFile(copy, &t));
        CHILD_EXPECT(check, t.value(1, QStringLiteral("YMBMAT")).mid(24, 11) == SDAYA(QStringLiteral("7,25"), 4));

        // Both folders read-only: the second write fails too.
        user = FakePort();
        CHILD_EXPECT(check, files.DOOPENFILE(source));
        G().AYMTABLE[0][YMPRICE] = kNewPrice;
        G().LYMCHANGED = true;
        CHILD_EXPECT(check, chmodDir(dataDir, 0555));
        user.fileNames << second;
        CHILD_EXPECT(check, !files.FKAYDET());
        CHILD_EXPECT(check, user.log == (QStringList{QStringLiteral("save Farklı Kaydet"),
                                                     box(16, QStringLiteral("Hata..."), source + kSaveFailed),
                                                     box(16, QStringLiteral("Hata..."), second + kSaveFailed)}));
        CHILD_EXPECT(check, childRead(source) == before);
        CHILD_EXPECT(check, !QFile::exists(second));
        CHILD_EXPECT(check, openProblemPath() == source);
        CHILD_EXPECT(check, G().LYMCHANGED && G().AYMTABLE[0][YMPRICE] == kNewPrice);
        chmodDir(sourceDir, 0777);
        chmodDir(dataDir, 0777);
    });
}
