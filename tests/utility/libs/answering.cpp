// A library that answers the version question.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int DllGetVersion(std::uint32_t* info)
{
    if (info[0] != 20)
        return 1;
    info[1] = 6;
    info[2] = 0;
    info[3] = 2900;
    info[4] = 2;
    return 0;
}
