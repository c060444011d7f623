#pragma once
// The user who tries to remove a folder in one of Qt's file dialogs: the
// Delete key on the folder, then the folder's context menu. Every question
// the dialog asks on the way is answered Yes ("Evet").

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace zeva::test {

struct FolderDeleteAttempt {
    QStringList questions;  // what the dialog asked, answered Yes
    QStringList offered;    // the context menu's file items that could be chosen
};

// In the open dialog `fd`: shows `folder`, makes its entry `name` the current
// one, presses Delete, then opens the entry's context menu and chooses its
// delete item when it is there to choose.
inline FolderDeleteAttempt tryToDeleteFolder(QFileDialog& fd, const QString& folder, const QString& name)
{
    FolderDeleteAttempt attempt;
    QTimer yes;
    yes.setInterval(10);
    QObject::connect(&yes, &QTimer::timeout, [&attempt, &fd] {
        for (QMessageBox* box : fd.findChildren<QMessageBox*>())
            if (box->isVisible()) {
                attempt.questions << box->text();
                if (QAbstractButton* b = box->button(QMessageBox::Yes))
                    b->click();
                else
                    box->reject();
            }
    });
    yes.start();

    fd.setDirectory(folder);
    auto* view = fd.findChild<QListView*>(QStringLiteral("listView"));
    EXPECT_NE(view, nullptr);
    if (!view)
        return attempt;
    auto find = [view, &name] {
        for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r) {
            const QModelIndex at = view->model()->index(r, 0, view->rootIndex());
            if (at.data().toString() == name)
                return at;
        }
        return QModelIndex();
    };
    // The folder is read in the background.
    QModelIndex entry = find();
    for (int i = 0; i < 250 && !entry.isValid(); ++i) {
        QTest::qWait(20);
        entry = find();
    }
    EXPECT_TRUE(entry.isValid()) << "no entry " << name.toStdString();
    if (!entry.isValid())
        return attempt;
    view->setCurrentIndex(entry);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    QCoreApplication::processEvents();
    entry = find();
    if (!entry.isValid())  // gone already
        return attempt;
    view->setCurrentIndex(entry);

    // The context menu runs a loop of its own: look at it from a timer.
    QTimer menuWatch;
    menuWatch.setInterval(10);
    QObject::connect(&menuWatch, &QTimer::timeout, [&attempt, &menuWatch] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        menuWatch.stop();
        QAction* remove = nullptr;
        for (QAction* a : menu->actions()) {
            const QString id = a->objectName();
            if (id == QLatin1String("qt_delete_action") || id == QLatin1String("qt_rename_action")
                || id == QLatin1String("qt_new_folder_action")) {
                if (a->isVisible() && a->isEnabled())
                    attempt.offered << id;
                if (id == QLatin1String("qt_delete_action") && a->isVisible() && a->isEnabled())
                    remove = a;
            }
        }
        menu->close();
        if (remove)
            remove->trigger();
    });
    menuWatch.start();
    const QRect at = view->visualRect(entry);
    if (view->contextMenuPolicy() == Qt::CustomContextMenu)
        emit view->customContextMenuRequested(at.center());
    menuWatch.stop();
    QCoreApplication::processEvents();
    yes.stop();
    return attempt;
}

// For a file dialog that runs its own loop (exec): once it is up, `act` is
// done on it and the dialog is cancelled. Answers whether one came up.
class NextFileDialog {
public:
    explicit NextFileDialog(std::function<void(QFileDialog&)> act) : act_(std::move(act))
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* fd = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!fd || !fd->isVisible())
                return;
            timer_.stop();
            seen_ = true;
            act_(*fd);
            fd->reject();
        });
        timer_.start();
    }
    bool seen() const { return seen_; }

private:
    std::function<void(QFileDialog&)> act_;
    QTimer timer_;
    bool seen_ = false;
};

}  // namespace zeva::test
