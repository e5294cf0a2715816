#pragma once

#include "IExchangeView.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The one stand-in for the main window as the exchange engine sees it (engine tests, tool tests,
// the engine benchmark): records everything the engine shows, tells `onMessage` about each
// message line, and answers the write-speed warning from a script.
class RecordingView : public IExchangeView
{
public:
    struct Line
    {
        LineColour colour;
        QString text;
    };

    void AddMessage(LineColour colour, const QString &line) override
    {
        messages.push_back({colour, line});
        if (onMessage)
            onMessage(messages.back());
    }
    void AddTraffic(LineColour colour, const QString &line) override { traffic.push_back({colour, line}); }
    void SetProgress(int percent) override { progress.push_back(percent); }
    void EnableReadButton(bool enable) override { readEnabled = enable; }
    void EnableWriteButton(bool enable) override { writeEnabled = enable; }
    void SetPortChecked(bool checked) override { portChecked = checked; }
    void BuildPropertyGrid() override { ++gridBuilds; }
    void RefreshPropertyGrid() override { ++gridRefreshes; }
    void ShowFirmwareText(const QString &text) override { firmware = text; }
    void ReportPortLost(const QString &portName) override { lostPorts << portName; }
    bool ConfirmWriteWithoutSpeed() override
    {
        ++warnings;
        return onWarning ? onWarning() : true;
    }

    QStringList MessageTexts() const { return Texts(messages); }
    QStringList TrafficTexts() const { return Texts(traffic); }
    QStringList MessagesIn(LineColour colour) const { return Texts(messages, colour); }
    QStringList TrafficIn(LineColour colour) const { return Texts(traffic, colour); }
    bool HasMessage(const QString &text) const { return MessageTexts().contains(text); }
    int LastProgress() const { return progress.empty() ? -1 : progress.back(); }

    std::vector<Line> messages;
    std::vector<Line> traffic;
    std::vector<int> progress;
    bool readEnabled = false;
    bool writeEnabled = false;
    bool portChecked = false;
    int gridBuilds = 0;
    int gridRefreshes = 0;
    int warnings = 0;
    QString firmware;
    QStringList lostPorts;
    std::function<bool()> onWarning;
    std::function<void(const Line &)> onMessage;

private:
    static QStringList Texts(const std::vector<Line> &lines)
    {
        QStringList texts;
        for (const auto &line : lines)
            texts << line.text;
        return texts;
    }
    static QStringList Texts(const std::vector<Line> &lines, LineColour colour)
    {
        QStringList texts;
        for (const auto &line : lines)
            if (line.colour == colour)
                texts << line.text;
        return texts;
    }
};
