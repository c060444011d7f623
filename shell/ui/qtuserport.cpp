#include "shell/ui/qtuserport.h"

#include "core/ui/choicedialogs.h"
#include "core/ui/matchdialog.h"
#include "core/ui/paramdialogs.h"
#include "platform/sound/toneplayer.h"
#include "platform/ui/turkishdialogs.h"
#include "platform/ui/messagebox.h"
#include "shell/tones.h"
#include "shell/ui/colonmathsdialog.h"
#include "shell/ui/newproblemdialog.h"
#include "shell/ui/nutrientcolumndialog.h"
#include "shell/ui/smallforms.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStatusBar>

#include <memory>

namespace zeva {

QtUserPort::QtUserPort(QWidget* owner) : owner_(owner) {}

QtUserPort::~QtUserPort()
{
    delete alert_.data();
}

void QtUserPort::setDialogRunner(DialogRunner runner)
{
    runner_ = std::move(runner);
}

int QtUserPort::run(QDialog& dialog)
{
    if (runner_)
        return runner_(dialog);
    return dialog.exec();
}

int QtUserPort::messageBox(const QString& title, const QString& text, int type, bool owned)
{
    std::unique_ptr<QMessageBox> box(makeMessageBox(owned ? owner_.data() : nullptr, title, text, type));
    run(*box);
    return messageBoxReply(*box);
}

void QtUserPort::statusText(const QString& text)
{
    if (statusHandler_)
        statusHandler_(text);
    else if (statusBar_)
        statusBar_->showMessage(text);
}

void QtUserPort::waitOpen()
{
    // A box still up from an earlier call would never be taken down: it goes
    // before the new one comes.
    delete alert_.data();
    alert_ = new ACTALERT(owner_);
    alert_->show();
    // Once, so that the box is painted before the long work blocks the loop.
    QCoreApplication::processEvents();
}

void QtUserPort::waitClose()
{
    delete alert_.data();
}

void QtUserPort::tone(int frequency, int duration)
{
    if (toneHandler_)
        toneHandler_(frequency, duration);
    // No event loop runs during a tone's pause: no command can start meanwhile.
    if (toneWait_)
        (tonePlayer_ ? *tonePlayer_ : desktopTonePlayer()).play(frequency, toneMilliseconds(duration));
}

ParamAnswer QtUserPort::askProblemParams(const QString& type, const QString& amount,
                                         const QString& currency, const QString& weight)
{
    std::unique_ptr<ParamDialog> dialog;
    if (type == QLatin1String("G"))
        dialog = std::make_unique<GRPARMGIR_WIN>(owner_, amount, currency, weight);
    else
        dialog = std::make_unique<KYPARMGIR_WIN>(owner_, amount, currency, weight);
    run(*dialog);
    return dialog->answer();
}

int QtUserPort::chooseOne(const QString& caption, const QStringList& items)
{
    ACHOICE dialog(owner_, caption, items);
    run(dialog);
    return dialog.NSELECTED;
}

QList<int> QtUserPort::chooseMany(const QString& caption, const QStringList& items, bool selectAllButton)
{
    MARKTOPBOT dialog(owner_, caption, items, selectAllButton);
    run(dialog);
    return dialog.ANSELECTED;
}

QString QtUserPort::askFileName(const QString& caption, const QString& folder, const QStringList& filters, bool save)
{
    QFileDialog dialog(owner_, caption, folder);
    // Our own dialog everywhere, in Turkish: its filters match names whatever
    // their letter case ("*.ZVF" lists ornek.zvf too), which a desktop's own
    // dialog may not do.
    if (save)
        setUpTurkishFileDialog(dialog);
    else
        setUpFileDialogToRead(dialog);
    // Title and close box like every dialog of the program; the file dialog
    // alone may be resized.
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // The commands ask their own questions: whether to write over a file
    // that exists, and what to do with a name that names no file (the open
    // step says so in its own words). The dialog hands every typed name on.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (run(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString QtUserPort::askOpenFileName(const QString& caption, const QString& folder, const QStringList& filters)
{
    return askFileName(caption, folder, filters, false);
}

QString QtUserPort::askSaveFileName(const QString& caption, const QString& folder, const QStringList& filters)
{
    return askFileName(caption, folder, filters, true);
}

NewProblemAnswer QtUserPort::askNewProblem()
{
    YENIDOSYAWINDOW dialog(owner_);
    NewProblemAnswer answer;
    answer.accepted = run(dialog) == 1;
    answer.name = dialog.CDOSYA;
    answer.type = dialog.NFTIP == 1 ? 1 : 2;
    return answer;
}

bool QtUserPort::askSingleValue(const QString& caption, const QString& label, QString& value)
{
    MBM_WIND dialog(owner_, label, value);
    if (!caption.isEmpty())
        dialog.setWindowTitle(caption);
    if (run(dialog) != QDialog::Accepted)
        return false;
    value = dialog.CTXTVAL;
    return true;
}

MatchAnswer QtUserPort::askMatch(const QString& name, const QStringList& candidates)
{
    CB_HSEC dialog(owner_, name, candidates);
    MatchAnswer answer;
    answer.result = run(dialog);
    // A close other than by the three buttons stops the command, as "İptal".
    if (answer.result != 1 && answer.result != 2)
        answer.result = 0;
    answer.selected = answer.result == 1 ? dialog.NSELECTED : 0;
    return answer;
}

ColumnMathAnswer QtUserPort::askColumnMath(const QStringList& tableFields)
{
    COLONMATHS dialog(owner_, tableFields);
    run(dialog);
    ColumnMathAnswer answer;
    answer.op = dialog.COPERAT;
    answer.value = dialog.CVALUEX;
    answer.type = dialog.CVTYPE;
    return answer;
}

NutrientColumnAnswer QtUserPort::askNutrientColumn(const QString& caption, const QStringList& fields,
                                                   const NutrientColumnCheck& check)
{
    BM_MAN_WIN_DIALOG dialog(owner_, caption, fields, check, [this](const QString& text) {
        messageBox(QStringLiteral("Bilgi..."), text, BOX_INFO);
    });
    if (run(dialog) != QDialog::Accepted)
        return {};
    return dialog.answer();
}

}  // namespace zeva
