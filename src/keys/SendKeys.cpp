#include "keys/SendKeys.h"

#include <string>

#include "keys/KeyStringParser.h"
#include "platform/Failure.h"

namespace tamvera::keys {

namespace {

// All records go in one SendInput call, so nothing else reaches the input stream between
// them. Input blocked by the system (another desktop, a higher-integrity window) inserts
// fewer records than given: the keys did not arrive, and the caller must know.
void sendAll(Platform& platform, const std::vector<KeyRecord>& records) {
    if (records.empty()) return;
    const std::size_t inserted = platform.sendInput(records);
    if (inserted < records.size())
        throw Failure("Masukan keyboard ditolak sistem: hanya " + std::to_string(inserted) + " dari " +
                      std::to_string(records.size()) + " kejadian tombol terkirim");
}

}  // namespace

std::vector<KeyRecord> buildKeyString(Platform& platform, std::u16string_view keys) {
    return KeyStringParser(platform, keys).parseKeyString();
}

std::vector<KeyRecord> buildLiteralText(Platform& platform, std::u16string_view text) {
    return KeyStringParser(platform, text).parseLiteralText();
}

void SendKeyString(Platform& platform, std::u16string_view keys) { sendAll(platform, buildKeyString(platform, keys)); }

void SendLiteralText(Platform& platform, std::u16string_view text) {
    sendAll(platform, buildLiteralText(platform, text));
}

}  // namespace tamvera::keys
