#include "CLevelPlot.h"

#include "ReadableColor.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <limits>
#include <vector>

namespace {
constexpr int kTopLevel = 255;

QColor thresholdColour(int level)
{
    return level > 150 ? QColor(17, 213, 46) : QColor(255, 206, 0);
}

// What a screen reader learns of the plot: its name, and the newest level as its value.
class LevelPlotAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit LevelPlotAccessible(CLevelPlot *plot) : QAccessibleWidget(plot, QAccessible::Chart) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        const int level = plot()->latestLevel();
        if (t == QAccessible::Value)
            return level < 0 ? QString() : QString::number(level);
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override
    {
        const int level = plot()->latestLevel();
        return level < 0 ? QVariant() : QVariant(level);
    }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return kTopLevel; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    const CLevelPlot *plot() const { return static_cast<const CLevelPlot *>(object()); }
};

QAccessibleInterface *levelPlotAccessible(const QString &className, QObject *object)
{
    auto *plot = qobject_cast<CLevelPlot *>(object);
    return plot && className == QLatin1String("CLevelPlot") ? new LevelPlotAccessible(plot) : nullptr;
}

// The samples of one pixel column, reduced to what a line through them shows.
struct Column
{
    int x = 0;
    int first = 0;
    int low = 0;
    int high = 0;
    int last = 0;
    int lowIndex = 0; // order of low and high inside the column
    int highIndex = 0;
};
} // namespace

CLevelPlot::CLevelPlot(QWidget *parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(levelPlotAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_repaintLater.setSingleShot(true);
    connect(&m_repaintLater, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

int CLevelPlot::repaintIntervalMs() const
{
    constexpr qint64 kLongestMs = 100;
    const int width = std::max(plotArea().width(), 1);
    return static_cast<int>(std::min(m_windowMs / width, kLongestMs));
}

int CLevelPlot::latestLevel() const
{
    if (!m_source || m_source->count() == 0)
        return -1;
    return std::clamp(m_source->levelAt(m_source->count() - 1), 0, kTopLevel);
}

void CLevelPlot::refresh()
{
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, latestLevel());
        QAccessible::updateAccessibility(&event);
    }
    if (m_repaintLater.isActive())
        return; // a repaint is already due, and will show this too
    const qint64 since = m_lastPaint.isValid() ? m_lastPaint.elapsed() : std::numeric_limits<qint64>::max();
    const int interval = repaintIntervalMs();
    if (since >= interval)
        update();
    else
        m_repaintLater.start(static_cast<int>(interval - since));
}

void CLevelPlot::setSource(const Source *source)
{
    m_source = source;
    update();
}

void CLevelPlot::setWindowMs(qint64 windowMs)
{
    m_windowMs = std::max<qint64>(windowMs, 1000);
    m_background = QPixmap();
    update();
}

void CLevelPlot::setAxisTitle(const QString &title)
{
    m_axisTitle = title;
    m_background = QPixmap();
    update();
}

void CLevelPlot::resizeEvent(QResizeEvent *event)
{
    m_background = QPixmap();
    QWidget::resizeEvent(event);
}

void CLevelPlot::changeEvent(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::PaletteChange || type == QEvent::FontChange || type == QEvent::StyleChange)
        m_background = QPixmap();
    QWidget::changeEvent(event);
}

QSize CLevelPlot::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 60, metrics.height() * 11};
}

QSize CLevelPlot::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 36, metrics.height() * 7};
}

QRect CLevelPlot::plotArea() const
{
    const QFontMetrics metrics = fontMetrics();
    const int left = metrics.horizontalAdvance(QStringLiteral("255")) + 8;
    const int right = metrics.horizontalAdvance(QStringLiteral("-120")) / 2 + 4;
    const int top = metrics.height() / 2 + 2;
    const int bottom = metrics.height() * 2 + 6;
    return rect().adjusted(left, top, -right, -bottom);
}

void CLevelPlot::paintEvent(QPaintEvent *)
{
    // The grid, the axes and their texts only change with the size, palette or font: drawn once
    // into a pixmap, so a repaint at every answer only copies it and draws the line.
    const qreal ratio = devicePixelRatioF();
    if (m_background.isNull() || m_background.devicePixelRatioF() != ratio) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        QPainter background(&m_background);
        paintBackground(background);
    }
    m_lastPaint.start();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    const QRect area = plotArea();
    if (area.width() < 2 || area.height() < 2)
        return;
    paintSamples(painter, area);
    painter.setClipping(false);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void CLevelPlot::paintBackground(QPainter &painter) const
{
    painter.fillRect(rect(), palette().window());
    const QRect area = plotArea();
    if (area.width() < 2 || area.height() < 2)
        return;
    painter.fillRect(area, palette().base());
    paintGrid(painter, area);
    paintTimeAxis(painter, area);
}

