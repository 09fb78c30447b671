#include "keys/RecordBuffer.h"

#include "platform/Failure.h"

namespace tamvera::keys {

void RecordBuffer::append(const KeyRecord& record) {
    if (records_.size() >= room_)
        throw Failure("Rangkaian tombol tidak dapat dikirim: satu bagiannya terlalu panjang");
    records_.push_back(record);
}

void RecordBuffer::growIfNearlyFull() {
    if (room_ - records_.size() <= kLowWater) room_ += kGrowth;
}

}  // namespace tamvera::keys
