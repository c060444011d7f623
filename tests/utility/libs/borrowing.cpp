// A library without the version function of its own that depends on one that
// has it: a lookup through its handle also sees the other one's.
#include <cstdint>

extern "C" int DllGetVersion(std::uint32_t* info);

extern "C" __attribute__((visibility("default"))) int zevaBorrowingLibrary()
{
    std::uint32_t info[5] = {20, 0, 0, 0, 0};
    return DllGetVersion(info);
}
