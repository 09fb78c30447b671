// The keyboard records of one call, gathered before anything is sent.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/Platform.h"

namespace tamvera::keys {

// Starts with room for 512 records. Between top-level tokens the parser grows it by 511
// whenever 25 or fewer are free, so a string of short tokens of any length fits; a single
// token that needs more than the free room fails the call instead of growing without
// bound (`{TAB 300}`, a group of a few hundred characters).
class RecordBuffer {
public:
    static constexpr std::size_t kInitialRoom = 512;
    static constexpr std::size_t kGrowth = 511;
    static constexpr std::size_t kLowWater = 25;

    RecordBuffer() { records_.reserve(kInitialRoom); }

    // Throws Failure when the buffer is full.
    void append(const KeyRecord& record);
    void growIfNearlyFull();

    std::size_t size() const { return records_.size(); }
    std::size_t room() const { return room_; }
    std::vector<KeyRecord> take() { return std::move(records_); }

private:
    std::vector<KeyRecord> records_;
    std::size_t room_ = kInitialRoom;
};

}  // namespace tamvera::keys
