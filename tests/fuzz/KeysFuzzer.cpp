// libFuzzer target for the key-string sender.
//
// Input: byte 0 chooses the setting (bit 0 Caps Lock on; bit 1 move the key of byte 1 to
// the AltGr level; bit 2 the text is UTF-8, else UTF-16LE; bit 3 the system inserts at
// most byte-1 records), the rest is the text. Both entry points run on the recording
// platform and every result is checked against what must hold for any text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "keys/SendKeys.h"
#include "platform/Failure.h"
#include "platform/Text.h"
#include "support/FakePlatform.h"

using tamvera::Failure;
using tamvera::KeyRecord;
using tamvera::testing::FakePlatform;
namespace KeyFlag = tamvera::KeyFlag;

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "key sender invariant broken: %s\n", what);
        std::abort();
    }
}

bool isModifier(unsigned vk) { return vk == 0x10 || vk == 0x11 || vk == 0x12; }

// Record shapes, every key-down directly followed by its key-up, Unicode records in
// pairs, modifiers released as often as pressed and never released unpressed.
void checkRecords(FakePlatform& fake, const std::vector<KeyRecord>& records) {
    std::map<unsigned, int> held;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const KeyRecord& r = records[i];
        const bool up = (r.flags & KeyFlag::Up) != 0;
        if (r.flags & KeyFlag::Unicode) {
            require(r.vk == 0, "Unicode record with a virtual key");
            require(!up, "Unicode key-up without its key-down");
            require(i + 1 < records.size() && records[i + 1].vk == 0 && records[i + 1].scan == r.scan &&
                        records[i + 1].flags == (KeyFlag::Unicode | KeyFlag::Up),
                    "Unicode key-down not followed by its key-up");
            ++i;
            continue;
        }
        require(r.vk != 0, "key record without a virtual key");
        if (up) {
            require(r.flags == KeyFlag::Up, "key-up with other flags");
            require(isModifier(r.vk), "key-up without its key-down");
            require(r.scan == 0, "modifier key-up with a scan code");
            require(held[r.vk] > 0, "modifier released that was not pressed");
            --held[r.vk];
            continue;
        }
        require(r.scan == 0, "key-down with a scan code");
        require(r.flags == 0 || r.flags == KeyFlag::Extended, "key-down with other flags");
        if (isModifier(r.vk) && r.flags == 0 &&
            !(i + 1 < records.size() && records[i + 1].vk == r.vk && records[i + 1].scan != 0)) {
            ++held[r.vk];
            continue;
        }
        require(i + 1 < records.size(), "key-down at the end");
        const KeyRecord& next = records[i + 1];
        require(next.vk == r.vk && next.flags == KeyFlag::Up &&
                    next.scan == fake.mapVirtualKey(r.vk, fake.keyboardLayout()),
                "key-down not followed by its key-up with the layout's scan code");
        ++i;
    }
    for (const auto& [vk, count] : held) require(count == 0, "modifier left down");
}

// What the records type on the fake's layout, as Windows would produce it: Caps Lock
// turns the case of letter keys around, Control and Alt together are the AltGr level.
std::u16string typedText(const FakePlatform& fake, const std::vector<KeyRecord>& records) {
    std::map<std::pair<unsigned, unsigned>, unsigned char> byKey;  // (vk, shift | altGr << 1)
    for (const auto& [byte, code] : fake.keys) {
        const unsigned state = static_cast<std::uint16_t>(code) >> 8;
        byKey.emplace(std::make_pair(code & 0xFFu, (state & 1) | ((state & 6) ? 2 : 0)), byte);
    }
    std::u16string out;
    std::map<unsigned, int> held;
    for (const KeyRecord& r : records) {
        const bool up = (r.flags & KeyFlag::Up) != 0;
        if (r.flags & KeyFlag::Unicode) {
            if (!up) out += static_cast<char16_t>(r.scan);
        } else if (isModifier(r.vk)) {
            held[r.vk] += up ? -1 : 1;
        } else if (!up) {
            bool shift = held[0x10] > 0;
            if (fake.capsLock && r.vk >= 'A' && r.vk <= 'Z') shift = !shift;
            const bool altGr = held[0x11] > 0 && held[0x12] > 0;
            const auto hit = byKey.find({r.vk, (shift ? 1u : 0u) | (altGr ? 2u : 0u)});
            out += hit == byKey.end() ? u'\uFFFF' : tamvera::testing::fromCp1252(std::string(1, char(hit->second)))[0];
        }
    }
    return out;
}

// Builds, then sends; returns the built records, or nothing when the text failed.
template <typename Build, typename Send>
bool run(FakePlatform& fake, const std::u16string& text, Build build, Send send, std::vector<KeyRecord>& built) {
    bool buildFailed = false, sendFailed = false;
    try {
        built = build(fake, text);
    } catch (const Failure&) {
        buildFailed = true;
    }
    const std::size_t callsBefore = fake.sentInputs.size();
    try {
        send(fake, text);
    } catch (const Failure&) {
        sendFailed = true;
    }
    const std::size_t calls = fake.sentInputs.size() - callsBefore;
    require(calls <= 1, "more than one SendInput call");
    if (buildFailed) {
        require(sendFailed, "a failing text sent without failure");
        require(calls == 0, "a failed call sent records");
        return false;
    }
    require(calls == (built.empty() ? 0u : 1u), "records built but not sent, or nothing sent for nothing");
    if (calls == 1) require(fake.sentInputs.back() == built, "sent records differ from the built ones");
    require(sendFailed == (built.size() > fake.insertLimit), "a short SendInput not reported, or a false failure");
    checkRecords(fake, built);
    return true;
}

std::u16string decodeText(bool utf8, const std::uint8_t* data, std::size_t size) {
    if (utf8) return tamvera::utf16(std::string(reinterpret_cast<const char*>(data), size));
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t setting = data[0], byte = data[1];
    const std::u16string text = decodeText((setting & 4) != 0, data + 2, size - 2);

    FakePlatform fake;
    fake.capsLock = (setting & 1) != 0;
    const bool printable = byte >= 0x20 && byte < 0x7F;
    if ((setting & 2) && printable) fake.setKey(byte, static_cast<std::int16_t>(fake.vkKeyScan(byte) | 0x600));
    if (setting & 8) fake.insertLimit = byte;

    std::vector<KeyRecord> keyRecords, literalRecords;
    const bool keysOk = run(fake, text, tamvera::keys::buildKeyString, tamvera::keys::SendKeyString, keyRecords);
    require(run(fake, text, tamvera::keys::buildLiteralText, tamvera::keys::SendLiteralText, literalRecords),
            "literal text failed");

    // Literal text types back exactly what it was given.
    require(typedText(fake, literalRecords) == text, "literal text typed something else");
    // Without any syntax character a key string is literal text.
    if (text.find_first_of(u"+^%(){}~") == std::u16string::npos) {
        require(keysOk && keyRecords == literalRecords, "plain key string differs from literal text");
    }
    return 0;
}
