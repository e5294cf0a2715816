#include "LineWriter.h"

#include <algorithm>

namespace zok::sim {

void LineWriter::push(Transmission transmission)
{
    const Clock::time_point due = transmission.due;
    queue_.emplace(due, std::move(transmission));
}

std::optional<Clock::time_point> LineWriter::pump(Clock::time_point now)
{
    for (;;) {
        if (current_ && !continueCurrent(now))
            return start_ + characterTime_ * static_cast<long>(sent_);
        if (queue_.empty())
            return std::nullopt;
        auto first = queue_.begin();
        if (first->first > now)
            return first->first;
        Transmission next = std::move(first->second);
        queue_.erase(first);
        if (!hooks_.begin(next))
            continue;
        characterTime_ = hooks_.characterTime(next);
        start_ = std::max(now, lineFree_);
        sent_ = 0;
        current_ = std::move(next);
    }
}

bool LineWriter::continueCurrent(Clock::time_point now)
{
    const std::string &bytes = current_->bytes;
    std::size_t due = bytes.size();
    if (characterTime_.count() > 0)
        due = now < start_
                  ? 0
                  : std::min(bytes.size(), static_cast<std::size_t>((now - start_) / characterTime_) + 1);
    if (due > sent_)
        hooks_.write(std::string_view(bytes).substr(sent_, due - sent_));
    sent_ = std::max(sent_, due);
    if (sent_ < bytes.size())
        return false;
    lineFree_ = characterTime_.count() > 0 ? start_ + characterTime_ * static_cast<long>(bytes.size()) : now;
    current_.reset();
    return true;
}

} // namespace zok::sim
