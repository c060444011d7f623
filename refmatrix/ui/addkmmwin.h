#pragma once
// ADD_KMM_WIN ("Kuru Madde Esaslı Matrise Ekle"): the child window in which a
// solved compound-feed formula becomes a feed of MATKUMAD.DBF. A grid shows
// one row per paired nutrient (the formula's name, unit and value, the
// table's field and unit, the converted value); the name edit takes the new
// feed's name (the problem file's name to start with). "&Hesapla" converts
// every row and enables "&Ekle"; "&Ekle" appends the record (both in the menu,
// as buttons and in the grid's context menu, gated alike). The window works on
// its own rows; the grid's cells may be edited.

#include "refmatrix/drymatter.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace zeva {

class BARRAYSERVER;
class OABS_BROWSER;
class STANDARDSHELLWINDOW;
class VQSLE;

class ADD_KMM_WIN : public QWidget {
    Q_OBJECT
public:
    // `shell`: the main window (its user port, help and window commands).
    ADD_KMM_WIN(STANDARDSHELLWINDOW* shell, const ConvRows& rows);
    ~ADD_KMM_WIN() override;

    QLabel* FIXEDTEXT1 = nullptr;
    VQSLE* SLE_YEM = nullptr;
    QPushButton* pbIptal = nullptr;
    QPushButton* pbHesap = nullptr;
    QPushButton* pbEkle = nullptr;
    QMenuBar* RME_MENU = nullptr;
    QMenu* AKMM_CON_MENU = nullptr;

    OABS_BROWSER* browser() const { return browser_; }
    BARRAYSERVER* server() const { return server_; }
    // The rows as the grid holds them now.
    ConvRows rows() const;
    // The menu items by id (6129 Kapat, 6131 Hesapla, 6133 Ekle; the context
    // menu's 6170, 6171, 6173).
    QAction* action(int id) const;
    bool calculated() const { return calculated_; }

public slots:
    void PBIPTAL();
    void PBHESAP();
    void PBEKLE();
    void CONTEXTHELP();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EndWindow();
    QAction* addItem(QMenu* menu, int id, const QString& caption, const QString& tip, void (ADD_KMM_WIN::*slot)());

    QPointer<STANDARDSHELLWINDOW> shell_;
    OABS_BROWSER* browser_ = nullptr;
    BARRAYSERVER* server_ = nullptr;
    QHash<int, QAction*> actions_;
    bool calculated_ = false;
};

// "&KM Esaslı Matrise Ekle" (BUCOZ_EKLE): pairs the formula's nutrients with
// the table (GET_DON_DIZ) and opens ADD_KMM_WIN in the main window; nothing
// opens when no row was built.
ADD_KMM_WIN* BUCOZ_EKLE(STANDARDSHELLWINDOW& w);

}  // namespace zeva
