#pragma once
// Queries about the system the program runs on. The program was written for
// Windows; on Linux a few of these questions have no counterpart, and each
// answer below says what it stands for here.

#include <QString>

namespace zeva {

// The name of the operating system as the program reports it, e.g.
// "Debian GNU/Linux 12 (bookworm)".
QString OS();

// TRUE on Windows 98 or Windows ME only, so always FALSE here. The help-on-help
// command uses them to choose its file.
bool ISWIN98();
bool ISWINME();

// The Windows directory. There is none on Linux: the answer is the empty text,
// and a caller that builds a path on it must look elsewhere.
QString GETWINDOWSDIR();

// Whether a backup target can be used: there are no drive letters here, so the
// argument is the folder itself (a path). TRUE when it names an existing
// folder that can be entered (a removed medium or an unmounted share fails).
// An empty text is never ready.
bool ISDRIVEREADY(const QString& folder);

// The language of the regional settings: the language of the process's locale
// (LC_ALL, LC_MESSAGES or LANG, as the C library reads them). "trk" for
// Turkish, as the old setting wrote it; otherwise a three-letter code when the
// locale names a language, else empty.
QString regionalLanguage();

}  // namespace zeva
