#pragma once

// What the program waits for from the receivers; decides where received frames go and which
// commands are available. Values are those the exchange record stores.
enum class ExchangeState {
    Idle = 0,
    ReceiverScan = 1,
    Reading = 2,
    Writing = 3,
    TagTracking = 4,
    RadioScan = 5,
    IdFilter = 6,
    SpeedDetection = 7,
};
