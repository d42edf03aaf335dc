#include "platform/profile.h"

std::unique_ptr<QSettings> openProfile(QSettings::Scope scope)
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, scope, kCompanyKey, kProfileName);
}
