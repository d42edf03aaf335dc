#include "profile.h"

std::unique_ptr<QSettings> OpenProfile(QSettings::Scope scope)
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, scope, kCompanyKey, kProfileName);
}
