#include "progress/ProgressTexts.h"

#include <cmath>
#include <string>

namespace tamvera::progress {

namespace {
std::u16string number(long value) {
    const std::string ascii = std::to_string(value);
    return std::u16string(ascii.begin(), ascii.end());
}
}  // namespace

std::u16string ProgressText(std::u16string_view current, std::u16string_view total) {
    std::u16string text(current);
    text += u" dari ";
    text += total;
    text += u" Nilai";
    return text;
}

double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::u16string RemainingTimeText(double remaining) {
    // Seconds of the day R seconds after 00:00:00 (wraps for negative R and whole days).
    double ofDay = std::fmod(RoundHalfEven(remaining), 86400.0);
    if (ofDay < 0) ofDay += 86400.0;
    const long secondOfDay = std::isfinite(ofDay) ? static_cast<long>(ofDay) : 0;
    const long seconds = secondOfDay % 60;
    const long minutes = (secondOfDay / 60) % 60;

    if (remaining < 60) return number(seconds) + u" Detik Lagi";
    if (remaining == 60) return u"1 Menit Lagi";
    return number(minutes) + u" Menit " + number(seconds) + u" Detik Lagi";
}

}  // namespace tamvera::progress
