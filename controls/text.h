#pragma once

#include <QString>
#include <string_view>

namespace controls {

// A text of the core (UTF-8) as Qt shows it.
inline QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace controls
