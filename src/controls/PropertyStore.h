// The design-time properties of a control as the window's layout stores them: named
// values, names matched without regard to case, values equal to their default left out.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "controls/ButtonPaint.h"

namespace tamvera::controls {

// Integer, Boolean, text or picture (an empty PictureRef is "no picture").
using PropertyValue = std::variant<std::int32_t, bool, std::u16string, PictureRef>;

// A stored value that cannot be read as the type asked for ("btnstyle" holding "abc").
class PropertyTypeMismatch : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PropertyStore {
public:
    // The value stored under `key` (any case), or `fallback` when there is none.
    PropertyValue read(std::string_view key, PropertyValue fallback) const;

    // Stores `value` under `key`, unless it equals `defaultValue`: then the key is left
    // out (and an earlier value under it removed), so only non-default values remain.
    void write(std::string_view key, PropertyValue value, const PropertyValue& defaultValue);

    // Stores a value as it is, defaults included (a layout being built, the host's own
    // keys such as "_extentx").
    void set(std::string_view key, PropertyValue value);

    bool contains(std::string_view key) const;
    std::size_t size() const { return values_.size(); }
    // Every entry with its key as first written, ordered by key without case.
    std::vector<std::pair<std::string, PropertyValue>> entries() const;

private:
    static std::string fold(std::string_view key);
    // folded key → (key as written, value)
    std::map<std::string, std::pair<std::string, PropertyValue>> values_;
};

// Reading a value as the property's type, with the usual conversions: a Boolean reads as
// −1 or 0, text holding a whole number reads as that number, "True"/"False" (any case)
// and numbers read as Booleans. Anything else throws PropertyTypeMismatch.
std::int32_t asInt32(const PropertyValue& v);
bool asBool(const PropertyValue& v);
std::u16string asText(const PropertyValue& v);
PictureRef asPicture(const PropertyValue& v);

}  // namespace tamvera::controls
