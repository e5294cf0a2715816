#include "CommandCutter.h"

namespace zok::sim {

std::vector<HeardFrame> CommandCutter::feed(std::string_view bytes, int baud)
{
    std::vector<HeardFrame> out;
    for (char c : bytes)
        addByte(c, baud, out);
    return out;
}

void CommandCutter::addByte(char c, int baud, std::vector<HeardFrame> &out)
{
    if (c == '[') {
        inFrame_ = true;
        tooLong_ = false;
        text_.clear();
        baud_ = baud;
        return;
    }
    if (!inFrame_)
        return;
    if (baud != baud_)
        baud_ = 0; // the speed changed in the middle: nobody decodes this frame
    if (c == ']') {
        inFrame_ = false;
        if (!tooLong_)
            out.push_back({text_, baud_});
        text_.clear();
        return;
    }
    if (text_.size() >= kMaxText) {
        tooLong_ = true;
        text_.clear();
    }
    if (!tooLong_)
        text_.push_back(c);
}

} // namespace zok::sim
