#include "EPropCtrl.h"

#include "ECommentPane.h"
#include "EPropListCtrl.h"
#include "EPropPage.h"

#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTabBar>

#include <algorithm>

namespace {
constexpr int kSplitter = 8;
constexpr int kLine = 13; // one line of comment text
} // namespace

EPropCtrl::EPropCtrl(QWidget *parent)
    : QWidget(parent), m_list(new EPropListCtrl(this)), m_comment(new ECommentPane(this)),
      m_tabs(new QTabBar(this))
{
    m_list->SetCommentPane(m_comment);
    m_comment->SetCommentHost(m_list);
    m_comment->SetFrameWindow(m_list);
    m_comment->setObjectName(QStringLiteral("2"));
    m_tabs->setObjectName(QStringLiteral("1"));
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setFont(m_list->PropFont());
    m_tabs->setExpanding(false);
    m_tabs->hide();
    m_comment->hide();
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            m_list->SetPage(index);
    });
}

EPropCtrl::~EPropCtrl() = default;

void EPropCtrl::Create(QWidget *parent, int id, const QRect &rect, IPropertyChangeListener *listener)
{
    setParent(parent);
    setObjectName(QString::number(id));
    setGeometry(rect);
    SetListener(listener);
    LayoutParts(rect.width(), rect.height());
    show();
}

bool EPropCtrl::CreateFromPlaceholder(QWidget *dialog, int id)
{
    QWidget *placeholder = dialog ? dialog->findChild<QWidget *>(QString::number(id)) : nullptr;
    if (placeholder == this)
        return true;
    if (!placeholder || !placeholder->parentWidget())
        return false;
    QWidget *parent = placeholder->parentWidget();
    const QRect rect = placeholder->geometry();
    setMinimumSize(placeholder->minimumSize());
    Create(parent, id, rect, nullptr);
    if (QLayout *layout = parent->layout())
        delete layout->replaceWidget(placeholder, this);
    placeholder->hide();
    placeholder->setObjectName(QString());
    if (auto *grid = qobject_cast<EPropCtrl *>(placeholder)) {
        // A grid may be the parent of a menu or dialog whose event loop runs below us.
        grid->RetireAndDeleteLater();
    } else {
        delete placeholder;
    }
    return true;
}

void EPropCtrl::Retire()
{
    m_list->Retire();
    m_comment->SetCommentHost(nullptr);
}

void EPropCtrl::RetireAndDeleteLater()
{
    Retire();
    m_list->AfterRowCommands([this] { deleteLater(); });
}

void EPropCtrl::SetListener(IPropertyChangeListener *listener)
{
    m_list->SetListener(listener);
}

void EPropCtrl::SetHost(IPropertyHost *host)
{
    m_list->SetHost(host);
    RebuildTabs();
}

void EPropCtrl::Refresh()
{
    m_list->Refresh();
    RebuildTabs();
}

void EPropCtrl::ShowComment(bool visible)
{
    m_commentVisible = visible;
    LayoutParts(width(), height());
}

void EPropCtrl::SetCommentHeight(int pixels)
{
    if (pixels == m_commentHeight)
        return;
    m_commentHeight = pixels;
    LayoutParts(width(), height());
}

void EPropCtrl::SetAccessibleNames(const QString &list, const QString &comment)
{
    m_list->setAccessibleName(list);
    m_comment->setAccessibleName(comment);
}

void EPropCtrl::SetCommentTitle(const QString &title)
{
    m_comment->SetTitle(title);
}

void EPropCtrl::RebuildTabs()
{
    const QSignalBlocker block(m_tabs);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    const EPropList &list = m_list->List();
    if (m_list->Host() && list.HasNamedPages()) {
        for (int i = 0; i < list.PageCount(); ++i) {
            const EPropPage *page = list.Page(i);
            const int image = page->Image();
            if (image >= 0 && image < m_images.size())
                m_tabs->addTab(m_images[image], page->Name());
            else
                m_tabs->addTab(page->Name());
        }
        m_tabs->setCurrentIndex(list.CurrentPageIndex());
    }
    LayoutParts(width(), height());
}

bool EPropCtrl::HasTabs() const
{
    return m_list->List().HasNamedPages() && m_list->Host();
}

// The comment pane leaves room for the splitter and the tabs.
int EPropCtrl::MaxCommentHeight() const
{
    return std::max(0, height() - kSplitter - (HasTabs() ? TabStripHeight() : 0));
}

// The strip is as high as asked, or as its tabs need with the font in use (a large desktop font).
int EPropCtrl::TabStripHeight() const
{
    return std::max(m_tabHeight, m_tabs->sizeHint().height());
}

void EPropCtrl::LayoutParts(int w, int h)
{
    const bool tabs = HasTabs();
    const int tabHeight = tabs ? TabStripHeight() : 0;
    const int pane = m_commentVisible ? std::min(m_commentHeight, std::max(0, h - kSplitter - tabHeight)) : 0;
    m_tabs->setVisible(tabs);
    m_comment->setVisible(pane > 0);
    const int y = h - pane;
    m_list->setGeometry(0, 0, w, std::max(0, y - tabHeight - kSplitter));
    m_tabs->setGeometry(0, y - tabHeight - kSplitter, w, tabHeight);
    m_splitter = QRect(0, y - kSplitter, w, kSplitter);
    m_comment->setGeometry(0, y, w, pane);
    update();
}

void EPropCtrl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor face = m_list->FaceColor();
    m_list->Draw3DFrame(painter, m_splitter, true, &face);
}

void EPropCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_splitter.contains(event->position().toPoint())) {
        m_dragging = true;
        setCursor(Qt::SplitVCursor);
    }
}

// The pane grows in steps of one text line plus 6 pixels of border; near the bottom it closes.
void EPropCtrl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (m_dragging) {
        if (event->buttons() & Qt::LeftButton) {
            // Never above the control's top: the splitter must stay where it can be grabbed.
            const int highest = (MaxCommentHeight() - 6) / kLine;
            const int n = std::min((height() - at.y() - 4) / kLine, highest);
            SetCommentHeight(n > 0 ? kLine * n + 6 : 0);
        }
        return;
    }
    if (m_splitter.contains(at))
        setCursor(Qt::SplitVCursor);
    else
        unsetCursor();
}

void EPropCtrl::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

void EPropCtrl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutParts(width(), height());
}
