// Shared helpers of the key-string sender's tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keys/SendKeys.h"
#include "platform/Text.h"
#include "support/FakePlatform.h"

namespace keys_test {

using tamvera::KeyRecord;
namespace KeyFlag = tamvera::KeyFlag;

inline constexpr std::uint16_t kShift = 0x10, kControl = 0x11, kAlt = 0x12;

class KeysTest : public ::testing::Test {
protected:
    tamvera::testing::FakePlatform fake;

    std::vector<KeyRecord> keys(std::u16string_view text) { return tamvera::keys::buildKeyString(fake, text); }
    std::vector<KeyRecord> literal(std::u16string_view text) { return tamvera::keys::buildLiteralText(fake, text); }
    // What the records type, read back on the fake's US layout ("A", "{TAB}", "^%q").
    std::string typed(std::u16string_view text) { return tamvera::testing::describeRecords(keys(text)); }
    std::string typedLiterally(std::u16string_view text) {
        return tamvera::testing::describeRecords(literal(text));
    }

    static KeyRecord down(std::uint16_t vk, std::uint32_t flags = 0) { return {vk, 0, flags}; }
    // A key's release carries its scan code on the layout; a modifier's release does not.
    KeyRecord up(std::uint16_t vk) const {
        const auto hit = fake.scanCodes.find(vk);
        return {vk, static_cast<std::uint16_t>(hit == fake.scanCodes.end() ? 0 : hit->second), KeyFlag::Up};
    }
    static KeyRecord modifierUp(std::uint16_t vk) { return {vk, 0, KeyFlag::Up}; }
    static std::vector<KeyRecord> unicode(char16_t unit) {
        return {{0, unit, KeyFlag::Unicode}, {0, unit, KeyFlag::Unicode | KeyFlag::Up}};
    }
    std::vector<KeyRecord> stroke(std::uint16_t vk, std::uint32_t flags = 0) const { return {down(vk, flags), up(vk)}; }
    std::vector<KeyRecord> shifted(std::uint16_t vk) const {
        return {down(kShift), down(vk), up(vk), modifierUp(kShift)};
    }
    static std::vector<KeyRecord> join(std::initializer_list<std::vector<KeyRecord>> parts) {
        std::vector<KeyRecord> all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    }
};

}  // namespace keys_test
