#include "EPropWnd.h"

#include "EColorContrast.h"
#include "EIconTextButtonProperty.h"
#include "EPropAccessible.h"
#include "EPropWndEdit.h"
#include "IPropertyChangeListener.h"
#include "IPropertyHost.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>

#include <utility>

namespace {
constexpr int kLineStep = 5;
constexpr int kPageStep = 20;
constexpr int kFirstControlId = 600;
constexpr int kLastControlId = 700;
} // namespace

EPropWnd::EPropWnd(QWidget *parent) : QAbstractScrollArea(parent)
{
    TakePaletteColors();
    m_font = QFont(QStringLiteral("tahoma"));
    m_font.setPixelSize(13);
    m_font.setWeight(QFont::Medium);
    setFont(m_font);
    setFrameShape(QFrame::NoFrame);
    // No click focus: a click on an in-place button would otherwise hand the focus up to the list
    // and end the edit before the click arrives. The list takes the focus in its own press handler.
    setFocusPolicy(Qt::TabFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (QScrollBar *bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setSingleStep(kLineStep);
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, bar](int action) { OnScrollAction(bar, action); });
    }
    setAccessibleName(QStringLiteral("Property list"));
    EPropAccessible::Install();
}

EPropWnd::~EPropWnd() = default;

void EPropWnd::TakePaletteColors()
{
    const QPalette pal = palette();
    m_highlightColor = pal.color(QPalette::Light);
    m_faceColor = pal.color(QPalette::Button);
    m_shadowColor = pal.color(QPalette::Dark);
}

QColor EPropWnd::TextColorOn(const QColor &back) const
{
    const QColor text = palette().color(QPalette::ButtonText);
    if (EColorContrast::Ratio(text, back) >= 4.5)
        return text;
    return EColorContrast::Ratio(Qt::black, back) >= EColorContrast::Ratio(Qt::white, back)
               ? QColor(Qt::black)
               : QColor(Qt::white);
}

QColor EPropWnd::ReadableOn(const QColor &wanted, const QColor &back, double minimum)
{
    return EColorContrast::Readable(wanted, back, minimum);
}

void EPropWnd::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        TakePaletteColors();
        Invalidate();
    }
    QAbstractScrollArea::changeEvent(event);
}

// The list shows that it has the focus (see the list's paint), also with no row selected.
void EPropWnd::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void EPropWnd::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void EPropWnd::GetContentSize(int &width, int &height) const
{
    width = 100;
    height = 100;
}

void EPropWnd::GetControlIdRange(int &first, int &last) const
{
    first = kFirstControlId;
    last = kLastControlId;
}

const std::vector<EProperty *> &EPropWnd::VisibleRows() const
{
    static const std::vector<EProperty *> none;
    return none;
}

QPoint EPropWnd::ScrollOffset() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

int EPropWnd::ClientRightInContent() const
{
    return viewport()->width() + horizontalScrollBar()->value();
}

void EPropWnd::Invalidate()
{
    viewport()->update();
    if (m_commentPane)
        m_commentPane->update();
}

void EPropWnd::NotifyChanged()
{
    if (m_listener)
        m_listener->PropertyChanged();
    UpdateAccessibleText();
}

void EPropWnd::Select(EProperty *row)
{
    if (row == m_selected)
        return;
    // Moving the focus off the edit box runs the focus-loss rule (commit, deselect) first.
    const unsigned generation = m_generation;
    if (FocusInControls())
        setFocus(Qt::OtherFocusReason);
    if (generation != m_generation || row == m_selected)
        return; // a listener rebuilt the rows meanwhile: `row` is gone
    if (m_selected)
        m_selected->EndEdit();
    m_selected = row;
    if (m_selected)
        m_selected->BeginEdit(this);
    UpdateAccessibleText();
    AnnounceSelection();
    Invalidate();
}

// Screen readers follow the selected row as the list's focused item; a row with an edit box
// announces the box itself when it takes the focus.
void EPropWnd::AnnounceSelection()
{
    if (!QAccessible::isActive() || !m_selected)
        return;
    const auto &rows = VisibleRows();
    const auto it = std::find(rows.begin(), rows.end(), m_selected);
    if (it == rows.end())
        return;
    const int index = static_cast<int>(it - rows.begin());
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(index);
    QAccessible::updateAccessibility(&selection);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
}

