#pragma once

#include "IExchangeSettings.h"

class CZOKSettings;

// Lets the exchange engine read the port name and receiver address from the settings holder,
// under the holder's own lock at each call.
class CZOKExchangeSettings : public IExchangeSettings
{
public:
    explicit CZOKExchangeSettings(const CZOKSettings &settings) : m_settings(settings) {}

    QString PortName() const override;
    std::uint8_t ReceiverAddress() const override;

private:
    const CZOKSettings &m_settings;
};
