#pragma once
// The program's settings: the installation directory and the four start-up
// options, read once at start into the active problem's settings values, and
// the option commands of the main menu that store a changed option at once (it
// takes effect at the next start).

#include "core/activeproblem.h"
#include "core/userport.h"
#include "shell/menustate.h"

#include <QString>

namespace zeva {

// The settings key under HKEY_LOCAL_MACHINE and its values.
inline const QString kSettingsKey = QStringLiteral("Software\\Tarlanet_Int\\OSetings");
inline const QString kOptPath = QStringLiteral("Opath");
inline const QString kOptLogon = QStringLiteral("Oldlg");
inline const QString kOptTips = QStringLiteral("Olstrt");
inline const QString kOptLastTip = QStringLiteral("Olatip");
inline const QString kOptLogo = QStringLiteral("Ologo");

// The start-up option items of the main menu and the user items that follow
// the logon option.
enum OptionItem : int {
    ITEM_TUYOGOSTER = 3582,   // tip of the day, "Olstrt"
    ITEM_LOGOGOSTER = 3583,   // splash screen, "Ologo"
    ITEM_ADPAROLASOR = 3585,  // logon, "Oldlg"
    ITEM_ADDNEWUSER = 3587,
    ITEM_CHANGEUANDP = 3588,
};

// Reads the settings into `p` (CDATAPATH, CDATADRIVE, LLOGON, LSHOWTIPS,
// NLASTTIP, LSHOWLOGO) and makes the installation directory the current one.
// FALSE, after the owner-less error box, when the installation directory is
// not recorded, or the settings file is no plain file and cannot be read;
// nothing else is read then.
bool RSTATUSLAST(UserPort& port, ActiveProblem& p = G());

// The writers of the three options: "1" when on, else "0". TRUE when stored.
bool STARTLOGONCONT(bool on);
bool STARTUPTIPCONT(bool on);
bool STARTLOGOSHOWCONT(bool on);

// Back to the installation directory after a file dialog moved the current one.
void ZVXDEFAULTS(const ActiveProblem& p = G());

// The ticks of the three option items as last stored. The main window keeps
// one, sets it from the settings at start and puts its ticks on every main
// menu it builds, so a rebuilt menu never shows a tick that differs from what
// is stored.
class StartupOptionTicks {
public:
    // The options as read at start.
    void setFromSettings(const ActiveProblem& p);
    bool ticked(int item) const;

    // The option command of `item` (3582, 3583 or 3585): the tick flips and
    // the new state is stored. When the store refuses the write the tick stays
    // as it was and the status bar says "Ayar kaydedilemedi...". Answers the
    // tick to show.
    bool toggle(int item, UserPort& port);

private:
    bool tips_ = false;
    bool logo_ = false;
    bool logon_ = false;
};

// The ticks of the option items, and the user items greyed when the logon was
// off at start (they stay grey for the run whatever is chosen).
MenuStateChange optionMenuState(const StartupOptionTicks& ticks, bool logonAtStart);

}  // namespace zeva
