// A library without the version function.
extern "C" __attribute__((visibility("default"))) int zevaSilentLibrary()
{
    return 1;
}
