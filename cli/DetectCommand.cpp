#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "LineText.h"
#include "ParameterListing.h"
#include "ZokText.h"

namespace zok::cli {

namespace {
constexpr int kSpeedFoundText = 346;
constexpr int kFirmwareHeading = 330;
constexpr int kSpeedOnServerText = 514;
// One attempt per speed, then the read at the speed found.
constexpr int kDetectionWaitMs = 5 * 200 + 1500 + 5000;
} // namespace

CommandResult RunDetect(CliSession &session)
{
    CommandResult result;
    if ((result.status = session.Open()) != kSuccess)
        return result;
    CZOKExchange &engine = session.Engine();
    // The version answer ends the detection with a message while the state is still detection.
    int found = 0;
    session.View().SetMessageHook([&](LineColour colour, const QString &) {
        if (colour == LineColour::Blue && engine.State() == ExchangeState::SpeedDetection)
            found = engine.Port().QueryBaudRate();
    });
    engine.StartSpeedDetection();
    const WaitEnd end = session.Wait([&] { return engine.State() == ExchangeState::Idle; }, kDetectionWaitMs);
    session.View().SetMessageHook({});
    if (end == WaitEnd::Interrupted) {
        result.status = kInterrupted;
        return result;
    }
    if (end == WaitEnd::PortLost || (found == 0 && !engine.IsPortOpen())) {
        result.status = session.PortLost();
        return result;
    }
    if (found == 0) {
        result.status = session.NoAnswer(QStringLiteral("98"));
        return result;
    }
    // A line whose speed its device server sets was asked once, at that speed, which is unknown here.
    if (engine.SpeedSetOnServer()) {
        result.json[QStringLiteral("speed")] = QJsonValue(QJsonValue::Null);
        result.text = zok::Text(kSpeedOnServerText) + u'\n';
    } else {
        result.json[QStringLiteral("speed")] = found;
        result.text = FillText(kSpeedFoundText, {QString::number(found)}) + u'\n';
    }
    // The read that follows the detection fills the parameters; its failure is not the detection's.
    if (engine.Session().AllReceived()) {
        const QString firmware = engine.FirmwareText();
        result.json[QStringLiteral("firmware")] = firmware;
        result.json[QStringLiteral("parameters")] = ParameterJson(session.Model());
        result.text += zok::Text(kFirmwareHeading) + QStringLiteral(": ") + firmware.trimmed() + u'\n';
    }
    return result;
}

} // namespace zok::cli
