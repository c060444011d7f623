#include "platform/ui/turkishdialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QHash>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTranslator>

namespace zeva {

namespace {

// Size, type and date as the dialog shows them. The file types themselves
// come from the desktop's type names, in the language of the default locale.
class TurkishFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        switch (source.column()) {
        case 1:
            if (!files->isDir(source))
                return turkish.formattedDataSize(files->size(source));
            break;
        case 2:
            if (files->isDir(source))
                return QStringLiteral("Klasör");
            break;
        case 3:
            return turkish.toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// The style list of the font dialog shows the styles in Turkish; its items
// stay the font's own names, which the dialog chooses by.
class TurkishStyleNames : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override
    {
        return turkishFontStyle(QStyledItemDelegate::displayText(value, locale));
    }
};

// Texts of Qt's dialogs that Qt's Turkish translation leaves English.
class QtTextsInTurkish : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        static const QHash<QByteArray, QString> texts = {
            {"QFontDialog|Stri&keout", QStringLiteral("Üs&tü çizili")},
            {"QAbstractFileIconProvider|Folder", QStringLiteral("Klasör")},
            {"QAbstractFileIconProvider|Drive", QStringLiteral("Sürücü")},
        };
        if (!context || !sourceText)
            return QString();
        return texts.value(QByteArray(context) + '|' + sourceText);
    }
};

// Gives every file and font dialog its set-up as it is shown.
class DialogSetUp : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* files = qobject_cast<QFileDialog*>(watched))
                setUpTurkishFileDialog(*files);
            else if (auto* fonts = qobject_cast<QFontDialog*>(watched))
                setUpTurkishFontDialog(*fonts);
        }
        return false;
    }
};

// Qt's dialog deletes a file, or a folder with all it holds, for good, where
// the desktop's own dialogs move it to the trash: its delete is taken out,
// the Delete key and the item of the context menu alike.
void takeOutDelete(QFileDialog& dialog)
{
    const QList<QKeySequence> deleteKeys = QKeySequence::keyBindings(QKeySequence::Delete);
    for (QShortcut* shortcut : dialog.findChildren<QShortcut*>()) {
        bool deletes = false;
        for (const QKeySequence& key : shortcut->keys())
            deletes = deletes || key.matches(QKeySequence(Qt::Key_Delete)) == QKeySequence::ExactMatch
                      || deleteKeys.contains(key);
        if (!deletes)
            continue;
        QObject::disconnect(shortcut, nullptr, &dialog, nullptr);
        shortcut->setEnabled(false);
    }
    if (auto* item = dialog.findChild<QAction*>(QStringLiteral("qt_delete_action"))) {
        QObject::disconnect(item, nullptr, &dialog, nullptr);
        item->setVisible(false);
    }
}

}  // namespace

void setUpTurkishFileDialog(QFileDialog& dialog)
{
    // Our own dialog: its columns can be set, and it speaks the program's
    // language whatever the desktop's is. Chosen before it is shown.
    if (!dialog.isVisible())
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!dynamic_cast<TurkishFileColumns*>(dialog.proxyModel()))
        dialog.setProxyModel(new TurkishFileColumns(&dialog));
    takeOutDelete(dialog);
}

void setUpFileDialogToRead(QFileDialog& dialog)
{
    setUpTurkishFileDialog(dialog);
    dialog.setOption(QFileDialog::ReadOnly);
}

void setUpTurkishFontDialog(QFontDialog& dialog)
{
    if (!dialog.isVisible())
        dialog.setOption(QFontDialog::DontUseNativeDialog);
    // The style list is the one the "Font style" label names.
    const QString styleLabel = QFontDialog::tr("Font st&yle");
    QListView* styles = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == styleLabel)
            styles = qobject_cast<QListView*>(label->buddy());
    if (!styles || dynamic_cast<TurkishStyleNames*>(styles->itemDelegate()))
        return;
    styles->setItemDelegate(new TurkishStyleNames(styles));
    // The box above the list shows the chosen style; the dialog keeps the
    // style's own name apart.
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
        if (box->focusProxy() != styles)
            continue;
        auto show = [box] {
            const QString turkish = turkishFontStyle(box->text());
            if (turkish != box->text())
                box->setText(turkish);
        };
        QObject::connect(box, &QLineEdit::textChanged, box, show);
        show();
    }
}

