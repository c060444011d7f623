#pragma once
// The active problem: the one program-wide state of the open problem, its
// tables, name lists, header, changed flags and the few values that travel with
// it. Reached through zeva::G().
//
// All cells are text. Numbers are numeric text (see numeric.h); a blank cell
// means no value. Row i of AMATRIX belongs to nutrient i, cell j of each row to
// feed j. Positions passed to the matrix operations count from 1.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>

namespace zeva {

using Row = QStringList;
using Table = QList<QStringList>;

// Column positions (0-based) inside the rows of the three tables.
enum YmCol { YMNAME = 0, YMPRICE, YMFIX, YMLLIMIT, YMULIMIT };
enum BmCol { BMNAME = 0, BMUNIT, BMFIX, BMLLIMIT, BMULIMIT };
enum BmoCol { BMONAME1 = 0, BMONAME2, BMOFIX, BMOLLIMIT, BMOULIMIT };
// Positions inside APARAMS.
enum ParamIdx { PRM_TYPE = 0, PRM_AMOUNT, PRM_CURRENCY, PRM_WEIGHT };

// Widths of the table columns.
inline constexpr int kYmNameWidth = 20;
// What a problem file keeps of a feed name: the feed window takes no more.
inline constexpr int kYmNameFileWidth = 15;
inline constexpr int kBmNameWidth = 15;
inline constexpr int kCellWidth = 11;

// The open problem file; defined by the problem-file module. Empty pointer:
// no problem is open.
class ProblemServer;

using KmmPair = QPair<QString, QString>;  // {nutrient name, value text}

struct ActiveProblem {
    // Problem tables: rows of five text cells.
    Table AYMTABLE;   // feeds
    Table ABMTABLE;   // nutrients
    Table ABMOTABLE;  // nutrient ratios
    Table AMATRIX;    // nutrient rows x feed cells

    // Derived lists (trimmed), rebuilt with their table.
    QStringList AYMNAMES;
    QStringList ABMNAMES;
    QStringList ABMUNITS;

    // Header {type, amount, currency unit, weight unit}; empty when no problem is open.
    QStringList APARAMS;

    bool LPARAMCHANGED = false;
    bool LYMCHANGED = false;
    bool LBMCHANGED = false;
    bool LBMOCHANGED = false;
    bool LMATCHANGED = false;

    std::shared_ptr<ProblemServer> OPROBSERVER;

    // Raised by every change of AMATRIX made through the matrix operations
    // below, by the reader, by reset and by every command that puts a new
    // matrix in place (call matrixReplaced). A window that holds a copy of
    // the matrix writes it back only over the revision it copied.
    quint64 matrixRevision = 0;
    void matrixReplaced() { ++matrixRevision; }

    QList<KmmPair> AKMMDATA;  // nutrient values of the last solved compound feed
    QString CREPORTFILE;      // full path of the last report written

    // Settings and session values (not touched by the reset).
    QString CDATAPATH;   // installation (data) directory
    QString CDATADRIVE;
    QString CUSERID;
    bool LLOGON = false;
    bool LSHOWTIPS = false;
    bool LSHOWLOGO = false;
    int NLASTTIP = 0;

    bool isOpen() const { return static_cast<bool>(OPROBSERVER); }
    bool anyChanged() const
    {
        return LPARAMCHANGED || LYMCHANGED || LBMCHANGED || LBMOCHANGED || LMATCHANGED;
    }

    // Back to the empty problem: tables, lists, matrix, header and AKMMDATA
    // emptied, the open file dropped, all flags lowered, the matrix revision
    // raised. CREPORTFILE, the user and the settings stay.
    void reset();

    // Rebuild the derived lists from their tables (trimmed names and units).
    void rebuildFeedNames();
    void rebuildNutrientNames();
};

// The program-wide active problem.
ActiveProblem& G();

// Matrix operations on G().AMATRIX; positions count from 1.
void DELMATROW(int n);
void DELMATCOL(int n);
void ADDMATCOL(int n);
void ADDMATROW(int n);

// A copy of `array` without element n (1-based); the argument is unchanged.
QStringList AKILL(const QStringList& array, int n);

}  // namespace zeva
