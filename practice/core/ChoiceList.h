// The drop-down list of a choice field and its search by typed characters, as a
// browser's drop-down list does it: the same character pressed again cycles through
// the entries that begin with it, starting after the current selection; different
// characters typed within a second of each other search by prefix from the top.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tamvera::practice {

using Millis = std::chrono::milliseconds;

class ChoiceList {
public:
    // Characters further apart than this start a new search.
    static constexpr Millis kTypeaheadReset{1000};

    explicit ChoiceList(std::vector<std::u16string> entries);
    // The grade list of the online report's choice fields: 100 down to 1.
    static ChoiceList grades();

    // Opening the list clears the selection and any search in progress.
    void open();
    void type(char16_t ch, Millis now);
    void selectNext();
    void selectPrevious();
    // HOME and END: the first or last entry; a search in progress ends.
    void selectFirst();
    void selectLast();

    const std::vector<std::u16string>& entries() const { return entries_; }
    std::optional<std::size_t> selected() const { return selected_; }
    // The selected entry's text, or empty when nothing is selected.
    std::u16string selectedText() const;

private:
    void cycleFrom(char16_t ch);
    void selectAt(std::size_t at);
    void searchPrefix();

    std::vector<std::u16string> entries_;
    std::optional<std::size_t> selected_;
    std::u16string typed_;
    std::optional<Millis> lastTyped_;
};

}  // namespace tamvera::practice
