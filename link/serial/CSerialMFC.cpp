#include "CSerialMFC.h"

namespace zok {

long CSerialMFC::Open(std::string_view portName, QObject *target, int messageId, std::intptr_t parameter,
                      unsigned inQueue, unsigned outQueue)
{
    return CSerialWnd::Open(portName, target, messageId, parameter, inQueue, outQueue);
}

} // namespace zok
