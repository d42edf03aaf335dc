// A loadable library that lacks the registration entry point.
extern "C" __attribute__((visibility("default"))) int DllCanUnloadNow()
{
    return 0;
}
