#pragma once
// The core speaks UTF-8 std::string; Qt speaks QString.
#include <QString>
#include <string>
#include <string_view>

#include "core/Message.h"

namespace vxlo {

inline QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
// A text as it stands, as for std::string (and no TMessage made of it).
inline QString ToQt(const char* text) { return ToQt(std::string_view(text)); }
// A message of the core in the user's language (the catalogue installed).
QString ToQt(const TMessage& message);

inline std::string FromQt(const QString& text) { return text.toStdString(); }

// A file path as the core takes it (the platform's bytes).
std::string PathFromQt(const QString& path);
QString PathToQt(const std::string& path);

// A hint "short|long": the tool tip and the status bar text.
inline QString ShortHint(const QString& hint) { return hint.section(QLatin1Char('|'), 0, 0); }
inline QString LongHint(const QString& hint) {
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

}  // namespace vxlo
