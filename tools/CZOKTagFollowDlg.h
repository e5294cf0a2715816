#pragma once

#include "CZOKToolDialog.h"

class CToolTimer;
class IToolExchange;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Tag Tracking: follows one tag identifier in the reports the selected receiver sends unasked,
// showing its radio level and the seconds since it was last heard. Sends no command.
class CZOKTagFollowDlg : public CZOKToolDialog
{
    Q_OBJECT

public:
    CZOKTagFollowDlg(IToolExchange &exchange, QWidget *parent = nullptr);

    // The handler of one forwarded tag report (also reached through a posted WM_TAG_FRAME).
    void handleFrame(const QString &text);
    void scan();

    bool event(QEvent *event) override;

protected:
    void onOpening() override;
    void onClosing() override;

private:
    void buildControls();
    void silenceTick();
    void showSilence();
    static bool isValidIdentifier(const QString &identifier);

    IToolExchange &m_exchange;
    QLineEdit *m_typed = nullptr;    // 1017
    QPushButton *m_scan = nullptr;   // 1012
    QLineEdit *m_followed = nullptr; // 1004
    QProgressBar *m_bar = nullptr;   // 1015
    QLineEdit *m_level = nullptr;    // 1005
    QLineEdit *m_silence = nullptr;  // 1006
    CToolTimer *m_silenceTimer = nullptr;
    bool m_following = false;
    int m_silenceCount = 0;
};
