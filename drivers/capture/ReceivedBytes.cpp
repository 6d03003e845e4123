#include "drivers/capture/ReceivedBytes.h"

#include <algorithm>
#include <utility>

namespace quarn::capture {

void ReceivedBytes::add(std::uint32_t handle, std::int64_t timeMs,
                        std::vector<std::uint8_t> bytes) {
    if (!bytes.empty()) {
        queues_[handle].arrivals.push_back({timeMs, std::move(bytes)});
    }
}

ReceivedBytes::HandleQueue* ReceivedBytes::queueAt(std::uint32_t handle, std::int64_t timeMs) {
    const auto found = queues_.find(handle);
    if (found == queues_.end()) {
        return nullptr;
    }
    HandleQueue& queue = found->second;
    while (queue.arrived < queue.arrivals.size() &&
           queue.arrivals[queue.arrived].timeMs <= timeMs) {
        queue.waiting += queue.arrivals[queue.arrived].bytes.size();
        ++queue.arrived;
    }
    return &queue;
}

std::size_t ReceivedBytes::waiting(std::uint32_t handle, std::int64_t timeMs) {
    const HandleQueue* queue = queueAt(handle, timeMs);
    return queue != nullptr ? queue->waiting : 0;
}

std::size_t ReceivedBytes::take(std::uint32_t handle, std::int64_t timeMs,
                                std::span<std::uint8_t> out) {
    HandleQueue* queue = queueAt(handle, timeMs);
    if (queue == nullptr) {
        return 0;
    }
    std::size_t moved = 0;
    while (moved < out.size() && queue->waiting > 0) {
        Arrival& arrival = queue->arrivals[queue->taken];
        const std::size_t n = std::min(out.size() - moved, arrival.bytes.size() - queue->offset);
        std::copy_n(arrival.bytes.begin() + static_cast<std::ptrdiff_t>(queue->offset), n,
                    out.begin() + static_cast<std::ptrdiff_t>(moved));
        moved += n;
        queue->offset += n;
        queue->waiting -= n;
        if (queue->offset == arrival.bytes.size()) {
            // Taken whole: its memory goes back at once.
            std::vector<std::uint8_t>().swap(arrival.bytes);
            ++queue->taken;
            queue->offset = 0;
        }
    }
    return moved;
}

}  // namespace quarn::capture
