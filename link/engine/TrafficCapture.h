#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace zok {

enum class TrafficDirection : std::uint8_t { Sent, Received };

// Why a captured frame is not an ordinary one.
enum class TrafficMark : std::uint8_t {
    None,
    Malformed,   // received bytes that made no frame (stray bytes, a frame cut short by "[")
    Overlong,    // a received frame over the length cap: its first bytes only
    WriteFailed, // a command whose write did not complete
};

// One frame on the line as the capture keeps it.
struct CapturedFrame
{
    std::int64_t epochMs = 0; // when it was read or written, milliseconds since 1970 UTC
    std::int32_t baud = 0;    // the port's speed then; 0 when none was set
    TrafficDirection direction = TrafficDirection::Received;
    TrafficMark mark = TrafficMark::None;
    // The bytes as the line carried them: a command with its leading space and brackets, a
    // received frame with its brackets, dropped bytes as far as they were kept.
    std::string bytes;
};

// The newest frames written and received, in the order of their times, for a support capture.
// Bounded: beyond the capacity the oldest are dropped. Single-threaded (the engine's thread).
//
// Frames come in by time order but for one case: a frame read while the engine's thread was busy
// sending reaches it after the command it preceded; it is put back in its place.
class TrafficCapture
{
public:
    static constexpr std::size_t kDefaultCapacity = 20000;

    explicit TrafficCapture(std::size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    // 0 keeps nothing (the observer still sees every frame). Drops the oldest beyond it.
    void SetCapacity(std::size_t capacity);
    std::size_t Capacity() const { return m_capacity; }

    void Add(CapturedFrame frame);
    // Whether Add keeps or shows anything: callers may skip building frames otherwise.
    bool Enabled() const { return m_capacity > 0 || m_observer != nullptr; }
    void Clear() { m_frames.clear(); }

    // Oldest first.
    const std::deque<CapturedFrame> &Frames() const { return m_frames; }
    // Frames added since construction, kept or not.
    std::uint64_t Total() const { return m_total; }

    // Called with each frame as it is added (a live trace); one observer, or none.
    using Observer = std::function<void(const CapturedFrame &)>;
    void SetObserver(Observer observer) { m_observer = std::move(observer); }

private:
    std::size_t m_capacity;
    std::deque<CapturedFrame> m_frames;
    std::uint64_t m_total = 0;
    Observer m_observer;
};

} // namespace zok
