#include "form/HandOffFile.h"

#include "platform/Failure.h"

namespace tamvera::form {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

std::u16string join(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    path += u'\\';
    path += name;
    return path;
}

// The fallback for a program folder that cannot be written: <local app data>\Tamvera.
bool writeToAppData(Platform& platform, std::string_view bytes, std::u16string& path) {
    const std::u16string appData = platform.localAppDataFolder();
    if (appData.empty()) return false;
    const std::u16string folder = join(appData, u"Tamvera");
    if (!platform.ensureFolder(folder)) return false;
    path = join(folder, kHandOffName);
    return platform.writeFile(path, bytes);
}

}  // namespace

std::u16string WriteHandOffFile(Platform& platform, std::u16string_view gradeList) {
    std::u16string text(gradeList);
    text += u"\r\n";
    const AnsiText ansi = platform.toAnsi(text);

    std::u16string path = join(platform.programFolder(), kHandOffName);
    if (!platform.writeFile(path, ansi.bytes) && !writeToAppData(platform, ansi.bytes, path))
        throw Failure("the hand-off file cannot be written");
    if (!ansi.exact) throw Failure("the grade list holds characters the ANSI code page lacks");
    return path;
}

HandOffReader::HandOffReader(Platform& platform, std::u16string_view path)
    : platform_(platform), file_(platform.openForReading(path)) {
    if (!file_) throw Failure("the hand-off file cannot be opened");
}

bool HandOffReader::refill() {
    if (atEnd_) return false;
    buffer_.resize(kReadChunk);
    length_ = file_->read(buffer_.data(), buffer_.size());
    pos_ = 0;
    if (length_ == 0) atEnd_ = true;
    return length_ != 0;
}

bool HandOffReader::peekByte(char& byte) {
    if (pos_ == length_ && !refill()) return false;
    byte = buffer_[pos_];
    return true;
}

bool HandOffReader::nextByte(char& byte) {
    if (!peekByte(byte)) return false;
    ++pos_;
    return true;
}

bool HandOffReader::ReadRow(std::u16string& row) {
    char byte = 0;
    if (!nextByte(byte)) return false;
    if (rowCounter_ > kMaxRows) throw Failure("the hand-off file has too many rows");
    ++rowCounter_;
    rowBytes_.clear();
    while (byte != '\r') {
        rowBytes_.push_back(byte);
        if (!nextByte(byte)) break;
    }
    if (byte == '\r') {
        char next = 0;
        if (peekByte(next) && next == '\n') ++pos_;
    }
    row = platform_.fromAnsi(rowBytes_);
    return true;
}

std::vector<std::u16string_view> SplitCells(std::u16string_view row) {
    std::vector<std::u16string_view> cells;
    if (row.empty()) return cells;
    std::size_t start = 0;
    for (;;) {
        if (cells.size() == kMaxCells) throw Failure("a row of the hand-off file has too many cells");
        const std::size_t tab = row.find(u'\t', start);
        cells.push_back(row.substr(start, tab == std::u16string_view::npos ? std::u16string_view::npos : tab - start));
        if (tab == std::u16string_view::npos) break;
        start = tab + 1;
    }
    return cells;
}

std::size_t ListStart::firstColumn(std::u16string_view row) {
    if (left_ == 0) return 1;
    std::size_t column = 0;
    for (std::u16string_view cell : SplitCells(row)) {
        ++column;
        if (cell.empty()) continue;
        if (left_ == 0) return column;
        --left_;
    }
    return 0;
}

}  // namespace tamvera::form
