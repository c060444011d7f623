#pragma once
// The version numbers of a shared library that is already loaded in the
// process, as its exported function "DllGetVersion" answers them: five 32-bit
// words (size 20, major, minor, build, platform), 0 for success. Only the
// library's own export counts, never one of a library it depends on. The
// library is never loaded for the question.

#include <QString>
#include <QtGlobal>

namespace zeva {

// The record DllGetVersion fills.
struct DllVersionInfo {
    quint32 cbSize = 20;
    quint32 dwMajorVersion = 0;
    quint32 dwMinorVersion = 0;
    quint32 dwBuildNumber = 0;
    quint32 dwPlatformID = 0;
};

class WINDLLVERSION {
public:
    explicit WINDLLVERSION(const QString& name = QString()) { DLL(name); }

    QString DLL() const { return CDLLNAME; }
    // Keeps the name and asks that library; a library that is not loaded,
    // has no DllGetVersion or does not answer with success leaves the
    // numbers as they were.
    QString DLL(const QString& name);
    // TRUE when the platform id is 2.
    bool ISWINNT() const { return PLATFORMID == 2; }

    quint32 MAJORVERSION = 0;
    quint32 MINORVERSION = 0;
    quint32 BUILD = 0;
    quint32 PLATFORMID = 0;

private:
    QString CDLLNAME;
};

}  // namespace zeva
