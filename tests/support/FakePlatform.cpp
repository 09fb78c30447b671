#include "support/FakePlatform.h"

#include <algorithm>
#include <cmath>

#include "platform/Failure.h"
#include "platform/Text.h"

namespace tamvera::testing {

namespace {

// VkKeyScanA on a US layout for the printable ASCII characters and the control
// characters that have keys.
void fillUsKeys(std::map<unsigned char, std::int16_t>& keys) {
    for (int c = 'a'; c <= 'z'; ++c) keys[static_cast<unsigned char>(c)] = static_cast<std::int16_t>(c - 'a' + 0x41);
    for (int c = 'A'; c <= 'Z'; ++c) keys[static_cast<unsigned char>(c)] = static_cast<std::int16_t>(0x100 + c);
    for (int c = '0'; c <= '9'; ++c) keys[static_cast<unsigned char>(c)] = static_cast<std::int16_t>(c);
    const char* shiftedDigits = ")!@#$%^&*(";
    for (int d = 0; d < 10; ++d) keys[static_cast<unsigned char>(shiftedDigits[d])] = static_cast<std::int16_t>(0x130 + d);
    const struct {
        char plain, shifted;
        std::int16_t vk;
    } oem[] = {{';', ':', 0xBA}, {'=', '+', 0xBB}, {',', '<', 0xBC}, {'-', '_', 0xBD}, {'.', '>', 0xBE},
               {'/', '?', 0xBF}, {'`', '~', 0xC0}, {'[', '{', 0xDB}, {'\\', '|', 0xDC}, {']', '}', 0xDD},
               {'\'', '"', 0xDE}};
    for (const auto& k : oem) {
        keys[static_cast<unsigned char>(k.plain)] = k.vk;
        keys[static_cast<unsigned char>(k.shifted)] = static_cast<std::int16_t>(0x100 | k.vk);
    }
    keys[' '] = 0x20;
    keys['\b'] = 0x08;
    keys['\t'] = 0x09;
    keys['\r'] = 0x0D;
    keys['\n'] = 0x20D;
    keys[0x1B] = 0x1B;
}

// MapVirtualKeyExA(vk, 0) on a US keyboard.
void fillUsScanCodes(std::map<unsigned, unsigned>& scan) {
    const char* row = "1234567890";
    for (int i = 0; i < 10; ++i) scan[static_cast<unsigned>(row[i])] = static_cast<unsigned>(2 + i);
    const unsigned letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                  0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    for (unsigned i = 0; i < 26; ++i) scan[0x41 + i] = letters[i];
    const std::pair<unsigned, unsigned> others[] = {
        {0x08, 0x0E}, {0x09, 0x0F}, {0x0D, 0x1C}, {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38}, {0x13, 0x45},
        {0x14, 0x3A}, {0x1B, 0x01}, {0x20, 0x39}, {0x21, 0x49}, {0x22, 0x51}, {0x23, 0x4F}, {0x24, 0x47},
        {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50}, {0x2C, 0x54}, {0x2D, 0x52}, {0x2E, 0x53},
        {0x90, 0x45}, {0x91, 0x46}, {0xBA, 0x27}, {0xBB, 0x0D}, {0xBC, 0x33}, {0xBD, 0x0C}, {0xBE, 0x34},
        {0xBF, 0x35}, {0xC0, 0x29}, {0xDB, 0x1A}, {0xDC, 0x2B}, {0xDD, 0x1B}, {0xDE, 0x28}};
    for (const auto& [vk, code] : others) scan[vk] = code;
    for (unsigned f = 0; f < 12; ++f) scan[0x70 + f] = f < 10 ? 0x3B + f : 0x57 + (f - 10);
    for (unsigned f = 12; f < 16; ++f) scan[0x70 + f] = 0x64 + (f - 12);
}

// The upper half of Windows-1252; 0 marks the five unassigned bytes.
constexpr char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

class FakeInputFile : public InputFile {
public:
    FakeInputFile(FakePlatform& owner, std::string content) : owner_(owner), content_(std::move(content)) {
        ++owner_.openFiles;
    }
    ~FakeInputFile() override { --owner_.openFiles; }
    std::size_t read(char* buffer, std::size_t size) override {
        if (owner_.failReadAfter && pos_ >= *owner_.failReadAfter) throw Failure("read error");
        std::size_t n = std::min(size, content_.size() - pos_);
        if (owner_.failReadAfter) n = std::min(n, *owner_.failReadAfter - pos_);
        std::copy_n(content_.data() + pos_, n, buffer);
        pos_ += n;
        return n;
    }

private:
    FakePlatform& owner_;
    std::string content_;
    std::size_t pos_ = 0;
};

const char* keyName(unsigned vk) {
    switch (vk) {
        case 0x08: return "BS";
        case 0x09: return "TAB";
        case 0x0D: return "ENTER";
        case 0x13: return "PAUSE";
        case 0x14: return "CAPSLOCK";
        case 0x1B: return "ESC";
        case 0x21: return "PGUP";
        case 0x22: return "PGDN";
        case 0x23: return "END";
        case 0x24: return "HOME";
        case 0x25: return "LEFT";
        case 0x26: return "UP";
        case 0x27: return "RIGHT";
        case 0x28: return "DOWN";
        case 0x2D: return "INS";
        case 0x2E: return "DEL";
        default: return nullptr;
    }
}

}  // namespace

AnsiText toCp1252(std::u16string_view text) {
    AnsiText out;
    out.bytes.reserve(text.size());
    for (char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.bytes.push_back(static_cast<char>(c));
            continue;
        }
        const auto* hit = std::find(std::begin(kCp1252High), std::end(kCp1252High), c);
        if (c != 0 && hit != std::end(kCp1252High)) {
            out.bytes.push_back(static_cast<char>(0x80 + (hit - std::begin(kCp1252High))));
        } else {
            out.bytes.push_back('?');
            out.exact = false;
        }
    }
    return out;
}

