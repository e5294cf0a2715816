#pragma once

#include "HeardFrame.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zok::sim {

// Cuts the byte stream that a receiver hears into the texts between "[" and "]". Bytes outside
// brackets (the leading space of each command, noise) are dropped; a new "[" restarts the frame.
class CommandCutter
{
public:
    // Commands are 6 characters; anything this long is garbage and is dropped whole.
    static constexpr std::size_t kMaxText = 256;

    // `baud` is the line speed while these bytes arrived.
    std::vector<HeardFrame> feed(std::string_view bytes, int baud);

private:
    void addByte(char c, int baud, std::vector<HeardFrame> &out);

    bool inFrame_ = false;
    bool tooLong_ = false;
    std::string text_;
    int baud_ = 0;
};

} // namespace zok::sim
