#include "core/ChoiceList.h"

#include <algorithm>

#include "core/DecimalText.h"

namespace tamvera::practice {

namespace {

char16_t fold(char16_t ch) { return (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch - u'A' + u'a') : ch; }

bool startsWith(const std::u16string& entry, const std::u16string& prefix) {
    if (entry.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), entry.begin(),
                      [](char16_t a, char16_t b) { return fold(a) == fold(b); });
}

bool isOneCharacterRepeated(const std::u16string& s) {
    return std::all_of(s.begin(), s.end(), [&](char16_t ch) { return fold(ch) == fold(s.front()); });
}

}  // namespace

ChoiceList::ChoiceList(std::vector<std::u16string> entries) : entries_(std::move(entries)) {}

ChoiceList ChoiceList::grades() {
    std::vector<std::u16string> entries;
    for (int n = 100; n >= 1; --n) entries.push_back(decimalText(n));
    return ChoiceList(std::move(entries));
}

void ChoiceList::open() {
    selected_.reset();
    typed_.clear();
    lastTyped_.reset();
}

void ChoiceList::type(char16_t ch, Millis now) {
    const bool continues = lastTyped_ && now - *lastTyped_ < kTypeaheadReset;
    if (!continues) typed_.clear();
    typed_.push_back(ch);
    lastTyped_ = now;
    if (isOneCharacterRepeated(typed_)) {
        cycleFrom(ch);
    } else {
        searchPrefix();
    }
}

// The next entry after the selection (wrapping round) that begins with the character.
void ChoiceList::cycleFrom(char16_t ch) {
    const std::size_t n = entries_.size();
    const std::size_t start = selected_ ? *selected_ + 1 : 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = (start + i) % n;
        if (!entries_[at].empty() && fold(entries_[at].front()) == fold(ch)) {
            selected_ = at;
            return;
        }
    }
}

// The first entry from the top that begins with everything typed; none keeps the selection.
void ChoiceList::searchPrefix() {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const std::u16string& e) { return startsWith(e, typed_); });
    if (found != entries_.end()) selected_ = static_cast<std::size_t>(found - entries_.begin());
}

void ChoiceList::selectNext() {
    if (entries_.empty()) return;
    if (!selected_) {
        selected_ = 0;
    } else if (*selected_ + 1 < entries_.size()) {
        ++*selected_;
    }
}

void ChoiceList::selectPrevious() {
    if (selected_ && *selected_ > 0) --*selected_;
}

void ChoiceList::selectFirst() { selectAt(0); }

void ChoiceList::selectLast() { selectAt(entries_.size() - 1); }

void ChoiceList::selectAt(std::size_t at) {
    if (entries_.empty()) return;
    selected_ = at;
    typed_.clear();
    lastTyped_.reset();
}

std::u16string ChoiceList::selectedText() const { return selected_ ? entries_[*selected_] : std::u16string(); }

}  // namespace tamvera::practice
