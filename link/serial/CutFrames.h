#pragma once

#include <cstddef>

namespace zok {

class FrameCutter;
class IListenerSink;

// Cuts the frames out of the bytes of one read and hands them to the sink together, in order,
// with what the cutter dropped among them (marked by their kind). All share the read's time
// stamp: they arrived together. Nothing is handed over when the read completed nothing.
void CutFrames(const char *bytes, std::size_t count, FrameCutter &cutter, IListenerSink &sink);

} // namespace zok
