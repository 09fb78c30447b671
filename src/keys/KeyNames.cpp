#include "keys/KeyNames.h"

#include <string>
#include <unordered_map>

namespace tamvera::keys {

namespace {

using Table = std::unordered_map<std::u16string, NamedKey>;

// Built on first use and kept until the program ends; only read afterwards.
const Table& keyNameTable() {
    static const Table table = [] {
        Table t;
        const auto add = [&t](std::u16string_view name, std::uint16_t code, bool extended) {
            t.emplace(std::u16string(name), NamedKey{code, extended, true});
        };
        add(u"BACKSPACE", 0x08, false);
        add(u"BS", 0x08, false);
        add(u"BKSP", 0x08, false);
        add(u"BREAK", 0x13, true);
        add(u"PAUSE", 0x13, false);
        add(u"CAPSLOCK", 0x14, false);
        add(u"DELETE", 0x2E, true);
        add(u"DEL", 0x2E, true);
        add(u"DOWN", 0x28, true);
        add(u"END", 0x23, true);
        add(u"ENTER", 0x0D, false);
        add(u"ESC", 0x1B, false);
        add(u"HELP", 0x2F, false);
        add(u"HOME", 0x24, true);
        add(u"INS", 0x2D, true);
        add(u"INSERT", 0x2D, true);
        add(u"LEFT", 0x25, true);
        add(u"NUMLOCK", 0x90, true);
        add(u"PGDN", 0x22, true);
        add(u"PGUP", 0x21, true);
        add(u"PRINT", 0x2A, true);
        add(u"PRTSC", 0x2C, true);
        add(u"PRTSCN", 0x2C, true);
        add(u"PRINTSCRN", 0x2C, true);
        add(u"PRINTSCREEN", 0x2C, true);
        add(u"RIGHT", 0x27, true);
        add(u"SCROLLLOCK", 0x91, false);
        add(u"SELECT", 0x29, false);
        add(u"TAB", 0x09, false);
        add(u"UP", 0x26, true);
        for (int n = 1; n <= 16; ++n) {
            std::u16string name = u"F";
            if (n >= 10) name += static_cast<char16_t>(u'0' + n / 10);
            name += static_cast<char16_t>(u'0' + n % 10);
            add(name, static_cast<std::uint16_t>(0x6F + n), false);
        }
        return t;
    }();
    return table;
}

}  // namespace

NamedKey lookUpKeyName(std::u16string_view name) {
    std::u16string upper(name);
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    const Table& table = keyNameTable();
    const auto hit = table.find(upper);
    return hit == table.end() ? NamedKey{} : hit->second;
}

}  // namespace tamvera::keys
