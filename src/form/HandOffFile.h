// The hand-off file "Engine.dll": the grade list as ANSI text plus one CR LF, written at
// every confirmed start and read back row by row by the count, the estimate and the
// typing loop, each pass with a reader of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace tamvera::form {

inline constexpr std::u16string_view kHandOffName = u"Engine.dll";

// Rows are counted in a 16-bit signed counter that starts at 1 and cells are indexed
// 16-bit, so a file holds at most 32,766 rows and a row at most 32,767 cells.
inline constexpr std::int32_t kMaxRows = 32766;
inline constexpr std::size_t kMaxCells = 32767;

// Writes the grade list and returns the path it was written to: the program's folder,
// or, when that cannot be written (a read-only installation), <local app data>\Tamvera.
// Throws Failure when neither can be written, and also - after writing - when the text
// held characters the ANSI code page cannot represent, so they are never typed as "?".
std::u16string WriteHandOffFile(Platform& platform, std::u16string_view gradeList);

// Reads the file row by row as the line reader does: a row ends at CR or CR LF (both
// consumed), a lone LF is an ordinary character, the final terminator does not start a
// new row and an empty file has no rows. The file is closed when the reader goes away.
class HandOffReader {
public:
    // Throws Failure when the file cannot be opened.
    HandOffReader(Platform& platform, std::u16string_view path);

    // The next row converted from ANSI; false at the end of the file. Throws Failure on
    // a read error and on the row beyond the row limit.
    bool ReadRow(std::u16string& row);

private:
    bool nextByte(char& byte);
    bool peekByte(char& byte);
    bool refill();

    Platform& platform_;
    std::unique_ptr<InputFile> file_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t length_ = 0;
    bool atEnd_ = false;
    std::int16_t rowCounter_ = 1;
    std::string rowBytes_;
};

// The cells of a row, split at every TAB; an empty row has none. Throws Failure beyond
// the cell limit.
std::vector<std::u16string_view> SplitCells(std::u16string_view row);

// Where a pass over the list starts: at the value after the first `skipped` ones (0: at
// the beginning). Rows are handed to it in order.
class ListStart {
public:
    explicit ListStart(std::size_t skipped) : left_(skipped) {}
    // The first cell of `row` the pass takes, counted from 1 (1 once the start is
    // passed); 0 for a row that lies wholly before the start.
    std::size_t firstColumn(std::u16string_view row);

private:
    std::size_t left_;
};

}  // namespace tamvera::form
