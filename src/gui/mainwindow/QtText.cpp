#include "gui/mainwindow/QtText.h"

#include <QFile>

#include "gui/language/Catalogue.h"

namespace vxlo {

QString ToQt(const TMessage& message) {
    const TQtTranslator translator;
    return ToQt(message.Text(&translator));
}

std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathToQt(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace vxlo
