#pragma once

#include <QDateTime>

#include "core/DateTime.h"

namespace tw {

// Local date-times between the program's DateTime and Qt's editors, part by part, with no
// time zone of Qt's own in between.
class QtDates {
 public:
  static QDateTime toQt(DateTime local) {
    return QDateTime(QDate(local.year(), local.month(), local.day()),
                     QTime(local.hour(), local.minute(), local.second()));
  }
  static DateTime fromQt(const QDateTime& local) {
    const QDate d = local.date();
    const QTime t = local.time();
    return DateTime::fromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
  }
};

}  // namespace tw
