#include "sim/TimedByteQueue.h"

#include <algorithm>
#include <iterator>

namespace quarn::sim {

std::size_t TimedByteQueue::push(std::int64_t atMs, std::span<const std::uint8_t> bytes) {
    const std::size_t kept = std::min(bytes.size(), capacity_ - std::min(size_, capacity_));
    if (kept == 0) {
        return 0;
    }
    Chunk chunk{atMs, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + kept)};
    // Chunks stay in arrival order; equal times keep the order of pushing.
    auto pos = chunks_.end();
    while (pos != chunks_.begin() && std::prev(pos)->atMs > atMs) {
        --pos;
    }
    chunks_.insert(pos, std::move(chunk));
    size_ += kept;
    return kept;
}

std::size_t TimedByteQueue::available(std::int64_t nowMs) const {
    std::size_t count = 0;
    for (const Chunk& chunk : chunks_) {
        if (chunk.atMs > nowMs) {
            break;
        }
        count += chunk.bytes.size() - chunk.offset;
    }
    return count;
}

std::size_t TimedByteQueue::read(std::int64_t nowMs, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size() && !chunks_.empty() && chunks_.front().atMs <= nowMs) {
        Chunk& chunk = chunks_.front();
        const std::size_t take = std::min(out.size() - done, chunk.bytes.size() - chunk.offset);
        std::copy_n(chunk.bytes.begin() + static_cast<std::ptrdiff_t>(chunk.offset), take,
                    out.begin() + static_cast<std::ptrdiff_t>(done));
        chunk.offset += take;
        done += take;
        size_ -= take;
        if (chunk.offset == chunk.bytes.size()) {
            chunks_.pop_front();
        }
    }
    return done;
}

void TimedByteQueue::discardArrived(std::int64_t nowMs) {
    while (!chunks_.empty() && chunks_.front().atMs <= nowMs) {
        size_ -= chunks_.front().bytes.size() - chunks_.front().offset;
        chunks_.pop_front();
    }
}

void TimedByteQueue::clear() {
    chunks_.clear();
    size_ = 0;
}

}  // namespace quarn::sim
