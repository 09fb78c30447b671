#include "core/Lag.h"

namespace tamvera::practice {

LagDraw::LagDraw(std::uint32_t seed, std::uint32_t stream) : state_((std::uint64_t{stream} << 32) | seed) {}

Millis LagDraw::next(const Lag& lag) {
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    // The top 32 bits scaled onto the span (at most 60001 values, so the product fits).
    const auto span = static_cast<std::uint64_t>(lag.max.count() - lag.min.count() + 1);
    return lag.min + Millis(static_cast<Millis::rep>(((z >> 32) * span) >> 32));
}

}  // namespace tamvera::practice
