#pragma once
// A help launcher that writes down what it was asked to show instead of
// starting a viewer.

#include "platform/helpdisplay.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace zeva::test {

struct RecordingHelpLauncher : HelpLauncher {
    QStringList shown;  // "<help file name> <topic>" per launch
    bool launch(const QString& file, const QString& topic) override
    {
        shown << QFileInfo(file).fileName() + QLatin1Char(' ') + topic;
        return true;
    }
};

}  // namespace zeva::test
