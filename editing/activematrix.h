#pragma once
// The work of the active matrix window, free of widgets: a copy of AMATRIX
// with a label column in front (nutrient name and unit), one field per feed,
// the rescaling of linked nutrients in one feed (BMBAGLA), and the write-back
// into AMATRIX when the window closes after a change.
//
// The copy is written back only over the matrix it was taken from: every
// change of AMATRIX made elsewhere raises the problem's matrix revision, and
// a copy of an older revision is not written.

#include "core/userport.h"
#include "editing/barrayserver.h"

#include <QString>

#include <functional>
#include <memory>

namespace zeva {

// Label of nutrient row i (from 1): the trimmed name, then ", " and the
// trimmed unit when the nutrient has a unit.
QString matrixRowLabel(int i);
// The server's fields: MATFNAMEUNIT (20), then MATYMNAME1.. (11) per feed.
FieldSpecs activeMatrixFieldSpecs();
// One row per nutrient of ABMNAMES: its label, then its matrix cells (a
// missing cell is blank).
Table activeMatrixRows();

inline const QString kMatrixEntryError = QStringLiteral("Girişte bir hata oluştu!\n\nSonra tekrar deneyin!");
inline const QString kEmptyMacro = QStringLiteral("Seçilen makro besin maddesi boş!");
inline const QString kMatrixChangedMeanwhile = QStringLiteral(
    "Aktif matris bu pencere açıkken değiştirildi!\n\nPencerede yapılan değişiklikler matrise aktarılmadı.");

class ActiveMatrixEditor {
public:
    struct Hooks {
        std::function<void()> suspendUpdate;
        std::function<void()> restoreUpdate;
        std::function<void()> menuState;  // MI_ENADISABLE to the owner
    };

    // POSTINIT: the server over the labels and a copy of the matrix. When the
    // server cannot be made the error is shown and server() is null: the
    // window closes itself.
    ActiveMatrixEditor(UserPort& port, Hooks hooks = {});
    ~ActiveMatrixEditor();
    ActiveMatrixEditor(const ActiveMatrixEditor&) = delete;
    ActiveMatrixEditor& operator=(const ActiveMatrixEditor&) = delete;

    BARRAYSERVER* server() const { return server_.get(); }
    // The matrix revision the copy belongs to.
    quint64 revision() const { return revision_; }
    // TRUE once the window changed its copy.
    bool edited() const { return edited_; }

    // A server notice: the four change codes raise LMATCHANGED.
    void NOTIFY(int code);

    // Rescales, in the feed of grid column nColPos (from 1; the label column
    // is 1), the nutrients linked to a macro nutrient by the ratio of the
    // macro's new value to its old one.
    void BMBAGLA(int nColPos);

    // The copy, without its labels, into AMATRIX when LMATCHANGED is raised
    // and the matrix is still the one the copy was taken from; then
    // MI_ENADISABLE. TRUE when it wrote. An edited copy over a matrix that
    // changed meanwhile is not written, and the user is told.
    bool WRITEBACK();
    // The close: WRITEBACK, then the server closes.
    void QUERYCLOSE();

private:
    void suspend() const;
    void restore() const;

    UserPort& port_;
    Hooks hooks_;
    std::unique_ptr<BARRAYSERVER> server_;
    quint64 revision_ = 0;
    bool edited_ = false;
};

}  // namespace zeva
