#include "controls/PropertyStore.h"

#include <charconv>

namespace tamvera::controls {

std::string PropertyStore::fold(std::string_view key) {
    std::string folded(key);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

PropertyValue PropertyStore::read(std::string_view key, PropertyValue fallback) const {
    const auto it = values_.find(fold(key));
    return it == values_.end() ? std::move(fallback) : it->second.second;
}

void PropertyStore::write(std::string_view key, PropertyValue value, const PropertyValue& defaultValue) {
    if (value == defaultValue)
        values_.erase(fold(key));
    else
        set(key, std::move(value));
}

void PropertyStore::set(std::string_view key, PropertyValue value) {
    auto& entry = values_[fold(key)];
    if (entry.first.empty()) entry.first = std::string(key);
    entry.second = std::move(value);
}

bool PropertyStore::contains(std::string_view key) const { return values_.count(fold(key)) != 0; }

std::vector<std::pair<std::string, PropertyValue>> PropertyStore::entries() const {
    std::vector<std::pair<std::string, PropertyValue>> out;
    for (const auto& [folded, entry] : values_) out.push_back(entry);
    return out;
}

namespace {

std::string asciiOf(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c > 0x7F) return {};
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::string trimmed(std::string s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool parseWhole(const std::u16string& text, std::int32_t& out) {
    std::string s = trimmed(asciiOf(text));
    if (!s.empty() && s.front() == '+') s.erase(0, 1);
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return !s.empty() && ec == std::errc() && ptr == end;
}

[[noreturn]] void mismatch(const char* wanted) {
    throw PropertyTypeMismatch(std::string("property value is not ") + wanted);
}

}  // namespace

std::int32_t asInt32(const PropertyValue& v) {
    if (const auto* i = std::get_if<std::int32_t>(&v)) return *i;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    std::int32_t n = 0;
    if (const auto* t = std::get_if<std::u16string>(&v); t && parseWhole(*t, n)) return n;
    mismatch("a whole number");
}

bool asBool(const PropertyValue& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    if (const auto* i = std::get_if<std::int32_t>(&v)) return *i != 0;
    if (const auto* t = std::get_if<std::u16string>(&v)) {
        std::string s = trimmed(asciiOf(*t));
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (s == "true") return true;
        if (s == "false") return false;
        std::int32_t n = 0;
        if (parseWhole(*t, n)) return n != 0;
    }
    mismatch("a Boolean");
}

std::u16string asText(const PropertyValue& v) {
    if (const auto* t = std::get_if<std::u16string>(&v)) return *t;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? u"True" : u"False";
    if (const auto* i = std::get_if<std::int32_t>(&v)) {
        const std::string digits = std::to_string(*i);
        return std::u16string(digits.begin(), digits.end());
    }
    mismatch("text");
}

PictureRef asPicture(const PropertyValue& v) {
    if (const auto* p = std::get_if<PictureRef>(&v)) return *p;
    mismatch("a picture");
}

}  // namespace tamvera::controls
