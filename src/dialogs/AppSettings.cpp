#include "dialogs/AppSettings.h"

#include "dialogs/MessageBox.h"

namespace velmora {

QSettings AppSettings() { return QSettings(QString::fromLatin1(kSettingsOrganisation), kMessageBoxTitle); }

}  // namespace velmora
