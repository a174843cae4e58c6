#include "gui/mainwindow/QtText.h"

#include <QFile>

namespace vxlo {

std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathToQt(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace vxlo
