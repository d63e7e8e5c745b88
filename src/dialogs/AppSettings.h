#pragma once
// Where the program keeps what it remembers between runs (the recent files and the print
// preview's page count): under this organisation and the application's name.

#include <QSettings>

namespace velmora {

inline constexpr char kSettingsOrganisation[] = "Local AppWizard-Generated Applications";

QSettings AppSettings();

}  // namespace velmora
