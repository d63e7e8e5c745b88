#include "StartBeside.h"

#include <QDir>
#include <QFileDialog>

namespace velmora {

bool ChooseWorkingFolder(QStringList& args) {
    if (args.size() < 2 || args.at(1) != QLatin1String(kChooseFolderOption)) return true;
    args.removeAt(1);
    const QString strDir =
        QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Start beside the authoring tool"), QDir::homePath());
    if (strDir.isEmpty() || !QDir::setCurrent(strDir)) return false;
    // The working folder is read as the user reached it, through PWD when it names this folder.
    qputenv("PWD", QFile::encodeName(strDir));
    return true;
}

}  // namespace velmora
