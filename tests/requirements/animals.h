#pragma once
// Estimators set up as the input dialogs would leave them, for the tests of
// the requirement model, its rows and its report.

#include "requirements/nutreqestimate.h"

#include <vector>

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

// Animals over the range the input dialogs accept: cows of 400-800 kg with
// 0-66 kg milk of 0-5.5 % fat, open or late pregnant, parity 1-3, in the
// three intake states; growing animals of 100-800 kg gaining 400-1000 g in the
// four classes; bulls of 500-1400 kg.
inline std::vector<NUTREQESTIMATE> inputGrid()
{
    std::vector<NUTREQESTIMATE> animals;
    for (float w : {400.0f, 500.0f, 600.0f, 650.0f, 800.0f})
        for (float milk : {0.0f, 8.0f, 25.0f, 45.0f, 66.0f})
            for (double fat : {0.0, 3.5, 5.5})
                for (double day : {0.0, 282.0})
                    for (int parity = 1; parity <= 3; ++parity) {
                        animals.push_back(cow(w, milk, fat, day, parity));
                        animals.push_back(cow(w, milk, fat, day, parity, 0.70f));
                        animals.push_back(cow(w, milk, fat, day, parity, 1.0f, 3.0));
                    }
    for (float w = 100; w <= 800; w += 50)
        for (float gain = 400; gain <= 1000; gain += 100)
            for (int sizeClass = 1; sizeClass <= 4; ++sizeClass)
                animals.push_back(youngAnimal(w, gain, sizeClass));
    for (float w = 500; w <= 1400; w += 100)
        animals.push_back(bull(w));
    return animals;
}

}  // namespace zeva::test
