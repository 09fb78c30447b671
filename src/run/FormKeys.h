// Each form's keys, as data: the typing loop sends a value's keys and the repairs send
// them again from the same list, each with its own pauses at the beats it names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tamvera::run {

// How a field takes a value: a text field, the Dapodik grid's cell editor, or a list.
enum class EntryKind { FillIn, Dapodik, Choice };

// One step of a value's keys: a key string, text typed as it is, or a beat where the
// sender pauses (a short pause; the pause before the value's characters).
struct KeyStep {
    enum class What { Keys, Literal, Pause, BeforeCharacters } what;
    std::u16string text;
    bool operator==(const KeyStep&) const = default;
};

// Where a value's keys start: its first typing, typed again into its field, or typed
// again from a choice field's button.
enum class Typing { First, Again, FromButton };

// The key that moves on to the next field.
std::u16string_view NavigationKey(EntryKind kind);

// A value's keys in the form `kind`.
std::vector<KeyStep> ValueKeys(EntryKind kind, std::u16string_view value, Typing typing);

}  // namespace tamvera::run
