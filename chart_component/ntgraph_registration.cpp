// Self-registration of the chart component: it records its class identifier
// and its own path in the component registry of the profile.

#include "chart_component/ntgraph_class.h"
#include "platform/component_registry.h"

#include <QString>

#include <dlfcn.h>

namespace {

constexpr int kSelfRegisterSucceeded = 0;
constexpr int kSelfRegisterFailed = static_cast<int>(0x80004005); // E_FAIL

QString ownLibraryPath()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&ownLibraryPath), &info) == 0 || !info.dli_fname)
        return {};
    return QString::fromLocal8Bit(info.dli_fname);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int DllRegisterServer()
{
    const QString path = ownLibraryPath();
    if (path.isEmpty())
        return kSelfRegisterFailed;
    return writeComponentRegistration(kChartControlClassId, kChartControlName, path) ? kSelfRegisterSucceeded
                                                                                     : kSelfRegisterFailed;
}
