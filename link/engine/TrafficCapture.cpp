#include "TrafficCapture.h"

#include <iterator>
#include <utility>

namespace zok {

namespace {
// How far back a late frame may go: a few commands' worth. A clock set back further than this
// appends rather than walks the whole ring.
constexpr std::size_t kMaxReorder = 64;
} // namespace

void TrafficCapture::SetCapacity(std::size_t capacity)
{
    m_capacity = capacity;
    while (m_frames.size() > m_capacity)
        m_frames.pop_front();
}

void TrafficCapture::Add(CapturedFrame frame)
{
    ++m_total;
    if (m_observer)
        m_observer(frame);
    if (m_capacity == 0)
        return;
    if (m_frames.size() == m_capacity)
        m_frames.pop_front();
    auto place = m_frames.end();
    std::size_t steps = 0;
    while (place != m_frames.begin() && std::prev(place)->epochMs > frame.epochMs) {
        if (++steps > kMaxReorder) {
            place = m_frames.end();
            break;
        }
        --place;
    }
    m_frames.insert(place, std::move(frame));
}

} // namespace zok