QString turkishFontStyle(const QString& style)
{
    static const QHash<QString, QString> pairs = {
        {QStringLiteral("semi bold"), QStringLiteral("Yarı Kalın")},
        {QStringLiteral("demi bold"), QStringLiteral("Yarı Kalın")},
        {QStringLiteral("extra bold"), QStringLiteral("Fazla Kalın")},
        {QStringLiteral("ultra bold"), QStringLiteral("Fazla Kalın")},
        {QStringLiteral("semi light"), QStringLiteral("Yarı Açık")},
        {QStringLiteral("demi light"), QStringLiteral("Yarı Açık")},
        {QStringLiteral("extra light"), QStringLiteral("Fazla Açık")},
        {QStringLiteral("ultra light"), QStringLiteral("Fazla Açık")},
        {QStringLiteral("extra black"), QStringLiteral("Fazla Siyah")},
        {QStringLiteral("ultra black"), QStringLiteral("Fazla Siyah")},
        {QStringLiteral("semi condensed"), QStringLiteral("Yarı Dar")},
        {QStringLiteral("extra condensed"), QStringLiteral("Fazla Dar")},
        {QStringLiteral("ultra condensed"), QStringLiteral("Fazla Dar")},
        {QStringLiteral("semi expanded"), QStringLiteral("Yarı Geniş")},
        {QStringLiteral("extra expanded"), QStringLiteral("Fazla Geniş")},
        {QStringLiteral("ultra expanded"), QStringLiteral("Fazla Geniş")},
    };
    static const QHash<QString, QString> words = {
        {QStringLiteral("regular"), QStringLiteral("Normal")},
        {QStringLiteral("normal"), QStringLiteral("Normal")},
        {QStringLiteral("book"), QStringLiteral("Normal")},
        {QStringLiteral("roman"), QStringLiteral("Normal")},
        {QStringLiteral("plain"), QStringLiteral("Normal")},
        {QStringLiteral("medium"), QStringLiteral("Orta")},
        {QStringLiteral("bold"), QStringLiteral("Kalın")},
        {QStringLiteral("semibold"), QStringLiteral("Yarı Kalın")},
        {QStringLiteral("demibold"), QStringLiteral("Yarı Kalın")},
        {QStringLiteral("extrabold"), QStringLiteral("Fazla Kalın")},
        {QStringLiteral("ultrabold"), QStringLiteral("Fazla Kalın")},
        {QStringLiteral("light"), QStringLiteral("Açık")},
        {QStringLiteral("semilight"), QStringLiteral("Yarı Açık")},
        {QStringLiteral("demilight"), QStringLiteral("Yarı Açık")},
        {QStringLiteral("extralight"), QStringLiteral("Fazla Açık")},
        {QStringLiteral("ultralight"), QStringLiteral("Fazla Açık")},
        {QStringLiteral("thin"), QStringLiteral("İnce")},
        {QStringLiteral("hairline"), QStringLiteral("İnce")},
        {QStringLiteral("black"), QStringLiteral("Siyah")},
        {QStringLiteral("heavy"), QStringLiteral("Siyah")},
        {QStringLiteral("italic"), QStringLiteral("İtalik")},
        {QStringLiteral("oblique"), QStringLiteral("Eğik")},
        {QStringLiteral("condensed"), QStringLiteral("Dar")},
        {QStringLiteral("narrow"), QStringLiteral("Dar")},
        {QStringLiteral("expanded"), QStringLiteral("Geniş")},
        {QStringLiteral("wide"), QStringLiteral("Geniş")},
        {QStringLiteral("semi"), QStringLiteral("Yarı")},
        {QStringLiteral("demi"), QStringLiteral("Yarı")},
        {QStringLiteral("extra"), QStringLiteral("Fazla")},
        {QStringLiteral("ultra"), QStringLiteral("Fazla")},
    };
    // "SemiBold" is "Semi Bold".
    static const QRegularExpression camel(QStringLiteral("(?<=[a-z])(?=[A-Z])"));
    QString spaced = style;
    spaced.replace(camel, QStringLiteral(" "));
    const QStringList parts = spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i + 1 < parts.size()) {
            const auto pair = pairs.constFind((parts[i] + QLatin1Char(' ') + parts[i + 1]).toLower());
            if (pair != pairs.constEnd()) {
                out << pair.value();
                ++i;
                continue;
            }
        }
        out << words.value(parts[i].toLower(), parts[i]);
    }
    return out.isEmpty() ? style : out.join(QLatin1Char(' '));
}

void installTurkishDialogs()
{
    static QPointer<QObject> installed;
    auto* app = QCoreApplication::instance();
    if (!app || installed)
        return;
    QCoreApplication::installTranslator(new QtTextsInTurkish(app));
    auto* setUp = new DialogSetUp(app);
    app->installEventFilter(setUp);
    installed = setUp;
}

}  // namespace zeva
