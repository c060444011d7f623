#include "platform/notepad.h"

#include <QStandardPaths>
#include <QStringList>

namespace zeva {

namespace {

// Graphical editors of plain text, the common desktops' own first.
const char* const kEditors[] = {
    "gnome-text-editor", "gedit", "kwrite", "kate", "mousepad", "pluma", "xed", "featherpad", "leafpad",
};

QString installedEditor()
{
    for (const char* name : kEditors) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

}  // namespace

QString quotedCommandWord(const QString& word)
{
    QString inner = word;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString notepadCommandLine(const QString& document)
{
    const QString chosen = qEnvironmentVariable("ZEVA_NOTEPAD").trimmed();
    QString editor = chosen;
    if (editor.isEmpty())
        editor = document.isEmpty() ? installedEditor() : QStringLiteral("xdg-open");
    if (editor.isEmpty())
        return {};
    QString line = quotedCommandWord(editor);
    if (!document.isEmpty())
        line += QLatin1Char(' ') + quotedCommandWord(document);
    return line;
}

}  // namespace zeva
