#include "run/FormKeys.h"

#include "run/ChoiceEntry.h"

namespace tamvera::run {

namespace {

KeyStep keys(std::u16string_view text) { return {KeyStep::What::Keys, std::u16string(text)}; }
KeyStep literal(std::u16string_view text) { return {KeyStep::What::Literal, std::u16string(text)}; }
const KeyStep kPause{KeyStep::What::Pause, {}};
const KeyStep kBeforeCharacters{KeyStep::What::BeforeCharacters, {}};

void add(std::vector<KeyStep>& steps, std::initializer_list<KeyStep> more) { steps.insert(steps.end(), more); }

// A list is dropped with ENTER and its choice kept with ENTER. A list opened again holds
// the choice typed before, and a repeated key cycles on from there ("2" eight times lands
// on 22 only from the top). From the list's last entry the first key wraps round to the
// top, as in a list just opened, with or without an empty entry at the top: typed again,
// the same keys land the same choice wherever the list stood.
void choiceKeys(std::vector<KeyStep>& steps, std::u16string_view value, bool fromEnd) {
    add(steps, {keys(u"{enter}"), kBeforeCharacters});
    if (fromEnd) steps.push_back(keys(u"{END}"));
    for (const ChoiceKey& key : TulisNilaiPilihan(value))
        steps.push_back(key.literal ? literal(key.text) : keys(key.text));
    add(steps, {kPause, keys(u"{enter}")});
}

}  // namespace

std::u16string_view NavigationKey(EntryKind kind) { return kind == EntryKind::Dapodik ? u"{RIGHT}" : u"{Tab}"; }

std::vector<KeyStep> ValueKeys(EntryKind kind, std::u16string_view value, Typing typing) {
    std::vector<KeyStep> steps;
    switch (kind) {
    case EntryKind::FillIn:
        // Typed again, the field's text is selected first, so the value replaces what it holds.
        if (typing != Typing::First) steps.push_back(keys(u"{HOME}+{END}"));
        steps.push_back(literal(value));
        break;
    case EntryKind::Dapodik:
        // The cell editor replaces the cell's text and ENTER keeps the cell selected.
        add(steps, {keys(u"{ENTER}"), literal(value), keys(u"{ENTER}")});
        break;
    case EntryKind::Choice:
        // From the field's button: opened, and on to its list.
        if (typing != Typing::Again) add(steps, {keys(u"{enter}"), kPause, keys(u"{Tab}"), kPause});
        choiceKeys(steps, value, typing != Typing::First);
        break;
    }
    return steps;
}

}  // namespace tamvera::run
