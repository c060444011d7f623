#pragma once
// Small window, file-name and file helpers shared by the commands. None keeps
// state between calls.

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace zeva {

class UserPort;

// Where a window goes inside a reference area (its owner's client area, or
// the screen): the window's top-left corner in the area's own coordinates
// (origin at the top left, y growing downward).
//
// With fx = area width - window width and fy = area height - window height,
// and each offset limited to the free space (never below 0), so an offset
// never pushes the window out of the area:
//   1  top left,      offsets move it right and down
//   2  top right,     offsets move it left and down
//   3  centred,       offsets move it right/down (left/up when negative),
//                     each limited to half the free space
//   4  bottom right,  offsets move it left and up
//   5  bottom left,   offsets move it right and up
//   anything else: centred across and one seventh of the free height below the
//   top; ox moves it right, oy only when negative, down by |oy|.
// Signs of the offsets are ignored in placements 1, 2, 4 and 5. Halves and
// sevenths are cut to whole numbers. A window larger than the area keeps its
// top edge on the area's top edge in placements 1 and 2 (and its left edge on
// the left one in 1 and 5).
QPoint VQMOVEWINDOW(const QSize& area, const QSize& window, int placement,
                    std::optional<int> ox = std::nullopt, std::optional<int> oy = std::nullopt);

// The last four characters of the trimmed name when they hold a point, else
// the empty text.
QString SFILEEXT(const QString& name);

// Everything before the last point; the whole name when it has no point. No
// blanks are removed.
QString SFILEBASE(const QString& name);

// Full path of the open problem file without its extension. Empty when no
// problem is open.
QString PROBFILEBASE();

// Splits a path into drive ("C:" when the path starts with one, else empty),
// directory with its trailing separator, file name, and extension with its
// point. An empty path leaves the four outputs untouched.
void MYSPLITPATH(const QString& path, QString& drive, QString& directory, QString& name, QString& extension);

// TRUE when the last four characters of a and b are equal ignoring case and
// SFILEBASE(a) equals SFILEBASE(b) exactly.
bool ISSAMEFILE(const QString& a, const QString& b);

// A typed problem name made fit for a file name: trimmed, then each of
// | : . \ * / < > replaced by a blank (blanks made so stay, also at the ends).
QString CHRCONT(const QString& name);

// Erases files of one folder: those matching the mask (letter case ignored;
// "*.*" means every file), or the names given (each taken in this folder
// whatever folder it names). Stops at the first file that cannot be erased.
// An empty folder, a folder that does not exist and the root of the file
// system erase nothing and answer FALSE. TRUE when all were erased (or none
// matched).
bool DELETEFILES(const QString& folder, const QString& mask = QStringLiteral("*.*"));
bool DELETEFILES(const QString& folder, const QStringList& names);

// Makes a file writable when it is read-only (no write permission at all) and
// nothing else stands in the way: the owner gets the write permission. A file
// that does not exist is left alone. Always TRUE.
bool RFATRIB(const QString& file);

// TRUE when the regional language (platform/system.h) is Turkish. Otherwise
// the error box titled "Sistem Ayarı" asks the user to choose Turkish, and the
// answer is FALSE.
bool SYSCONFIG(UserPort& port);

}  // namespace zeva
