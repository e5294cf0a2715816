#pragma once

#include "FrameReceivedEvent.h"
#include "PortLostEvent.h"

#include <QObject>
#include <QString>
#include <QStringList>

// Stands in for the main window: records what the listener posts, on the test's thread.
class FrameCollector : public QObject
{
public:
    QStringList frames;
    std::vector<zok::ReceivedFrame> records;
    int lostEvents = 0;
    long lostError = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == zok::WM_FRAME_RECEIVED) {
            const auto &frame = static_cast<zok::FrameReceivedEvent *>(e)->Frame();
            frames << QString::fromLatin1(frame.text.data(), static_cast<qsizetype>(frame.text.size()));
            records.push_back(frame);
            return true;
        }
        if (e->type() == zok::WM_PORT_LOST) {
            ++lostEvents;
            lostError = static_cast<zok::PortLostEvent *>(e)->Error();
            return true;
        }
        return QObject::event(e);
    }
};
