#pragma once

#include <QStatusBar>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QLabel;

// A status bar made of panes, each named by its indicator id. A pane may have an update handler
// that gives its text; the owning dialog runs the handlers when the event loop goes idle.
class CDlgStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    // Child id of the status bar inside its dialog.
    static constexpr int kId = 59393;

    explicit CDlgStatusBar(QWidget *parent = nullptr);
    ~CDlgStatusBar() override;

    // One pane per id, left to right; pane 0 stretches. False for an empty list.
    bool SetIndicators(const std::vector<int> &ids);

    int PaneCount() const { return static_cast<int>(m_panes.size()); }
    int CommandToIndex(int id) const;
    int PaneId(int index) const;

    void SetPaneText(int index, const QString &text);
    QString PaneText(int index) const;
    // Panes are at least this wide; a longer text widens the pane rather than being cut.
    void SetPaneWidth(int index, int width);
    void SetPaneStretch(int index, bool stretch);
    // Rectangle of the pane's text area, in this bar's coordinates.
    QRect PaneRect(int index) const;
    QLabel *Pane(int index) const;

    using TextUpdate = std::function<QString()>;
    void SetPaneUpdate(int id, TextUpdate update);
    // Runs the update handlers while the bar is shown in a parent; panes without one keep their text.
    void OnIdleUpdate();

    // Text that a pane 0 gets back when a progress bar leaves it.
    void SetIdlePrompt(const QString &text) { m_idlePrompt = text; }
    QString IdlePrompt() const { return m_idlePrompt; }

private:
    struct PaneInfo
    {
        int id;
        QLabel *label;
        int width = 0; // the width asked for; a longer text widens the pane beyond it
    };
    void FitPaneToText(PaneInfo &pane);
    std::vector<PaneInfo> m_panes;
    std::map<int, TextUpdate> m_updates;
    QString m_idlePrompt = QStringLiteral("Ready");
};
