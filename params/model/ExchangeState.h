#pragma once

#include <cstdint>

// What the program waits for on the line; decides where each received frame goes.
enum class ExchangeState : std::int32_t {
    Idle = 0,
    ReceiverScan = 1,
    Reading = 2,
    Writing = 3,
    TagTracking = 4,
    RadioScan = 5,
    IdFilter = 6,
    SpeedDetection = 7,
};
