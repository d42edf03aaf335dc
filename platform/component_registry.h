#pragma once

#include <QString>

// Which components are installed, kept in the profile under "CLSID/<class id>"
// with the path of the component's library. A registration made by the
// administrator lands in the machine-wide profile and counts for every user.
bool writeComponentRegistration(const QString& classId, const QString& name, const QString& libraryPath);
bool isComponentRegistered(const QString& classId);
// The library registered for the class, or empty.
QString registeredComponentPath(const QString& classId);
