#include "EPropertyTextblockWindow.h"

#include "EPropWnd.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int kSize = 200;
constexpr int kStrip = 30;

QPoint placeBeside(QPoint anchor)
{
    const QScreen *screen = QGuiApplication::screenAt(anchor);
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    QPoint corner = anchor;
    if (anchor.x() > area.center().x())
        corner.rx() -= kSize;
    if (anchor.y() > area.center().y())
        corner.ry() -= kSize;
    return corner;
}
} // namespace

EPropertyTextblockWindow::EPropertyTextblockWindow(EPropWnd *wnd, const QString &title, const QString &text,
                                                   QPoint anchor)
    : QWidget(wnd, Qt::Window), m_edit(new QPlainTextEdit(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    resize(kSize, kSize);
    move(placeBeside(anchor));
    m_edit->setObjectName(QStringLiteral("1"));
    m_edit->setFont(wnd->PropFont());
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setTabChangesFocus(true);
    m_edit->setPlainText(QString(text).remove(QLatin1Char('\r')));
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel"));
    auto *ok = new QPushButton(QStringLiteral("OK"), panel);
    ok->setObjectName(QStringLiteral("2"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), panel);
    cancel->setObjectName(QStringLiteral("3"));
    ok->setGeometry(5, (kStrip - 22) / 2, 60, 22);
    cancel->setGeometry(70, (kStrip - 22) / 2, 60, 22);
    m_edit->setGeometry(0, 0, kSize, kSize - kStrip);
    panel->setGeometry(0, kSize - kStrip, kSize, kStrip);
    connect(ok, &QPushButton::clicked, wnd, [wnd] { wnd->CommitEdit(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

QString EPropertyTextblockWindow::Text() const
{
    return m_edit->toPlainText().remove(QLatin1Char('\r'));
}
