#pragma once

#include <QString>
#include <cstdint>

namespace tw {

// Minutes as a clock reads them in titles and totals: "45m", "1h 05m", "12h 00m".
class ClockText {
 public:
  static QString hoursMinutes(std::int64_t minutes) {
    if (minutes < 60) return QStringLiteral("%1m").arg(minutes);
    return QStringLiteral("%1h %2m").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0'));
  }
};

}  // namespace tw
