// The deadline of the port's waits, the same on every system.
#include "PollWait.h"

namespace zok {

Deadline::Deadline(int timeoutMs)
    : m_unlimited(timeoutMs < 0),
      m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs))
{
}

int Deadline::RemainingMs() const
{
    if (m_unlimited)
        return -1;
    const auto left = m_end - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    // Round up, so a wait never ends a fraction of a millisecond early and loops once more.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

} // namespace zok
