#include "gui/mainwindow/SettingsPath.h"

#include <QDir>
#include <QStandardPaths>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

std::string SettingsFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // A folder that cannot be made shows up as the file error of the first write.
    QDir().mkpath(folder);
    return PathFromQt(folder + QLatin1Char('/') + QLatin1String(kSettingsFileName));
}

}  // namespace vxlo