void EPropWnd::DropSelection()
{
    if (!m_selected)
        return;
    if (FocusInControls()) {
        // Neither commit nor deselect: the caller does what it needs itself.
        m_commitOnFocusLoss = false;
        m_deselectOnFocusLoss = false;
        setFocus(Qt::OtherFocusReason);
    }
    m_selected->EndEdit();
    m_selected = nullptr;
    UpdateAccessibleText();
}

void EPropWnd::CommitEdit()
{
    // A listener that refreshes the grid on a change comes back here through SetHost: the value is
    // being stored already.
    if (m_committing)
        return;
    const QScopedValueRollback committing(m_committing, true);
    if (m_selected && m_selected->IsEnabled()) {
        if (m_selected->CommitEdit()) {
            if (IPropertyHost *parent = m_selected->ParentHost())
                parent->PropertyChanging(m_selected->Value(), nullptr);
            NotifyChanged();
        }
    }
    Invalidate();
}

void EPropWnd::UpdateScrollBars()
{
    if (m_updatingBars)
        return;
    m_updatingBars = true;
    int w = 0;
    int h = 0;
    GetContentSize(w, h);
    int a = width();
    int b = height();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool needH = false;
    bool needV = false;
    if (w != 0 || h != 0) {
        needH = a < w;
        if (needH)
            b -= extent;
        needV = b < h;
        if (needV) {
            a -= extent;
            if (!needH && a < w) {
                needH = true;
                b -= extent;
            }
        }
    }
    horizontalScrollBar()->setRange(0, needH ? std::max(0, w - a) : 0);
    horizontalScrollBar()->setPageStep(std::max(1, a));
    verticalScrollBar()->setRange(0, needV ? std::max(0, h - b) : 0);
    verticalScrollBar()->setPageStep(std::max(1, b));
    setHorizontalScrollBarPolicy(needH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(needV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_updatingBars = false;
}

// The bars' page step is the visible size (it sizes the thumb); a click in the trough moves by
// the list's own page of 20 pixels.
void EPropWnd::OnScrollAction(QScrollBar *bar, int action)
{
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(bar->value() + kPageStep);
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(std::max(0, bar->value() - kPageStep));
}

void EPropWnd::scrollContentsBy(int, int)
{
    viewport()->update();
}

void EPropWnd::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void EPropWnd::Draw3DFrame(QPainter &painter, const QRect &rect, bool raised, const QColor *fill) const
{
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width() - 1;
    const int bottom = rect.y() + rect.height() - 1;
    painter.setPen(raised ? m_highlightColor : m_shadowColor);
    painter.drawLine(left, bottom, left, top);
    painter.drawLine(left, top, right, top);
    painter.setPen(raised ? m_shadowColor : m_highlightColor);
    painter.drawLine(right, top, right, bottom);
    painter.drawLine(right, bottom, left, bottom);
    if (fill)
        painter.fillRect(rect.adjusted(m_margin, m_margin, -m_margin, -m_margin), *fill);
}

void EPropWnd::EnsureVisible(const EProperty *row)
{
    if (!row)
        return;
    const int visible = viewport()->height();
    const int oldPos = verticalScrollBar()->value();
    int pos = oldPos;
    const QRect &r = row->Rect();
    if (r.y() + r.height() > pos + visible)
        pos = r.y() + r.height() - visible;
    if (r.y() < pos)
        pos = r.y();
    if (pos != oldPos)
        verticalScrollBar()->setValue(pos);
}

void EPropWnd::MoveSelection(int steps)
{
    const auto &rows = VisibleRows();
    const auto it = std::find(rows.begin(), rows.end(), m_selected);
    if (!m_selected || it == rows.end())
        return;
    SelectIndex((it - rows.begin()) + steps);
}

void EPropWnd::SelectAt(int index)
{
    const auto &rows = VisibleRows();
    if (!rows.empty())
        SelectIndex(index < 0 ? static_cast<qsizetype>(rows.size()) - 1 : index);
}

// Selecting commits the old row, and a listener may rebuild the rows then: the target is taken
// again by its index from the new rows.
void EPropWnd::SelectIndex(qsizetype index)
{
    const auto rowAt = [this](qsizetype i) {
        const auto &rows = VisibleRows();
        return i >= 0 && i < static_cast<qsizetype>(rows.size()) ? rows[static_cast<size_t>(i)] : nullptr;
    };
    const unsigned generation = m_generation;
    Select(rowAt(index));
    if (generation != m_generation)
        Select(rowAt(index));
    EnsureVisible(m_selected);
}

namespace {
bool plainKey(const QKeyEvent *event)
{
    return (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
}
} // namespace

// The selected row's "..." button when the row has no edit box: the button never takes the focus,
// so the keyboard reaches its command through the list.
QPushButton *EPropWnd::KeyboardButton() const
{
    const auto *cell = dynamic_cast<const EIconTextButtonProperty *>(m_selected);
    return cell && !cell->EditBox() ? cell->Button() : nullptr;
}

// F4 and Alt+Down open a row's menu or dialog, as they open a drop-down list.
bool EPropWnd::IsButtonKey(const QKeyEvent *event, bool listHasFocus) const
{
    const bool f4 = event->key() == Qt::Key_F4 && plainKey(event);
    const bool altDown =
        event->key() == Qt::Key_Down && (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
    return listHasFocus && (f4 || altDown) && KeyboardButton();
}

void EPropWnd::PressButton()
{
    int first = 0;
    int last = 0;
    GetControlIdRange(first, last);
    OnChildCommand(first + 1, 0);
}

// Whether the key table takes this key; used to claim it before shortcuts and the focus chain.
bool EPropWnd::IsTableKey(const QKeyEvent *event, bool listHasFocus) const
{
    if (IsButtonKey(event, listHasFocus))
        return true;
    if (!plainKey(event))
        return false;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return m_selected != nullptr;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        return listHasFocus;
    case Qt::Key_Space:
        return listHasFocus && m_selected != nullptr;
    default:
        return false;
    }
}

bool EPropWnd::HandleKey(const QKeyEvent *event, bool listHasFocus)
{
    if (!IsTableKey(event, listHasFocus))
        return false;
    if (IsButtonKey(event, listHasFocus)) {
        PressButton();
        return true;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
        MoveSelection(shift ? -1 : 1);
        return true;
    case Qt::Key_Backtab:
    case Qt::Key_Up:
        MoveSelection(-1);
        return true;
    case Qt::Key_Down:
        if (!m_selected && listHasFocus)
            SelectAt(0);
        else
            MoveSelection(1);
        return true;
    case Qt::Key_PageUp:
        MoveSelection(-3);
        return true;
    case Qt::Key_PageDown:
        MoveSelection(3);
        return true;
    case Qt::Key_Home:
        SelectAt(0);
        return true;
    case Qt::Key_End:
        SelectAt(-1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EndSelectionByKey(true);
        return true;
    case Qt::Key_Escape:
        EndSelectionByKey(false);
        return true;
    default: // Space: consumed when the value changed or the row's button command ran
        if (!m_selected->Toggle()) {
            if (!KeyboardButton())
                return false;
            PressButton();
            return true;
        }
        NotifyChanged();
        Invalidate();
        return true;
    }
}

void EPropWnd::FinishEdit()
{
    EndSelectionByKey(true);
}

// Enter commits and Escape drops the typed text; both then clear the selection.
void EPropWnd::EndSelectionByKey(bool commit)
{
    m_commitOnFocusLoss = false;
    m_deselectOnFocusLoss = false;
    // What is committed is the edit box's text (the focus-loss rule); a row without one, such as a
    // text block whose window is open, stores only through its own window.
    const auto *cell = dynamic_cast<const EIconTextButtonProperty *>(m_selected);
    if (commit && cell && cell->EditBox())
        CommitEdit();
    Select(nullptr);
    m_commitOnFocusLoss = true;
    m_deselectOnFocusLoss = true;
}

bool EPropWnd::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && IsTableKey(static_cast<QKeyEvent *>(event), true)) {
        event->accept();
        return true;
    }
    // Tab is taken by the focus chain before keyPressEvent would see it.
    if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent *>(event), true))
        return true;
    return QAbstractScrollArea::event(event);
}