void CLevelPlot::paintGrid(QPainter &painter, const QRect &area) const
{
    const QFontMetrics metrics = fontMetrics();
    const auto yOf = [&](int level) { return area.bottom() - (area.height() - 1) * level / kTopLevel; };
    for (int level : {0, 64, 128, 192, 255}) {
        const int y = yOf(level);
        painter.setPen(palette().color(QPalette::Midlight));
        painter.drawLine(area.left(), y, area.right(), y);
        painter.setPen(palette().color(QPalette::WindowText));
        const QString text = QString::number(level);
        painter.drawText(area.left() - 4 - metrics.horizontalAdvance(text), y + metrics.ascent() / 2, text);
    }
    for (int level : {150, 180}) {
        const QColor colour =
            zok::ReadableOn(thresholdColour(level), palette().color(QPalette::Base), zok::kGraphicContrast);
        painter.setPen(QPen(colour, 1, Qt::DashLine));
        painter.drawLine(area.left(), yOf(level), area.right(), yOf(level));
    }
}

int CLevelPlot::secondsStep(int pixels) const
{
    const int windowSeconds = static_cast<int>(std::max<qint64>(m_windowMs / 1000, 1));
    const int minimumGap = fontMetrics().horizontalAdvance(QStringLiteral("-0000"));
    for (int step : {1, 2, 5, 10, 15, 20, 30, 60, 120, 300, 600, 1800, 3600}) {
        if (static_cast<qint64>(pixels) * step / windowSeconds >= minimumGap)
            return step;
    }
    return windowSeconds;
}

void CLevelPlot::paintTimeAxis(QPainter &painter, const QRect &area) const
{
    const QFontMetrics metrics = fontMetrics();
    const int windowSeconds = static_cast<int>(std::max<qint64>(m_windowMs / 1000, 1));
    const int step = secondsStep(area.width());
    const int labelY = area.bottom() + 4 + metrics.ascent();
    for (int seconds = 0; seconds <= windowSeconds; seconds += step) {
        const int x =
            area.right() - static_cast<int>(static_cast<qint64>(area.width() - 1) * seconds / windowSeconds);
        painter.setPen(palette().color(QPalette::Midlight));
        painter.drawLine(x, area.top(), x, area.bottom());
        painter.setPen(palette().color(QPalette::WindowText));
        const QString text = QString::number(-seconds);
        painter.drawText(x - metrics.horizontalAdvance(text) / 2, labelY, text);
    }
    if (!m_axisTitle.isEmpty()) {
        const int titleY = labelY + metrics.height();
        painter.drawText(area.left() + (area.width() - metrics.horizontalAdvance(m_axisTitle)) / 2, titleY,
                         m_axisTitle);
    }
}

void CLevelPlot::paintSamples(QPainter &painter, const QRect &area) const
{
    if (!m_source || m_source->count() == 0)
        return;
    const qint64 now = m_source->nowMs();
    const qint64 start = now - m_windowMs;
    const double xScale = static_cast<double>(area.width() - 1) / static_cast<double>(m_windowMs);
    std::vector<Column> columns;
    columns.reserve(static_cast<std::size_t>(area.width()) + 1);
    const int count = m_source->count();
    for (int i = 0; i < count; ++i) {
        const qint64 t = m_source->timeAt(i);
        if (t < start)
            continue;
        const int x = area.left() + static_cast<int>(static_cast<double>(std::min(t, now) - start) * xScale);
        const int level = std::clamp(m_source->levelAt(i), 0, kTopLevel);
        if (columns.empty() || columns.back().x != x) {
            columns.push_back(Column{x, level, level, level, level, i, i});
            continue;
        }
        Column &c = columns.back();
        c.last = level;
        if (level < c.low) {
            c.low = level;
            c.lowIndex = i;
        }
        if (level > c.high) {
            c.high = level;
            c.highIndex = i;
        }
    }
    const auto yOf = [&](int level) {
        return area.bottom() - static_cast<double>(area.height() - 1) * level / kTopLevel;
    };
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(columns.size()) * 4);
    for (const Column &c : columns) {
        const bool lowFirst = c.lowIndex <= c.highIndex;
        for (int level : {c.first, lowFirst ? c.low : c.high, lowFirst ? c.high : c.low, c.last}) {
            const QPointF p(c.x + 0.5, yOf(level));
            if (line.isEmpty() || line.back() != p)
                line.append(p);
        }
    }
    painter.setClipRect(area);
    // A thin aliased line: an antialiased wide pen over thousands of short segments costs tens of
    // milliseconds a paint (measured by level_plot_bench), far too much at 50 answers a second.
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    if (line.size() == 1)
        painter.drawEllipse(line.front(), 1.5, 1.5);
    else
        painter.drawPolyline(line);
}
