#pragma once

#include "FileDescriptor.h"

namespace zok::sim {

// An eventfd that another thread signals to wake the simulator's poll.
class WakeEvent
{
public:
    WakeEvent(); // throws std::system_error
    int fd() const { return fd_.get(); }
    void signal();
    void clear();

private:
    FileDescriptor fd_;
};

} // namespace zok::sim
