#pragma once
// Estimators set up as the input dialogs would leave them, for the tests of
// the requirement model, its rows and its report.

#include "requirements/nutreqestimate.h"

namespace zeva::test {

inline NUTREQESTIMATE youngAnimal(float weight, float gain, int sizeClass, double ratio = 1.0)
{
    NUTREQESTIMATE e;
    e.NSTIPI = NUTREQESTIMATE::kYoung;
    e.NCANAGIR = weight;
    e.NBEKCAAR = gain;
    e.NCESTYPE = sizeClass;
    e.NENECONS = ratio;
    return e;
}

inline NUTREQESTIMATE bull(float weight, double ratio = 1.0)
{
    NUTREQESTIMATE e;
    e.NSTIPI = NUTREQESTIMATE::kBull;
    e.NCANAGIR = weight;
    e.NENECONS = ratio;
    return e;
}

// Intake state 1 unless a share below 1 (state 2) or a gain (state 3) is given.
inline NUTREQESTIMATE cow(float weight, float milk, double fat, double day, int parity, float share = 1.0f,
                          double gain = 0.0, double ratio = 1.0)
{
    NUTREQESTIMATE e;
    e.NSTIPI = NUTREQESTIMATE::kCow;
    e.NCANAGIR = weight;
    e.NSUTVERI = milk;
    e.NSYAGTES = fat;
    e.NGEBEGUN = day;
    e.NGEBESAY = parity;
    e.NENECONS = ratio;
    e.NYEMTUKE = share < 1.0f ? 2 : gain > 0 ? 3 : 1;
    e.NENGKARO = share;
    e.NISTAGKA = gain;
    return e;
}

// The models of the animal, as the estimation run sends them.
inline NUTREQESTIMATE computed(NUTREQESTIMATE e)
{
    if (e.NSTIPI == NUTREQESTIMATE::kCow)
        e.CALC_PREG_LACTATION();
    else
        e.CALC_GROW_BULL();
    e.CALC_ALLPROTEIN();
    return e;
}

}  // namespace zeva::test
