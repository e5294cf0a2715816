#pragma once

#include <QString>

#include <cstdint>

// The two settings every exchange reads afresh: the port name as the user gave it and the address
// of the selected receiver. The application's settings holder implements it under its own lock.
class IExchangeSettings
{
public:
    virtual ~IExchangeSettings() = default;
    virtual QString PortName() const = 0;
    virtual std::uint8_t ReceiverAddress() const = 0;
};
