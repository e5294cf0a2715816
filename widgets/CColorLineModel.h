#pragma once

#include <QAbstractListModel>
#include <QColor>
#include <QString>

#include <cstddef>
#include <deque>
#include <functional>
#include <utility>

// The lines of a CColorListBox: text and colour, at most MaxLines of them, the oldest dropped
// first. Appending is cheap and silent: new lines wait until Commit, which tells the views about
// all of them at once (one removal at the front, one insertion at the end), so a burst of lines
// costs one model update instead of one per line.
//
// Two views of the content: Count/Text/Color are the lines as appended (pending ones included),
// rowCount/data are the rows the views were told about.
class CColorLineModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // Role under which each line keeps its colour.
    static constexpr int kColorRole = Qt::UserRole + 1;

    explicit CColorLineModel(QObject *parent = nullptr);

    // 0 keeps every line. A lower bound takes effect at the next append.
    void SetMaxLines(int maxLines) { m_maxLines = maxLines > 0 ? static_cast<std::size_t>(maxLines) : 0; }
    int MaxLines() const { return static_cast<int>(m_maxLines); }

    void Append(QString text, QColor color);
    int Count() const;
    QString Text(int index) const;
    QColor Color(int index) const;
    bool HasPending() const { return !m_pending.empty() || m_dropFront > 0; }

    // Brings the rows in line with the lines appended since the last commit; returns how many rows
    // were inserted.
    int Commit();
    // Empties the list at once, pending lines included.
    void Clear();

    // How wide a line is drawn; measured once per committed line. Measuring again (a new font)
    // takes RemeasureAll.
    void SetMeasure(std::function<int(const QString &)> measure) { m_measure = std::move(measure); }
    void RemeasureAll();
    // The widest committed line, as the views' horizontal extent.
    int WidestLine() const { return m_widest; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    struct Line
    {
        QString text;
        QColor color;
        int width = 0;
    };

    const Line *LineAt(int index) const;
    int Measure(const QString &text) const { return m_measure ? m_measure(text) : 0; }
    void RecomputeWidest();

    // Rows the views know, oldest first; the first m_dropFront of them are no longer lines.
    std::deque<Line> m_rows;
    std::size_t m_dropFront = 0;
    // Lines not committed yet, oldest first.
    std::deque<Line> m_pending;
    std::size_t m_maxLines = 0;
    std::function<int(const QString &)> m_measure;
    int m_widest = 0;
};