void EPropWnd::keyPressEvent(QKeyEvent *event)
{
    if (!HandleKey(event, true))
        QAbstractScrollArea::keyPressEvent(event);
}

bool EPropWnd::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != viewport() &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (event->type() == QEvent::ShortcutOverride) {
            if (!IsTableKey(key, false))
                return false;
            event->accept();
            return true;
        }
        return HandleKey(key, false);
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

bool EPropWnd::FocusInControls() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && viewport()->isAncestorOf(focus);
}

void EPropWnd::OnEditFocusLost(Qt::FocusReason reason)
{
    auto *cell = dynamic_cast<EIconTextButtonProperty *>(m_selected);
    // The row's own menu or dialog (its "..." button) works on the row: the edit goes on after it.
    if (InRowCommand() || (cell && cell->Button() && QApplication::focusWidget() == cell->Button()))
        return;
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
        // The edit box's own context menu is part of the edit.
        const QWidget *popup = QApplication::activePopupWidget();
        if (popup && cell && cell->EditBox() && popup->parentWidget() == cell->EditBox())
            return;
        // Another window or a menu takes the focus for a while: what was typed is stored now, so
        // that their commands (saving the parameters ...) see it; the edit stays open.
        if (m_commitOnFocusLoss)
            CommitEdit();
        return;
    }
    const bool deselect = m_deselectOnFocusLoss;
    if (m_commitOnFocusLoss)
        CommitEdit();
    if (deselect)
        Select(nullptr);
    m_commitOnFocusLoss = true;
    m_deselectOnFocusLoss = true;
}

