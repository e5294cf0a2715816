// Feeds a byte stream, cut into pieces at points chosen by the input, to FrameCutter and compares
// the frames with a one-line model of the rules. The first byte picks the length cap, small caps
// included, so that over-long frames are reached with short inputs.
#include "FrameCutter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Every "]" whose nearest bracket to the left is "[" closes the frame between them.
std::vector<std::string> ReferenceFrames(const std::string &s, size_t cap)
{
    std::vector<std::string> out;
    for (size_t i = s.find(']'); i != std::string::npos; i = s.find(']', i + 1))
        if (const size_t j = i ? s.find_last_of("[]", i - 1) : std::string::npos;
            j != std::string::npos && s[j] == '[' && i - j - 1 <= cap)
            out.push_back(s.substr(j + 1, i - j - 1));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t cap = data[0] < 128 ? data[0] % 17 : zok::FrameCutter::kMaxFrameLength;
    const uint8_t splitSeed = data[1];
    const std::string stream(reinterpret_cast<const char *>(data + 2), size - 2);

    zok::FrameCutter cutter(cap);
    std::vector<std::string> frames;
    size_t pos = 0;
    size_t piece = 1;
    while (pos < stream.size()) {
        piece = (piece * 31 + splitSeed) % 13 + 1; // varied piece lengths, as reads arrive
        const size_t end = std::min(stream.size(), pos + piece);
        for (; pos < end; ++pos) {
            if (cutter.Feed(stream[pos]))
                frames.push_back(cutter.TakeFrame());
        }
    }
    if (frames != ReferenceFrames(stream, cap))
        std::abort();
    return 0;
}
