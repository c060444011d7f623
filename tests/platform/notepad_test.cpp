#include "platform/notepad.h"

#include "support/envguard.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace zeva {
namespace {

TEST(Notepad, TheDocumentStaysOneWordWhateverItsName)
{
    const QByteArray editor = "/opt/düzen ci/editor";
    test::EnvGuard env("ZEVA_NOTEPAD", &editor);
    const QStringList names = {
        QStringLiteral("/tmp/HK Referans Matris.TXT"),
        QStringLiteral("/tmp/a \"tırnaklı\" ad.TXT"),
        QStringLiteral("/tmp/'tek'  iki.txt"),
        QStringLiteral("/tmp/sade.TXT"),
    };
    for (const QString& name : names) {
        const QString line = notepadCommandLine(name);
        EXPECT_EQ(QProcess::splitCommand(line), (QStringList{QString::fromUtf8(editor), name}))
            << line.toStdString();
    }
    // No document: the editor alone.
    EXPECT_EQ(QProcess::splitCommand(notepadCommandLine(QString())), QStringList{QString::fromUtf8(editor)});
}

TEST(Notepad, WithoutAChosenEditorADocumentGoesToTheDesktopOpener)
{
    test::EnvGuard env("ZEVA_NOTEPAD", nullptr);
    EXPECT_EQ(QProcess::splitCommand(notepadCommandLine(QStringLiteral("/tmp/x y.TXT"))),
              (QStringList{QStringLiteral("xdg-open"), QStringLiteral("/tmp/x y.TXT")}));
}

}  // namespace
}  // namespace zeva