EPropWndEdit *EPropWnd::CreateEditBox(int id, const QString &rowName, const QString &text,
                                      Qt::Alignment align)
{
    auto *edit = new EPropWndEdit(viewport());
    edit->setObjectName(QString::number(id));
    edit->setFont(m_font);
    edit->setAlignment(align | Qt::AlignVCenter);
    edit->setText(text);
    edit->selectAll();
    edit->setAccessibleName(rowName);
    edit->installEventFilter(this);
    connect(edit, &EPropWndEdit::focusLost, this,
            [this](Qt::FocusReason reason) { OnEditFocusLost(reason); });
    edit->show();
    return edit;
}

QPushButton *EPropWnd::CreateButton(int id, const QString &rowName)
{
    auto *button = new QPushButton(QStringLiteral("..."), viewport());
    button->setObjectName(QString::number(id));
    button->setFont(m_font);
    // Taking the focus would end the edit before the click arrives.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(rowName + QStringLiteral(" ..."));
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, id] { OnChildCommand(id, 0); });
    button->show();
    return button;
}

void EPropWnd::DiscardControl(QWidget *control)
{
    if (!control)
        return;
    if (auto *edit = qobject_cast<EPropWndEdit *>(control))
        edit->SetClosing();
    control->removeEventFilter(this);
    control->hide();
    control->deleteLater();
}

void EPropWnd::OnChildCommand(int id, int param)
{
    int first = 0;
    int last = 0;
    GetControlIdRange(first, last);
    if (id < first || id > last || !m_selected)
        return;
    const unsigned generation = m_generation;
    ++m_commandDepth;
    const bool changed = m_selected->OnCommand(this, id, param);
    --m_commandDepth;
    if (changed && generation == m_generation && m_selected) {
        if (auto *cell = dynamic_cast<EIconTextButtonProperty *>(m_selected))
            cell->RestartEdit();
    }
    if (changed)
        NotifyChanged();
    Invalidate();
    if (m_commandDepth == 0 && m_afterCommands)
        std::exchange(m_afterCommands, nullptr)();
}

void EPropWnd::AfterRowCommands(std::function<void()> work)
{
    if (m_commandDepth == 0)
        work();
    else
        m_afterCommands = std::move(work);
}

std::optional<QString> EPropWnd::OpenFile(const QString &filter)
{
    return AskRow(m_dialogs.openFile, std::optional<QString>(), filter);
}

std::optional<QString> EPropWnd::ChooseFolder(const QString &title)
{
    return AskRow(m_dialogs.chooseFolder, std::optional<QString>(), title);
}

std::optional<QColor> EPropWnd::ChooseColor(const QColor &initial)
{
    return AskRow(m_dialogs.chooseColor, std::optional<QColor>(), initial);
}

std::optional<QFont> EPropWnd::ChooseFont(const QFont &initial)
{
    return AskRow(m_dialogs.chooseFont, std::optional<QFont>(), initial);
}

int EPropWnd::ChooseItem(QPoint at, const QStringList &items, int checked)
{
    return AskRow(m_dialogs.chooseItem, -1, at, items, checked);
}

void EPropWnd::Retire()
{
    NoteRebuild();
    m_listener = nullptr;
    // Their loops end once control returns to them; the answers then find a new generation.
    for (QMenu *menu : findChildren<QMenu *>())
        menu->close();
    for (QDialog *dialog : findChildren<QDialog *>())
        dialog->reject();
    DropSelection();
}

void EPropWnd::UpdateAccessibleText()
{
    if (!m_selected) {
        setAccessibleDescription(QString());
        return;
    }
    QString text;
    m_selected->GetText(text);
    setAccessibleDescription(m_selected->Name() + QStringLiteral(": ") + text);
}
