#pragma once

#include <QElapsedTimer>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

class QPainter;

// A light trend plot of a level 0..255 over the last stretch of time, painted directly: the time
// axis in seconds before now on the right edge, grid lines, and the 150/180 level thresholds of
// the level bar's colours. However many samples the window holds, a paint draws at most four
// points per pixel column (first, lowest, highest, last), so its cost follows the width. Colours
// come from the palette; the threshold colours are shaded where the background needs it.
class CLevelPlot : public QWidget
{
    Q_OBJECT

public:
    // Where the samples come from, oldest first; the plot keeps no copy.
    class Source
    {
    public:
        virtual ~Source() = default;
        virtual int count() const = 0;
        virtual qint64 timeAt(int index) const = 0; // milliseconds, not decreasing
        virtual int levelAt(int index) const = 0;
        virtual qint64 nowMs() const = 0; // the time at the right edge
    };

    explicit CLevelPlot(QWidget *parent = nullptr);

    void setSource(const Source *source);
    void setWindowMs(qint64 windowMs);
    qint64 windowMs() const { return m_windowMs; }
    void setAxisTitle(const QString &title);
    // New samples or a later now: repaints, but not more often than the line can visibly move
    // (one pixel column of time, at most 100 ms), however often it is called.
    void refresh();

    // The newest sample's level, -1 without samples; screen readers get it as the plot's value.
    int latestLevel() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QRect plotArea() const;
    void paintBackground(QPainter &painter) const;
    void paintGrid(QPainter &painter, const QRect &area) const;
    void paintTimeAxis(QPainter &painter, const QRect &area) const;
    void paintSamples(QPainter &painter, const QRect &area) const;
    int secondsStep(int pixels) const;
    int repaintIntervalMs() const;

    const Source *m_source = nullptr;
    qint64 m_windowMs = 120000;
    QString m_axisTitle;
    QPixmap m_background; // null: to be drawn again
    QElapsedTimer m_lastPaint;
    QTimer m_repaintLater;
};
