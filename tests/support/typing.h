#pragma once
// Typing into widgets in tests: any text, Turkish letters included (QTest's
// keyClicks only knows ASCII).
#include <QString>
#include <QTest>
#include <QWidget>

namespace zeva::test {

inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        const Qt::Key key = c.unicode() < 128 && c.isPrint() ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

}  // namespace zeva::test
