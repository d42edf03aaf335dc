#include "platform/component_registry.h"

#include "platform/profile.h"

#include <unistd.h>

namespace {

constexpr const char* kClassesSection = "CLSID";

} // namespace

bool writeComponentRegistration(const QString& classId, const QString& name, const QString& libraryPath)
{
    const auto profile = openProfile(::geteuid() == 0 ? QSettings::SystemScope : QSettings::UserScope);
    profile->beginGroup(kClassesSection);
    profile->beginGroup(classId);
    profile->setValue("Name", name);
    profile->setValue("InprocServer32", libraryPath);
    profile->endGroup();
    profile->endGroup();
    profile->sync();
    return profile->status() == QSettings::NoError;
}

bool isComponentRegistered(const QString& classId)
{
    const auto profile = openProfile();
    if (!profile->childGroups().contains(kClassesSection))
        return false;
    profile->beginGroup(kClassesSection);
    return profile->childGroups().contains(classId);
}

QString registeredComponentPath(const QString& classId)
{
    const auto profile = openProfile();
    return profile->value(QStringLiteral("%1/%2/InprocServer32").arg(kClassesSection, classId)).toString();
}
