#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zok {

// Cuts "[...]" frames out of a byte stream, one byte at a time so that a frame may span any
// number of reads. Bytes outside brackets are dropped; a "[" inside a frame restarts it; "[]" is
// an empty frame. A frame longer than the cap is discarded whole (a noisy line must not grow
// memory without bound) and cutting resumes at the next "[".
//
// What is dropped is handed over too, so a capture of the line can show it: a run of stray bytes
// (ended by a "[" or by EndOfRead), a frame cut short by a new "[" (with its own "["), or an
// over-long frame (from its "[", ended by its "]" or a new "["). Only the first kMaxDroppedText
// bytes of each are kept. Each byte completes at most one of them: check PendingDrop() after
// every Feed, before taking the frame that byte may have closed.
class FrameCutter
{
public:
    static constexpr std::size_t kMaxFrameLength = 4096;
    // Enough to recognise what was dropped; little to keep on a noisy line.
    static constexpr std::size_t kMaxDroppedText = 64;

    enum class Drop : std::uint8_t { None, Malformed, Overlong };

    explicit FrameCutter(std::size_t maxLength = kMaxFrameLength) : m_maxLength(maxLength) {}

    // True when c closed a frame; TakeFrame() then hands it over.
    bool Feed(char c)
    {
        if (c == '[') {
            if (m_inside)
                EndFrameEarly();
            else
                EndStray();
            m_line.clear();
            m_inside = true;
            m_overlong = false;
            return false;
        }
        if (!m_inside) {
            Keep(m_stray, c);
            return false;
        }
        if (c == ']') {
            m_inside = false;
            if (m_overlong)
                SetDrop(Drop::Overlong, m_head);
            return !m_overlong;
        }
        if (m_overlong)
            return false;
        if (m_line.size() == m_maxLength) {
            m_overlong = true;
            m_head = '[' + m_line.substr(0, kMaxDroppedText - 1);
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

    // The stray bytes read so far are dropped now rather than at the next "[", so that they are
    // handed over with the read that brought them.
    void EndOfRead() { EndStray(); }

    // What the last Feed or EndOfRead completed of the bytes being dropped.
    Drop PendingDrop() const { return m_drop; }
    std::string TakeDropped()
    {
        m_drop = Drop::None;
        std::string dropped;
        dropped.swap(m_dropped);
        return dropped;
    }

    // Whether a frame has started and not ended: the listener has nothing half-cut to lose then.
    bool InsideFrame() const { return m_inside; }

private:
    static void Keep(std::string &text, char c)
    {
        if (text.size() < kMaxDroppedText)
            text.push_back(c);
    }
    void SetDrop(Drop kind, std::string &text)
    {
        m_drop = kind;
        m_dropped.swap(text);
        text.clear();
    }
    void EndStray()
    {
        if (!m_stray.empty())
            SetDrop(Drop::Malformed, m_stray);
    }
    void EndFrameEarly()
    {
        if (m_overlong) {
            SetDrop(Drop::Overlong, m_head);
            return;
        }
        std::string cut = '[' + m_line.substr(0, kMaxDroppedText - 1);
        SetDrop(Drop::Malformed, cut);
    }

    std::string m_line;
    std::size_t m_maxLength;
    bool m_inside = false;
    bool m_overlong = false;
    // Stray bytes since the last frame; the kept head of an over-long frame.
    std::string m_stray;
    std::string m_head;
    Drop m_drop = Drop::None;
    std::string m_dropped;
};

} // namespace zok
