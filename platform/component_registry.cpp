#include "component_registry.h"

#include "profile.h"

#include <unistd.h>

namespace {

constexpr const char* kClassesSection = "CLSID";

} // namespace

bool WriteComponentRegistration(const QString& classId, const QString& name, const QString& libraryPath)
{
    const auto profile = OpenProfile(::geteuid() == 0 ? QSettings::SystemScope : QSettings::UserScope);
    profile->beginGroup(kClassesSection);
    profile->beginGroup(classId);
    profile->setValue("Name", name);
    profile->setValue("InprocServer32", libraryPath);
    profile->endGroup();
    profile->endGroup();
    profile->sync();
    return profile->status() == QSettings::NoError;
}

bool IsComponentRegistered(const QString& classId)
{
    const auto profile = OpenProfile();
    if (!profile->childGroups().contains(kClassesSection))
        return false;
    profile->beginGroup(kClassesSection);
    return profile->childGroups().contains(classId);
}

QString RegisteredComponentPath(const QString& classId)
{
    const auto profile = OpenProfile();
    return profile->value(QStringLiteral("%1/%2/InprocServer32").arg(kClassesSection, classId)).toString();
}
