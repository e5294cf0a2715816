#pragma once

#include <cstddef>
#include <string>

namespace zok {

// Cuts "[...]" frames out of a byte stream, one byte at a time so that a frame may span any
// number of reads. Bytes outside brackets are dropped; a "[" inside a frame restarts it; "[]" is
// an empty frame. A frame longer than the cap is discarded whole (a noisy line must not grow
// memory without bound) and cutting resumes at the next "[".
class FrameCutter
{
public:
    static constexpr std::size_t kMaxFrameLength = 4096;

    explicit FrameCutter(std::size_t maxLength = kMaxFrameLength) : m_maxLength(maxLength) {}

    // True when c closed a frame; TakeFrame() then hands it over.
    bool Feed(char c)
    {
        if (c == '[') {
            m_line.clear();
            m_inside = true;
            m_overlong = false;
            return false;
        }
        if (!m_inside)
            return false;
        if (c == ']') {
            m_inside = false;
            return !m_overlong;
        }
        if (m_overlong)
            return false;
        if (m_line.size() == m_maxLength) {
            m_overlong = true;
            m_line.clear();
            return false;
        }
        m_line.push_back(c);
        return false;
    }

    std::string TakeFrame()
    {
        std::string frame;
        frame.swap(m_line);
        return frame;
    }

    // Whether a frame has started and not ended: the listener has nothing half-cut to lose then.
    bool InsideFrame() const { return m_inside; }

private:
    std::string m_line;
    std::size_t m_maxLength;
    bool m_inside = false;
    bool m_overlong = false;
};

} // namespace zok
