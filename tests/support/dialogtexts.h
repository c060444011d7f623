#pragma once
// The texts a dialog shows, read from its widgets as the user sees them, and
// the English among them: words of Qt's dialogs left untranslated, dates and
// sizes in English forms.

#include <QAbstractButton>
#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QWidget>

namespace zeva::test {

// The title of `top` and every text of its widgets: labels, buttons, group
// and tab titles, edits, the items of its boxes and views as they are drawn
// (the first 50 rows of a view), header sections, tool tips and the texts
// of their actions (context menus).
inline QStringList shownTexts(QWidget& top)
{
    QStringList texts{top.windowTitle()};
    QList<QWidget*> widgets = top.findChildren<QWidget*>();
    widgets.prepend(&top);
    for (QWidget* w : widgets) {
        texts << w->toolTip();
        for (QAction* a : w->actions())
            texts << a->text();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            texts << button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            texts << group->title();
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            texts << edit->text() << edit->placeholderText();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            if (const QAbstractItemModel* m = header->model())
                for (int i = 0; i < header->count(); ++i)
                    texts << m->headerData(i, header->orientation()).toString();
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            const QAbstractItemModel* m = view->model();
            if (!m)
                continue;
            const QModelIndex root = view->rootIndex();
            for (int r = 0; r < qMin(50, m->rowCount(root)); ++r)
                for (int c = 0; c < m->columnCount(root); ++c) {
                    const QModelIndex i = m->index(r, c, root);
                    auto* drawn = qobject_cast<QStyledItemDelegate*>(view->itemDelegateForIndex(i));
                    texts << (drawn ? drawn->displayText(i.data(), view->locale()) : i.data().toString());
                }
        }
    }
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

// The texts that are English: a word of Qt's dialogs, or a date or a size
// written the English way ("11 Dec 2026", "6.38 KiB").
inline QStringList englishTexts(const QStringList& texts)
{
    static const QRegularExpression english(
        QStringLiteral(
            "\\b(Folder|Files?|Name|Size|Type|Date|Modified|Look in|Save|Open|Cancel|Close|Apply|Yes|No|OK|"
            "Help|Choose|Print|Printer|Properties|Options|Pages?|Copies|Collate|Reverse|Selection|Current|"
            "Colou?r|Grayscale|Duplex|Binding|Output|Local|Write|Preview|Location|Font|Style|Effects|"
            "Strike ?out|Underline|Sample|Writing|System|Regular|Bold|Italic|Oblique|Light|Medium|Book|Back|"
            "Forward|Parent|Directory|Create|New|List|Detail|View|Computer|Show|Hidden|Rename|Delete|Drive|"
            "Paper|Width|Height|Orientation|Portrait|Landscape|Margins?|Units?|Job|Priority|Banner|Billing|"
            "Hold|Immediately|bytes|Recent|Places|Any|All)\\b"
            "|\\b\\d{1,2} (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \\d{4}\\b"
            "|\\b\\d+\\.\\d+ [KMG]iB\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QStringList found;
    for (const QString& t : texts) {
        QString plain = t;
        plain.remove(QLatin1Char('&'));
        if (english.match(plain).hasMatch())
            found << t;
    }
    return found;
}

}  // namespace zeva::test
