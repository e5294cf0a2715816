#pragma once

#include <QPointer>
#include <QWidget>

class EPropWnd;

// Shows the help text (comment) of the selected row under an optional title, word-wrapped and
// cut with "..." when it does not fit; "-" when there is nothing to show.
class ECommentPane : public QWidget
{
    Q_OBJECT
public:
    // Supplies the comment and the name of the selected row.
    class ICommentHost
    {
    public:
        virtual ~ICommentHost() = default;
        virtual void GetComment(QString &comment, QString &name) = 0;
    };

    explicit ECommentPane(QWidget *parent = nullptr);

    // The list window whose frame colours and margin the pane borrows.
    void SetFrameWindow(EPropWnd *wnd) { m_frameWindow = wnd; }
    void SetTitle(const QString &title);
    const QString &Title() const { return m_title; }
    void SetCommentHost(ICommentHost *host) { m_commentHost = host; }

    // The text as the pane draws it at its current size (empty without a comment host).
    QString DisplayText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect TextRect() const;
    QString FullText() const;

    QPointer<EPropWnd> m_frameWindow;
    QString m_title;
    ICommentHost *m_commentHost = nullptr;
    QFont m_font;
};
