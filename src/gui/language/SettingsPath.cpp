#include "gui/language/SettingsPath.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace vxlo {

namespace {

QString SettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

std::string InFolder(const QString& folder) {
    return QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(kSettingsFileName)).toStdString();
}

}  // namespace

std::string SettingsFilePath() {
    const QString folder = SettingsFolder();
    // A folder that cannot be made shows up as the file error of the first write.
    QDir().mkpath(folder);
    return InFolder(folder);
}

std::string SettingsFileLocation() { return InFolder(SettingsFolder()); }

}  // namespace vxlo
