#pragma once

#include "FrameReceivedEvent.h"
#include "PortLostEvent.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

// Stands in for the main window: records what the listener posts, on the test's thread.
class FrameCollector : public QObject
{
public:
    QStringList frames;
    // What the listener dropped (stray bytes, broken or over-long frames), in arrival order.
    QStringList dropped;
    std::vector<zok::ReceivedFrame> records;
    // Frames per posted event, in arrival order.
    std::vector<std::size_t> batchSizes;
    int lostEvents = 0;
    long lostError = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == zok::WM_FRAME_RECEIVED) {
            const auto &batch = static_cast<zok::FrameReceivedEvent *>(e)->Frames();
            for (const zok::ReceivedFrame &frame : batch) {
                const QString text =
                    QString::fromLatin1(frame.text.data(), static_cast<qsizetype>(frame.text.size()));
                if (frame.kind != zok::FrameKind::Frame) {
                    dropped << text;
                    continue;
                }
                frames << text;
                records.push_back(frame);
            }
            batchSizes.push_back(batch.size());
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
