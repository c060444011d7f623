#pragma once
// A help launcher that writes down what it was asked to show instead of
// starting a viewer, and its set-up on the program's main window.

#include "platform/helpdisplay.h"
#include "shell/ui/standardshellwindow.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace zeva::test {

struct RecordingHelpLauncher : HelpLauncher {
    QStringList shown;  // "<help file name> <topic>" per launch
    bool launch(const QString& file, const QString& topic) override
    {
        shown << QFileInfo(file).fileName() + QLatin1Char(' ') + topic;
        return true;
    }
};

// Puts an empty help file at `helpFile` (the data folder's Zeva.chm) and gives
// `w` a recorder in place of the viewer; null, with a test failure, when the
// file cannot be made.
inline std::shared_ptr<RecordingHelpLauncher> recordHelp(STANDARDSHELLWINDOW& w, const QString& helpFile)
{
    QFile help(helpFile);
    if (!help.open(QIODevice::WriteOnly)) {
        ADD_FAILURE() << "cannot make " << helpFile.toStdString();
        return nullptr;
    }
    help.close();
    auto launches = std::make_shared<RecordingHelpLauncher>();
    w.setHelpLauncher(launches);
    return launches;
}

}  // namespace zeva::test
