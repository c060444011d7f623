#include "shell/settings.h"

#include "core/messages.h"
#include "platform/runtime.h"
#include "shell/registry.h"

#include <QDir>

#include <limits>

namespace zeva {

namespace {

QString readSetting(const QString& name)
{
    CLASS_HKLM reg;
    reg.WORKING_SUBKEY(kSettingsKey);
    return reg.GETSTRING(QString(), name);
}

bool writeSetting(const QString& name, bool on)
{
    CLASS_HKLM reg;
    reg.WORKING_SUBKEY(kSettingsKey);
    return reg.WRITESTRING(QString(), name, on ? QStringLiteral("1") : QStringLiteral("0")) == SETTINGS_OK;
}

// GETSTRING already removed the trailing blanks.
bool optionOn(const QString& stored)
{
    return stored == QLatin1String("1");
}

// The whole number a text begins with after leading blanks; 0 when none.
int leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    qint64 n = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        n = n * 10 + (text[i].unicode() - '0');
        if (n > std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max();
    }
    return static_cast<int>(n);
}

}  // namespace

bool RSTATUSLAST(UserPort& port, ActiveProblem& p)
{
    p.CDATAPATH = AllTrim(readSetting(kOptPath));
    if (p.CDATAPATH.isEmpty()) {
        const QString unreadable = settingsReadProblem();
        if (!unreadable.isEmpty()) {
            MESS2(port, QStringLiteral("Program ayarları okunamıyor!") + QStringLiteral("\r\r") + unreadable);
            return false;
        }
        MESS2(port, QStringLiteral("Program tam kurulu değil!") + QStringLiteral("\r\r")
                        + QStringLiteral("Önce CD'den ZVX-setup.EXE ile programı kurunuz."));
        return false;
    }
    QDir::setCurrent(p.CDATAPATH);
    const qsizetype colon = p.CDATAPATH.indexOf(QLatin1Char(':'));
    p.CDATADRIVE = colon < 0 ? QString() : p.CDATAPATH.left(colon + 1);
    p.LLOGON = optionOn(readSetting(kOptLogon));
    p.LSHOWTIPS = optionOn(readSetting(kOptTips));
    p.NLASTTIP = leadingNumber(readSetting(kOptLastTip));
    p.LSHOWLOGO = optionOn(readSetting(kOptLogo));
    return true;
}

bool STARTLOGONCONT(bool on) { return writeSetting(kOptLogon, on); }
bool STARTUPTIPCONT(bool on) { return writeSetting(kOptTips, on); }
bool STARTLOGOSHOWCONT(bool on) { return writeSetting(kOptLogo, on); }

void ZVXDEFAULTS(const ActiveProblem& p)
{
    // There are no drive letters here: the drive steps come down to the
    // directory, which is also where relative names are looked for.
    if (p.CDATAPATH.isEmpty())
        return;
    const QString target = QDir::cleanPath(p.CDATAPATH);
    if (QDir::currentPath() != target)
        QDir::setCurrent(target);
}

void StartupOptionTicks::setFromSettings(const ActiveProblem& p)
{
    tips_ = p.LSHOWTIPS;
    logo_ = p.LSHOWLOGO;
    logon_ = p.LLOGON;
}

bool StartupOptionTicks::ticked(int item) const
{
    switch (item) {
    case ITEM_TUYOGOSTER:
        return tips_;
    case ITEM_LOGOGOSTER:
        return logo_;
    case ITEM_ADPAROLASOR:
        return logon_;
    default:
        return false;
    }
}

bool StartupOptionTicks::toggle(int item, UserPort& port)
{
    bool* state = nullptr;
    bool (*writer)(bool) = nullptr;
    switch (item) {
    case ITEM_TUYOGOSTER:
        state = &tips_;
        writer = STARTUPTIPCONT;
        break;
    case ITEM_LOGOGOSTER:
        state = &logo_;
        writer = STARTLOGOSHOWCONT;
        break;
    case ITEM_ADPAROLASOR:
        state = &logon_;
        writer = STARTLOGONCONT;
        break;
    default:
        return false;
    }
    const bool wanted = !*state;
    if (writer(wanted))
        *state = wanted;
    else
        port.statusText(QStringLiteral("Ayar kaydedilemedi..."));
    return *state;
}

MenuStateChange optionMenuState(const StartupOptionTicks& ticks, bool logonAtStart)
{
    MenuStateChange s;
    for (int item : {ITEM_TUYOGOSTER, ITEM_LOGOGOSTER, ITEM_ADPAROLASOR})
        s.check.append({item, ticks.ticked(item)});
    if (!logonAtStart) {
        s.enable.append({ITEM_ADDNEWUSER, false});
        s.enable.append({ITEM_CHANGEUANDP, false});
    }
    return s;
}

}  // namespace zeva
