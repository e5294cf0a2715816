#include "CZOKExchangeSettings.h"

#include "CZOKSettings.h"

QString CZOKExchangeSettings::PortName() const
{
    return QString::fromStdString(m_settings.PortName());
}

std::uint8_t CZOKExchangeSettings::ReceiverAddress() const
{
    return m_settings.ReceiverAddress();
}
