#pragma once

#include "CZOKToolDialog.h"

#include <array>

class CToolTimer;
class IToolExchange;
class QCheckBox;
class QLineEdit;

// ID filter configuration: reads, writes or resets the window of tag identifiers the current
// receiver reports. Each command waits for its own answer, resent up to three times.
class CIDFilterConfig : public CZOKToolDialog
{
    Q_OBJECT

public:
    CIDFilterConfig(IToolExchange &exchange, QWidget *parent = nullptr);

    void handleFrame(const QString &text) override;
    void read();
    void write();
    void reset();
    // The normalisation of pair field `index` (0..5 for 1027..1032) when it loses the focus.
    void normaliseField(int index);

    // 1: 16-bit identifiers, 2: 24-bit, 0: not read yet.
    int identifierFormat() const { return m_format; }
    QString currentCommand() const { return m_command; }

    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    void onOpening() override;

private:
    void buildControls();
    QWidget *buildRangeGroup();
    void sendNew(const QString &command);
    void transmit();
    void answerTimeout();
    void formatAnswered(int format);
    void sendRead(int code);
    void sendWrite(int code);
    void startWriteSequence();
    bool pairValid(int index) const;
    void register_();

    IToolExchange &m_exchange;
    std::array<QLineEdit *, 6> m_pairs{}; // 1027..1032
    QCheckBox *m_alarm = nullptr;         // 1036
    CToolTimer *m_answerTimer = nullptr;
    QString m_command;
    int m_attemptsLeft = 0;
    int m_format = 0;
};
