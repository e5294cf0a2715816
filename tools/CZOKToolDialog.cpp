#include "CZOKToolDialog.h"

#include "ExchangeEvents.h"

#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>

CZOKToolDialog::CZOKToolDialog(QWidget *parent, QEvent::Type frameType)
    : QDialog(parent), m_clock([] { return QDateTime::currentDateTime(); }), m_frameType(frameType)
{
}

void CZOKToolDialog::setMessageHook(ToolMessageHook hook)
{
    m_messageHook = std::move(hook);
}

void CZOKToolDialog::setFileHook(ToolFileHook hook)
{
    m_fileHook = std::move(hook);
}

void CZOKToolDialog::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void CZOKToolDialog::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        onClosing();
    }
    QDialog::done(result);
}

bool CZOKToolDialog::event(QEvent *event)
{
    if (m_frameType != QEvent::None && event->type() == m_frameType) {
        handleFrame(static_cast<ForwardedFrameEvent *>(event)->text());
        return true;
    }
    return QDialog::event(event);
}

void CZOKToolDialog::scheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    // Queued behind the frames already posted: a burst delivered in one turn refreshes once.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshPending = false;
            refreshView();
        },
        Qt::QueuedConnection);
}

QMessageBox::StandardButton CZOKToolDialog::showMessage(const QString &text, QMessageBox::Icon icon,
                                                        QMessageBox::StandardButtons buttons)
{
    return m_messageHook(this, ToolMessage{text, icon, buttons});
}

std::optional<QString> CZOKToolDialog::chooseFile(const ToolFileRequest &request)
{
    return m_fileHook(this, request);
}

void CZOKToolDialog::swallowEnter()
{
    m_swallowEnter = true;
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

QProgressBar *CZOKToolDialog::createLevelBar()
{
    auto *bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("1015"));
    bar->setRange(0, 255);
    bar->setTextVisible(false);
    return bar;
}

void CZOKToolDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_opened) {
        m_opened = true;
        onOpening();
    }
}

void CZOKToolDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_swallowEnter && enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
