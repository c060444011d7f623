// Requirement rows for the daily ration, laid out as rows of the problem's
// nutrient table so that the shell can put them in place of the user's own
// limits.

#include "requirements/nutreqestimate.h"

#include "core/numeric.h"
#include "platform/runtime.h"

namespace zeva {

namespace {
constexpr int kNone = -1;  // a row without a value
}

void NUTREQESTIMATE::addRequirement(const QString& code, const QString& unit, int cell, double value, int width,
                                    int decimals)
{
    Row row{PadR(code, kBmNameWidth), PadL(unit, kCellWidth), blankCell(), blankCell(), blankCell()};
    if (cell != kNone) {
        // A negative amount (a dry cow fed below her requirement needs no
        // undegraded protein at all) is no requirement: the cell would
        // otherwise lose the sign and demand the amount as a minimum.
        const bool negative = MROUND(value, decimals) < 0;
        row[cell] = SDAYA(negative ? QStringLiteral("0") : report::N(value, width, decimals), 4);
    }
    ABMREQM << row;
}

void NUTREQESTIMATE::REQ_GROW_BULL()
{
    ABMREQM.clear();
    addRequirement(QStringLiteral("KMT"), QStringLiteral("Kg/Kg"), BMFIX, NDMI, 5, 2);
    addRequirement(QStringLiteral("KMO"), QStringLiteral("%"), kNone, 0, 0, 0);
    addRequirement(QStringLiteral("NEY"), QStringLiteral("MCal/Kg"), BMLLIMIT, NNEM, 5, 2);
    addRequirement(QStringLiteral("NEK"), QStringLiteral("MCal/Kg"), BMLLIMIT, NNEG, 5, 2);
    addRequirement(QStringLiteral("ME_BB"), QStringLiteral("MCal/Kg"), BMLLIMIT, NME, 6, 2);
    addRequirement(QStringLiteral("SE"), QStringLiteral("MCal/Kg"), BMLLIMIT, NDE, 6, 2);
    addRequirement(QStringLiteral("TSBM"), QStringLiteral("Kg/Kg"), BMLLIMIT, NTDN, 5, 2);
    addRequirement(QStringLiteral("HP"), QStringLiteral("g/Kg"), BMLLIMIT, NCP, 5, 0);
    addRequirement(QStringLiteral("RUP"), QStringLiteral("g/Kg"), BMLLIMIT, NRUP, 5, 0);
    addRequirement(QStringLiteral("RDP"), QStringLiteral("g/Kg"), BMLLIMIT, NRDP, 5, 0);
    addRequirement(QStringLiteral("NDF"), QStringLiteral("Kg/Kg"), BMLLIMIT, NNDF, 5, 2);
    addRequirement(QStringLiteral("ADF"), QStringLiteral("Kg/Kg"), BMLLIMIT, NADF, 5, 2);
    addRequirement(QStringLiteral("KALSIYUM"), QStringLiteral("g/Kg"), BMLLIMIT, NCA, 5, 1);
    addRequirement(QStringLiteral("FOSFOR"), QStringLiteral("g/Kg"), BMLLIMIT, NPHOS, 5, 1);
    addRequirement(QStringLiteral("VITA"), QStringLiteral("IU/Kg"), BMLLIMIT, NVITA, 6, 0);
    addRequirement(QStringLiteral("VITD"), QStringLiteral("IU/Kg"), BMLLIMIT, NVITD, 6, 0);
    LDDEG = true;
}

void NUTREQESTIMATE::REQ_DAIRY()
{
    ABMREQM.clear();
    addRequirement(QStringLiteral("KMT"), QStringLiteral("Kg/Kg"), BMFIX, NDMI, 5, 2);
    addRequirement(QStringLiteral("KMO"), QStringLiteral("%"), kNone, 0, 0, 0);
    addRequirement(QStringLiteral("NEL"), QStringLiteral("MCal/Kg"), BMLLIMIT, NNEL, 5, 2);
    addRequirement(QStringLiteral("ME_BB"), QStringLiteral("MCal/Kg"), BMLLIMIT, NMECOW, 6, 2);
    addRequirement(QStringLiteral("SE"), QStringLiteral("MCal/Kg"), BMLLIMIT, NDECOW, 6, 2);
    addRequirement(QStringLiteral("TSBM"), QStringLiteral("Kg/Kg"), BMLLIMIT, NTDN, 5, 2);
    addRequirement(QStringLiteral("HP"), QStringLiteral("g/Kg"), BMLLIMIT, NCP, 5, 0);
    addRequirement(QStringLiteral("RUP"), QStringLiteral("g/Kg"), BMLLIMIT, NRUP, 5, 0);
    addRequirement(QStringLiteral("RDP"), QStringLiteral("g/Kg"), BMLLIMIT, NRDP, 5, 0);
    addRequirement(QStringLiteral("NDF"), QStringLiteral("Kg/Kg"), BMLLIMIT, NNDF, 5, 2);
    addRequirement(QStringLiteral("ADF"), QStringLiteral("Kg/Kg"), BMLLIMIT, NADF, 5, 2);
    addRequirement(QStringLiteral("KALSIYUM"), QStringLiteral("g/Kg"), BMLLIMIT, NCA, 5, 1);
    addRequirement(QStringLiteral("FOSFOR"), QStringLiteral("g/Kg"), BMLLIMIT, NPHOS, 5, 1);
    addRequirement(QStringLiteral("VITA"), QStringLiteral("IU/Kg"), BMLLIMIT, NVITA, 6, 0);
    addRequirement(QStringLiteral("VITD"), QStringLiteral("IU/Kg"), BMLLIMIT, NVITD, 6, 0);
    LDDEG = true;
}

}  // namespace zeva
