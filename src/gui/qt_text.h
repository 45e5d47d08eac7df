// The one place where the program's UTF-8 texts become Qt strings and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tabulon::gui {

inline QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string S(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace tabulon::gui
