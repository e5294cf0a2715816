#pragma once

#include "ECommentPane.h"
#include "EPropList.h"
#include "EPropWnd.h"

#include <memory>
#include <vector>

class IPropertyHost;

// The list window: lays out and paints the current page's rows in a name and a value column,
// with a draggable divider between them, and turns clicks into row operations.
class EPropListCtrl : public EPropWnd, public ECommentPane::ICommentHost
{
    Q_OBJECT
public:
    explicit EPropListCtrl(QWidget *parent = nullptr);
    ~EPropListCtrl() override;

    // Rebuilds the list from `host` (null empties it), keeping the page of the same name.
    void SetHost(IPropertyHost *host);
    IPropertyHost *Host() const { return m_host; }
    // Also lets go of the host and of the rows, which point at its variables: an owner's members
    // (the host among them) go before its child widgets, and the list may still see a focus
    // change or a paint in between.
    void Retire() override;
    void Refresh();
    void SetPage(int index);
    void SetAutoSizeNameColumn(bool autoSize) { m_autoSizeNameColumn = autoSize; }
    void AutoSizeNameColumn();

    void GetComment(QString &comment, QString &name) override;
    void GetContentSize(int &width, int &height) const override;

    const EPropList &List() const { return *m_list; }
    int NameColumnWidth() const { return m_nameColumnWidth; }
    void SetNameColumnWidth(int width);
    int DividerWidth() const { return m_dividerWidth; }
    // The row at a point of the viewport (client coordinates), or null.
    EProperty *RowAt(QPoint client) const;
    void LayoutRows();

protected:
    const std::vector<EProperty *> &VisibleRows() const override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void PaintEmptyPage(QPainter &painter, const QRect &client);
    void PaintRow(QPainter &painter, EProperty *row, int clientRight);
    void PaintFocus(QPainter &painter, const QRect &client);
    int FirstRowBelow(int y) const;
    // Starts an empty row list; the old rows stay alive while one of their commands runs.
    void StartNewList();
    void EndDrag();

    std::unique_ptr<EPropList> m_list = std::make_unique<EPropList>();
    // Lists replaced while a row command ran (see SetHost).
    std::vector<std::unique_ptr<EPropList>> m_retiredLists;
    IPropertyHost *m_host = nullptr;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    int m_nameColumnWidth = 100;
    bool m_autoSizeNameColumn = false;
    int m_dividerWidth = 6;
    int m_widestValue = 0;
    QRect m_dividerRect;
    int m_dragStartWidth = -1;
    int m_dragStartX = -1;
    std::vector<EProperty *> m_visibleRows;
};
