#pragma once

#include <QSettings>

#include <memory>

// The per-user profile: the recent-file list, the print preview setting, the
// registration mark of the chart component and the component registry.
inline constexpr const char* kCompanyKey = "Holmvard Limited";
inline constexpr const char* kProfileName = "Jhavari-Training";

// The profile of the current user; with SystemScope the machine-wide one,
// which the user's profile falls back to when reading.
std::unique_ptr<QSettings> openProfile(QSettings::Scope scope = QSettings::UserScope);
