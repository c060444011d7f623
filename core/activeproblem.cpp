#include "core/activeproblem.h"

#include "core/numeric.h"
#include "platform/runtime.h"

namespace zeva {

ActiveProblem& G()
{
    static ActiveProblem problem;
    return problem;
}

void ActiveProblem::reset()
{
    AYMTABLE.clear();
    ABMTABLE.clear();
    ABMOTABLE.clear();
    AMATRIX.clear();
    AYMNAMES.clear();
    ABMNAMES.clear();
    ABMUNITS.clear();
    APARAMS.clear();
    AKMMDATA.clear();
    OPROBSERVER.reset();
    LPARAMCHANGED = LYMCHANGED = LBMCHANGED = LBMOCHANGED = LMATCHANGED = false;
    matrixReplaced();
}

void ActiveProblem::rebuildFeedNames()
{
    AYMNAMES.clear();
    for (const Row& r : AYMTABLE)
        AYMNAMES << AllTrim(r.value(YMNAME));
}

void ActiveProblem::rebuildNutrientNames()
{
    ABMNAMES.clear();
    ABMUNITS.clear();
    for (const Row& r : ABMTABLE) {
        ABMNAMES << AllTrim(r.value(BMNAME));
        ABMUNITS << AllTrim(r.value(BMUNIT));
    }
}

void DELMATROW(int n)
{
    Table& m = G().AMATRIX;
    if (m.isEmpty() || n < 1 || n > m.size())
        return;
    m.removeAt(n - 1);
    G().LMATCHANGED = true;
    G().matrixReplaced();
}

void DELMATCOL(int n)
{
    Table& m = G().AMATRIX;
    if (m.isEmpty() || n < 1 || n > m.first().size())
        return;
    for (Row& r : m)
        if (n <= r.size())
            r.removeAt(n - 1);
    G().LMATCHANGED = true;
    G().matrixReplaced();
}

void ADDMATCOL(int n)
{
    ActiveProblem& p = G();
    Table& m = p.AMATRIX;
    if (m.isEmpty()) {
        const int rows = p.ABMNAMES.isEmpty() ? 1 : static_cast<int>(p.ABMNAMES.size());
        for (int i = 0; i < rows; ++i)
            m.append(Row());
    }
    if (n > m.first().size())
        for (Row& r : m)
            r.append(blankCell());
    p.LMATCHANGED = true;
    p.matrixReplaced();
}

void ADDMATROW(int n)
{
    ActiveProblem& p = G();
    Table& m = p.AMATRIX;
    if (m.isEmpty()) {
        Row r;
        for (int i = 0; i < p.AYMNAMES.size(); ++i)
            r.append(blankCell());
        m.append(r);
    } else if (n > m.size()) {
        const QList<int> dims = ADIMENS(m);
        Row r;
        for (int i = 0; i < dims.value(1); ++i)
            r.append(blankCell());
        m.append(r);
    }
    p.LMATCHANGED = true;
    p.matrixReplaced();
}

QStringList AKILL(const QStringList& array, int n)
{
    QStringList copy = array;
    if (n >= 1 && n <= copy.size())
        copy.removeAt(n - 1);
    return copy;
}

}  // namespace zeva
