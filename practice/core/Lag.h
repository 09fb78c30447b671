// How long a fault's delay lasts: a fixed number of milliseconds, or a range from
// which each delay draws its length afresh, as a busy school server answers one save
// at once and the next only after a second.
#pragma once

#include <chrono>
#include <cstdint>

namespace tamvera::practice {

using Millis = std::chrono::milliseconds;

struct Lag {
    Millis min{0};
    Millis max{0};  // min == max: always that long

    static Lag fixed(Millis ms) { return Lag{ms, ms}; }
    bool any() const { return max.count() > 0; }
    bool operator==(const Lag&) const = default;
};

// The lengths of one kind of delay, drawn in whole ms uniformly from the lag's range.
// A splitmix64 stream of our own rather than the standard library's distributions, whose
// results differ between libraries: the same seed and the same draws give the same
// lengths in every build.
class LagDraw {
public:
    // Draws with different streams of one seed do not follow each other.
    LagDraw(std::uint32_t seed, std::uint32_t stream);

    Millis next(const Lag& lag);

private:
    std::uint64_t state_;
};

}  // namespace tamvera::practice
