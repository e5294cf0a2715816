#pragma once

#include <QColor>
#include <QPointer>
#include <QProgressBar>
#include <QRect>
#include <QString>

class CDlgStatusBar;

// A progress bar that sits inside one pane of a CDlgStatusBar, after an optional message, and
// follows the pane when the bar is laid out again. It gives the pane its text back when it goes.
class CProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    // The colour value that stands for "the style's own colour".
    static constexpr unsigned kDefaultColor = 0xFF000000u;

    explicit CProgressBar(QWidget *parent = nullptr);
    ~CProgressBar() override;

    // Places the bar in `pane` of `statusBar`; false when there is no such bar or pane.
    bool AttachToPane(CDlgStatusBar *statusBar, const QString &message, int size = 100, int maximum = 100,
                      bool smooth = true, int pane = 0);
    void SetPosition(int position);
    // Returns the previous colour, or kDefaultColor (as an invalid QColor) when not attached. The
    // bar is drawn in it where it contrasts enough with the palette's background, else in a
    // lighter or darker shade of it.
    QColor SetBarColor(const QColor &color);
    QColor BarColor() const { return m_color; }
    // Recomputes the bar's place in its pane; false when not attached.
    bool FitToPane();
    // Hides the bar and puts the pane's former text back (the idle prompt for pane 0).
    void RestorePane();

    // Where a bar of `size` percent goes in `pane`, after a message `messageWidth` pixels wide.
    static QRect FitRect(const QRect &pane, int messageWidth, int spaceWidth, int size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void ApplyColor();

    QPointer<CDlgStatusBar> m_statusBar;
    int m_size = 100;
    int m_pane = -1;
    QString m_message;
    QString m_previousText;
    QRect m_lastRect;
    QColor m_color;
};
