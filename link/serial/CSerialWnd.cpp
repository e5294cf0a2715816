#include "CSerialWnd.h"

#include "FrameReceivedEvent.h"
#include "PortLostEvent.h"

#include <QCoreApplication>
#include <utility>

namespace zok {

CSerialWnd::~CSerialWnd()
{
    CSerialWnd::Close();
}

int CSerialWnd::DefaultComMessage()
{
    static const int id = QEvent::registerEventType();
    return id;
}

long CSerialWnd::Open(std::string_view portName, QObject *target, int messageId, std::intptr_t parameter,
                      unsigned inQueue, unsigned outQueue)
{
    if (IsOpen())
        return SetLastError(kErrorAlreadyInitialized);
    if (target == nullptr)
        return SetLastError(kErrorInvalidArg);
    if (const long code = CSerialEx::Open(portName, inQueue, outQueue))
        return code;
    m_target.store(target);
    m_messageId = messageId != 0 ? messageId : DefaultComMessage();
    m_parameter = parameter;
    if (const long code = StartListenerThread()) {
        Close();
        return SetLastError(code);
    }
    return SetLastError(kSerialOk);
}

long CSerialWnd::Close()
{
    m_target.store(nullptr);
    m_messageId = 0;
    return CSerialEx::Close();
}

void CSerialWnd::PostFrame(ReceivedFrame frame)
{
    if (QObject *target = m_target.load())
        QCoreApplication::postEvent(target, new FrameReceivedEvent(std::move(frame)));
}

void CSerialWnd::OnPortLost(long error)
{
    if (QObject *target = m_target.load())
        QCoreApplication::postEvent(target, new PortLostEvent(error));
}

} // namespace zok