std::u16string fromCp1252(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0)
            out.push_back(kCp1252High[u - 0x80] ? kCp1252High[u - 0x80] : static_cast<char16_t>(u));
        else
            out.push_back(static_cast<char16_t>(u));
    }
    return out;
}

FakePlatform::FakePlatform() {
    fillUsKeys(keys);
    fillUsScanCodes(scanCodes);
    folders.insert(programDir);
    folders.insert(localAppData);
}

std::vector<KeyRecord> FakePlatform::allRecords() const {
    std::vector<KeyRecord> all;
    for (const auto& call : sentInputs) all.insert(all.end(), call.begin(), call.end());
    return all;
}

void FakePlatform::advance(double seconds) {
    clock = std::fmod(clock + seconds, 86400.0);
}

std::vector<std::string> FakePlatform::typed() const {
    std::vector<std::string> out;
    for (const auto& line : log)
        if (line.rfind("keys ", 0) == 0) out.push_back(line.substr(5));
    return out;
}

std::int16_t FakePlatform::vkKeyScan(unsigned char ansiChar) {
    auto it = keys.find(ansiChar);
    return it == keys.end() ? static_cast<std::int16_t>(-1) : it->second;
}

unsigned FakePlatform::mapVirtualKey(unsigned vk, std::uintptr_t) {
    auto it = scanCodes.find(vk);
    return it == scanCodes.end() ? 0 : it->second;
}

std::size_t FakePlatform::sendInput(const std::vector<KeyRecord>& records) {
    sentInputs.push_back(records);
    log.push_back("keys " + describeRecords(records));
    return std::min(records.size(), insertLimit);
}

AnsiText FakePlatform::toAnsi(std::u16string_view text) { return toCp1252(text); }

std::u16string FakePlatform::fromAnsi(std::string_view bytes) { return fromCp1252(bytes); }

float FakePlatform::secondsSinceMidnight() { return static_cast<float>(clock); }

void FakePlatform::waitForMessages(unsigned milliseconds) {
    ++waitCalls;
    lastWaitMs = milliseconds;
    advance(milliseconds / 1000.0);
}

void FakePlatform::processMessages() {
    ++processMessagesCalls;
    if (onProcessMessages) onProcessMessages();
}

MessageAnswer FakePlatform::messageBox(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                                       MessageIcon icon) {
    messages.push_back({std::u16string(text), std::u16string(title), buttons, icon});
    log.push_back("box " + utf8(title) + ": " + utf8(text));
    if (onMessageBox) onMessageBox();
    // Unscripted, a box is answered with its default button.
    if (answers.empty()) return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes : MessageAnswer::Ok;
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
}

bool FakePlatform::activateWindowByTitle(std::u16string_view title) {
    auto pick = std::find(windowTitles.begin(), windowTitles.end(), title);
    if (pick == windowTitles.end())
        pick = std::find_if(windowTitles.begin(), windowTitles.end(),
                            [&](const std::u16string& t) { return t.rfind(title, 0) == 0; });
    if (pick == windowTitles.end()) return false;
    activatedTitles.push_back(*pick);
    foregroundTitle = toAnsi(*pick).bytes;
    log.push_back("activate " + utf8(*pick));
    return true;
}

