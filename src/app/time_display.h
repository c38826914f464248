#pragma once

#include <QString>
#include <cstdint>

namespace qrv {

// The time separator of the user's regional settings: the character between hours and minutes
// in the locale's short time format, a colon when the format has none.
QString SystemTimeSeparator();

// A media position in milliseconds as a time of day, "hh:nn:ss": hours wrap at 24, milliseconds
// are dropped, not rounded. Negative positions (no valid position) show as zero.
QString FormatPlayTime(int64_t milliseconds, const QString& separator);

}  // namespace qrv
