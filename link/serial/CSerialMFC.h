#pragma once

#include "CSerialWnd.h"

namespace zok {

// The port as the main window embeds it: behaves exactly as CSerialWnd. Kept as its own layer so
// that owners name the class they depend on and a framework-specific binding has a home.
class CSerialMFC : public CSerialWnd
{
public:
    CSerialMFC() = default;
    ~CSerialMFC() override = default;

    using CSerialWnd::Open;
    long Open(std::string_view portName, QObject *target, int messageId = 0, std::intptr_t parameter = 0,
              unsigned inQueue = 0, unsigned outQueue = 0) override;
};

} // namespace zok
