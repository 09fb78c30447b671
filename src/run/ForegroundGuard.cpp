#include "run/ForegroundGuard.h"

#include <string>

#include "form/EntryOptions.h"

namespace tamvera::run {

namespace {

bool containsRapor(std::u16string title) {
    const auto first = title.find_first_not_of(u' ');
    if (first == std::u16string::npos) return false;
    title = title.substr(first, title.find_last_not_of(u' ') - first + 1);
    for (char16_t& c : title)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return title.find(u"RAPOR") != std::u16string::npos;
}

}  // namespace

bool ForeignWindowInFront(const form::FormModel& form, Platform& platform) {
    if (!form::options::GuardWatchesForeground(form)) return false;
    return !containsRapor(platform.fromAnsi(platform.foregroundWindowTitle()));
}

}  // namespace tamvera::run
