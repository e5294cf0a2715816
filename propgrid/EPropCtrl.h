#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

class ECommentPane;
class EPropListCtrl;
class IPropertyChangeListener;
class IPropertyHost;
class QTabBar;

// The complete property grid as a dialog places it: the list window, a strip of tabs (one per
// named page) under it, an 8-pixel splitter and the comment pane at the bottom.
class EPropCtrl : public QWidget
{
    Q_OBJECT
public:
    explicit EPropCtrl(QWidget *parent = nullptr);
    ~EPropCtrl() override;

    // Makes the control a visible child of `parent` with object name `id` over `rect`.
    void Create(QWidget *parent, int id, const QRect &rect, IPropertyChangeListener *listener);
    // Takes the place of the child of `dialog` named `id` (a placeholder widget, also inside a
    // layout) and deletes it; a grid standing there is retired and deleted later (its menus and
    // dialogs may be running their event loops). False when there is no such child.
    bool CreateFromPlaceholder(QWidget *dialog, int id);
    // Closes whatever of the grid is open and cuts it from its host and listener; see
    // EPropWnd::Retire.
    void Retire();
    // Retires the grid and deletes it once its row commands have returned, with deleteLater so
    // that the event loops running below us end first.
    void RetireAndDeleteLater();
    void SetListener(IPropertyChangeListener *listener);
    void SetHost(IPropertyHost *host);
    void Refresh();
    void ShowComment(bool visible);
    void SetCommentHeight(int pixels);
    void SetCommentTitle(const QString &title);
    // What screen readers call the list and the comment pane (English defaults: "Property list",
    // "Comment"); the grid has no text of its own in other languages.
    void SetAccessibleNames(const QString &list, const QString &comment);
    // Icons for pages whose image index is not -1 (none by default).
    void SetImageList(const QList<QIcon> &images) { m_images = images; }

    EPropListCtrl &List() const { return *m_list; }
    ECommentPane &CommentPane() const { return *m_comment; }
    QTabBar &Tabs() const { return *m_tabs; }
    int CommentHeight() const { return m_commentHeight; }
    bool IsCommentVisible() const { return m_commentVisible; }
    const QRect &SplitterRect() const { return m_splitter; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void RebuildTabs();
    void LayoutParts(int width, int height);
    bool HasTabs() const;
    int MaxCommentHeight() const;
    int TabStripHeight() const;

    EPropListCtrl *m_list;
    ECommentPane *m_comment;
    QTabBar *m_tabs;
    QList<QIcon> m_images;
    int m_tabHeight = 30;
    bool m_commentVisible = false;
    QRect m_splitter;
    int m_commentHeight = 45;
    bool m_dragging = false;
};