bool FakePlatform::beginFieldRead(double giveUpSeconds) {
    if (!fieldReader || readerHeld || readStartedAt_) return false;
    ++readsStarted;
    readStartedAt_ = clock;
    readGiveUp_ = giveUpSeconds;
    return true;
}

std::optional<FieldReading> FakePlatform::fieldReadResult() {
    if (!readStartedAt_) return std::nullopt;
    const double cost = readHangs ? readGiveUp_ : readSeconds;
    if (clock < *readStartedAt_ + cost) return std::nullopt;
    readStartedAt_.reset();
    FieldReading r;
    if (!readHangs) r = fieldReader();
    r.seconds = cost;
    log.push_back(r.answered && r.hasValue ? "read " + utf8(r.value) : std::string("read -"));
    return r;
}

void FakePlatform::abandonFieldRead() {
    if (!readStartedAt_) return;
    readStartedAt_.reset();
    ++readsAbandoned;
    log.push_back("read -");
}

void FakePlatform::focusMainWindow() {
    ++mainWindowFocusCount;
    log.push_back("focus");
}

void FakePlatform::setCursorPos(int x, int y) {
    cursorMoves.emplace_back(x, y);
    log.push_back("cursor " + std::to_string(x) + "," + std::to_string(y));
}

void FakePlatform::beep(unsigned frequencyHz, unsigned durationMs) {
    beeps.emplace_back(frequencyHz, durationMs);
    log.push_back("beep " + std::to_string(frequencyHz) + "," + std::to_string(durationMs));
}

void FakePlatform::exitProcess() {
    log.push_back("exit");
    throw ProcessExited{};
}

std::u16string FakePlatform::folderOf(std::u16string_view path) {
    const auto slash = path.find_last_of(u'\\');
    return std::u16string(slash == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, slash));
}

bool FakePlatform::ensureFolder(std::u16string_view path) {
    const std::u16string folder(path);
    if (folders.count(folder)) return true;
    if (!folders.count(folderOf(folder)) || readOnlyFolders.count(folderOf(folder))) return false;
    folders.insert(folder);
    return true;
}

bool FakePlatform::writeFile(std::u16string_view path, std::string_view bytes) {
    const std::u16string folder = folderOf(path);
    if (!folders.count(folder) || readOnlyFolders.count(folder)) return false;
    files[std::u16string(path)] = std::string(bytes);
    log.push_back("write " + utf8(path));
    return true;
}

std::unique_ptr<InputFile> FakePlatform::openForReading(std::u16string_view path) {
    auto it = files.find(std::u16string(path));
    if (it == files.end()) return nullptr;
    ++opensForReading;
    return std::make_unique<FakeInputFile>(*this, it->second);
}

std::string describeRecords(const std::vector<KeyRecord>& records) {
    // Reverse of the US layout: (vk | shift << 8) -> character.
    static const std::map<std::int16_t, char> usChars = [] {
        std::map<unsigned char, std::int16_t> keys;
        fillUsKeys(keys);
        std::map<std::int16_t, char> rev;
        for (const auto& [ch, code] : keys)
            if (ch >= 0x20 && ch < 0x7F) rev.emplace(code, static_cast<char>(ch));
        return rev;
    }();
    std::string out;
    bool shift = false, control = false, alt = false;
    for (const KeyRecord& r : records) {
        const bool up = (r.flags & KeyFlag::Up) != 0;
        if (r.flags & KeyFlag::Unicode) {
            if (!up) out += utf8(std::u16string(1, static_cast<char16_t>(r.scan)));
            continue;
        }
        if (r.vk == 0x10) { shift = !up; continue; }
        if (r.vk == 0x11) { control = !up; continue; }
        if (r.vk == 0x12) { alt = !up; continue; }
        if (up) continue;
        std::string prefix = std::string(control ? "^" : "") + (alt ? "%" : "");
        if (const char* name = keyName(r.vk)) {
            out += prefix + (shift ? "+" : "") + "{" + name + "}";
            continue;
        }
        auto hit = usChars.find(static_cast<std::int16_t>(r.vk | (shift ? 0x100 : 0)));
        if (hit != usChars.end()) {
            out += prefix + hit->second;
            continue;
        }
        hit = usChars.find(static_cast<std::int16_t>(r.vk));
        if (hit != usChars.end()) {
            out += prefix + "+" + hit->second;
            continue;
        }
        out += "<" + std::to_string(r.vk) + "," + std::to_string(r.scan) + "," + std::to_string(r.flags) + ">";
    }
    return out;
}

}  // namespace tamvera::testing
