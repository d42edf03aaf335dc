// A component whose self-registration reports a failure (E_FAIL).
extern "C" __attribute__((visibility("default"))) int DllRegisterServer()
{
    return static_cast<int>(0x80004005);
}
