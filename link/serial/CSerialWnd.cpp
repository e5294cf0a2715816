#include "CSerialWnd.h"

#include <QCoreApplication>
#include <QEvent>

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
    m_poster.SetTarget(target);
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
    QObject *target = m_poster.Target();
    m_poster.SetTarget(nullptr);
    m_messageId = 0;
    const long result = CSerialEx::Close();
    // A hang-up this port's listener reported but the target has not handled yet belongs to the
    // port now closed; left queued, it would be taken for the loss of the next port opened.
    if (target)
        QCoreApplication::removePostedEvents(target, WM_PORT_LOST);
    return result;
}

} // namespace zok
