#pragma once
// Scripted pad dialogs and a main window with the program's report pad.

#include "core/activeproblem.h"
#include "platform/atomicfile.h"
#include "platform/settingsstore.h"
#include "reports/ui/reportpads.h"
#include "shell/settings.h"
#include "shell/ui/menuhost.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/fakeport.h"
#include "support/programenv.h"
#include "support/tempdir.h"

#include <QColor>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QMdiArea>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zeva::test {

class FakePadDialogs : public PadDialogs {
public:
    QStringList log;
    QList<SaveAsAnswer> saveAs;             // scripted save-as answers
    QList<QPair<bool, QFont>> fonts;        // scripted font dialogs
    std::function<int(QDialog&)> runner;    // drives the margin dialog
    QString pdf;                            // askPrint prints into this file; empty: cancelled

    SaveAsAnswer askSaveAs(QWidget*, const QString& caption, const QString& folder, const QString& initialName,
                           const QStringList& filters) override
    {
        log << QStringLiteral("saveAs %1 %2 %3 [%4]").arg(caption, QDir(folder).dirName(), initialName,
                                                          filters.join(QLatin1Char(' ')));
        if (saveAs.isEmpty()) {
            ADD_FAILURE() << "save-as dialog not scripted";
            return {};
        }
        return saveAs.takeFirst();
    }
    bool askFont(QWidget*, QFont& font, QColor&) override
    {
        log << QStringLiteral("font ") + font.family();
        if (fonts.isEmpty()) {
            ADD_FAILURE() << "font dialog not scripted";
            return false;
        }
        const auto [ok, chosen] = fonts.takeFirst();
        if (ok)
            font = chosen;
        return ok;
    }
    int run(QDialog& dialog) override
    {
        log << QStringLiteral("dialog ") + dialog.windowTitle();
        if (!runner) {
            ADD_FAILURE() << "dialog not scripted";
            return 0;
        }
        return runner(dialog);
    }
    bool askPrint(QWidget*, QPrinter& printer, const PrintOffer&) override
    {
        log << QStringLiteral("print");
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    void printerSetup(QWidget*, QPrinter&) override { log << QStringLiteral("printerSetup"); }
};

// The offscreen platform says this whenever the main window's size limits
// change (a new toolbar); a desktop does not.
inline QtMessageHandler gPreviousHandler = nullptr;
inline void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (text.contains(QLatin1String("Ambiguous shortcut")))
        ADD_FAILURE() << text.toStdString();
    if (gPreviousHandler)
        gPreviousHandler(type, context, text);
}

// A main window as the program builds it, with a memory settings store and
// the data directory in a temporary folder.
class PadWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gPreviousHandler = qInstallMessageHandler(quietOffscreen);
        testhooks::clearAtomicWriteFault();
        QDir(tmp_.path()).mkdir(QStringLiteral("Data"));
        window_ = std::make_unique<STANDARDSHELLWINDOW>(nullptr, &port_);
        pads_ = &installReportPadCommands(*window_);
        pads_->setDialogs(&dialogs_);
        window_->resize(900, 700);
    }
    void TearDown() override
    {
        // Pads with changes would ask; the test's questions are over.
        for (PADWIN* pad : pads_->APADWINS())
            pad->setLCHANGE(false);
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        testhooks::clearAtomicWriteFault();
        qInstallMessageHandler(gPreviousHandler);
    }

    STANDARDSHELLWINDOW& w() { return *window_; }
    ReportPads& pads() { return *pads_; }
    QString data(const QString& name) const { return tmp_.file(QStringLiteral("Data/") + name); }

    void showActive()
    {
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QStringList padNames() const
    {
        QStringList names;
        for (PADWIN* pad : pads_->APADWINS())
            names << pad->windowTitle();
        return names;
    }
    ShellMenu* shownMenu() { return window_->menuHost()->shownMenu(); }
    bool inPadMode() { return pads_->padMode() && shownMenu() == pads_->padMenu(); }

    // Sends a pad-menu command by its item id, as a click on the item does.
    void padItem(int id)
    {
        ShellMenu* menu = pads_->padMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_NE(menu->action(id), nullptr) << id;
        menu->action(id)->trigger();
    }

    TempDir tmp_;
    ProgramEnvironment env_{tmp_.path()};
    FakePort port_;
    FakePadDialogs dialogs_;
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
    ReportPads* pads_ = nullptr;
};

}  // namespace zeva::test
