#pragma once
// The core speaks UTF-8 std::string; Qt speaks QString.
#include <QString>
#include <string>
#include <string_view>

namespace vxlo {

inline QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) { return text.toStdString(); }

// A file path as the core takes it (the platform's bytes).
std::string PathFromQt(const QString& path);
QString PathToQt(const std::string& path);

}  // namespace vxlo
