#pragma once
// Whether a pick list shows every name whole and its dialog its whole title,
// measured as they are drawn (for suites that link the core dialogs).

#include "platform/ui/dialogtemplate.h"

#include <QDialog>
#include <QFontMetrics>
#include <QListWidget>
#include <QStyle>

#include <gtest/gtest.h>

namespace zeva::test {

// Each item's text, without the blanks that pad it, fits its place with the
// item's margins on either side, and that place lies inside the visible part
// of the list: nothing elided, nothing cut, no sideways scrolling. The
// dialog is as wide as its title needs in the title bar.
inline void expectPickListWhole(const QDialog& dialog, const QListWidget* list)
{
    SCOPED_TRACE(dialog.windowTitle().toStdString());
    const QFontMetrics fm(list->font());
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int visible = list->viewport()->width();
    for (int i = 0; i < list->count(); ++i) {
        QString shown = list->item(i)->text();
        while (shown.endsWith(QLatin1Char(' ')))
            shown.chop(1);
        SCOPED_TRACE(shown.toStdString());
        const QRect place = list->visualItemRect(list->item(i));
        EXPECT_LE(fm.horizontalAdvance(shown) + 2 * margin, place.width());
        EXPECT_GE(place.left(), 0);
        EXPECT_LE(place.right(), visible - 1);
    }
    EXPECT_LE(titleBarWidth(&dialog, dialog.windowTitle()), dialog.width());
}

}  // namespace zeva::test
