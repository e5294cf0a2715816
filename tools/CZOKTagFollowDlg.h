#pragma once

#include "CTagRegistry.h"
#include "CZOKToolDialog.h"

#include <optional>

class CTagTableModel;
class CToolTimer;
class IToolExchange;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

// Tag Tracking: follows one tag identifier in the reports the selected receiver sends unasked,
// showing its radio level and the seconds since it was last heard, and lists every tag heard
// since the dialog opened. Sends no command.
class CZOKTagFollowDlg : public CZOKToolDialog
{
    Q_OBJECT

public:
    CZOKTagFollowDlg(IToolExchange &exchange, QWidget *parent = nullptr);

    void handleFrame(const QString &text) override;
    void scan();
    // The table of tags heard: emptied, or written to a CSV file the user chooses.
    void clearTags();
    void saveTags();

    const CTagRegistry &tags() const { return m_tags; }
    // Refreshes of the controls so far: one per event-loop turn that brought reports.
    int refreshCount() const { return m_refreshCount; }

protected:
    void onOpening() override;
    void onClosing() override;
    void refreshView() override;

private:
    void buildControls();
    QWidget *buildTagTable();
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
    CTagRegistry m_tags;
    CTagTableModel *m_tagModel = nullptr;
    QTableView *m_tagTable = nullptr; // 1290
    CToolTimer *m_rangeTimer = nullptr;
    std::optional<int> m_shownLevel; // the followed tag's last level, shown at the next refresh
    int m_refreshCount = 0;
    bool m_following = false;
    int m_silenceCount = 0;
};
