#pragma once
// Text outlines of a built ShellMenu, for comparing menus with their tables.

#include "shell/ui/shellmenu.h"

#include <QAction>
#include <QMap>
#include <QMenu>
#include <QStringList>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace zeva::test {

// One line per menu entry: "<id>|<caption>|<symbol>|<status>|<help>", two
// blanks of indent per popup level, "-" for a separator.
inline void outline(const ShellMenu& m, QMenu* menu, const QString& indent, QStringList& out)
{
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << indent + QStringLiteral("-");
            continue;
        }
        const int id = a->data().toInt();
        out << indent + QStringLiteral("%1|%2|%3|%4|%5").arg(id).arg(a->text(), m.symbol(id), a->statusTip(),
                                                                     m.helpContext(id));
        if (a->menu())
            outline(m, a->menu(), indent + QStringLiteral("  "), out);
    }
}

inline QStringList outline(const ShellMenu& m)
{
    QStringList out;
    for (QMenu* top : m.topMenus()) {
        QAction* a = top->menuAction();
        const int id = a->data().toInt();
        out << QStringLiteral("%1|%2|%3|%4|%5").arg(id).arg(a->text(), m.symbol(id), a->statusTip(), m.helpContext(id));
        outline(m, top, QStringLiteral("  "), out);
    }
    return out;
}

// One line per toolbar button: "<image> <id> <tip>", "-" for a separator.
inline QStringList toolbarOutline(const ShellMenu& m)
{
    QStringList out;
    for (QAction* a : m.toolBar()->actions()) {
        if (a->isSeparator()) {
            out << QStringLiteral("-");
            continue;
        }
        const int id = a->data().toInt();
        out << QStringLiteral("%1 %2 %3").arg(m.image(id)).arg(id).arg(a->toolTip());
    }
    return out;
}

// id -> live key, for every action that has one.
inline QMap<int, QString> liveKeys(const ShellMenu& m)
{
    QMap<int, QString> keys;
    for (auto it = m.actions().begin(); it != m.actions().end(); ++it)
        if (!it.value()->shortcut().isEmpty())
            keys.insert(it.key(), it.value()->shortcut().toString(QKeySequence::PortableText));
    return keys;
}

inline QStringList lines(const char* text)
{
    QStringList l = QString::fromUtf8(text).split(QLatin1Char('\n'));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

inline void expectSameLines(const QStringList& got, const QStringList& want)
{
    for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i)
        EXPECT_EQ(got.value(i), want.value(i)) << "line " << i + 1;
}

}  // namespace zeva::test
