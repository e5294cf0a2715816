#pragma once

#include "CZOKToolDialog.h"

class CZOKSettings;
class IToolExchange;
class QListWidget;

// Receivers Presence Detection: broadcasts one scan at opening, lists every address that answers
// for as long as the dialog is open, and makes the chosen one the current receiver.
class CZOKScanReceiversDlg : public CZOKToolDialog
{
    Q_OBJECT

public:
    CZOKScanReceiversDlg(IToolExchange &exchange, CZOKSettings &settings, QWidget *parent = nullptr);

    // The handler of one answering address (also reached through a posted WM_SCAN_ADDRESS).
    void addressFound(int address);
    void select();

    bool event(QEvent *event) override;

protected:
    void onOpening() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    IToolExchange &m_exchange;
    CZOKSettings &m_settings;
    QListWidget *m_list = nullptr; // 1008
};
