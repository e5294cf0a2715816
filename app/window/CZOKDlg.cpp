#include "CZOKDlg.h"

#include "CColorListBox.h"
#include "CDlgStatusBar.h"
#include "CProgressBar.h"
#include "CZOKSettings.h"
#include "LineColors.h"
#include "ParameterTable.h"
#include "ProgramIcon.h"
#include "WindowText.h"
#include "ZokText.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef ZOK_VERSION_TEXT
#define ZOK_VERSION_TEXT ""
#endif

using zok::Caption;
using zok::WindowText;

namespace {
constexpr int kStatusPanes[] = {57346, 57347, 57348, 57349, 57350};
constexpr int kPaneWidths[] = {70, 200, 40, 80, 80};
constexpr QRgb kProgressColor = qRgb(0, 64, 128);
// The message and traffic lists keep this many lines; older ones are dropped first.
constexpr int kMaxListLines = 500;
// Names that screen readers give the two lists and the progress bar, which show no caption.
constexpr int kMessagesName = 480;
constexpr int kTrafficName = 481;
constexpr int kProgressName = 57347;
constexpr int kClearText = 295;
// The port pane shows at most this much of the port name.
constexpr int kPortNameWidth = 220;
} // namespace

CZOKDlg::CZOKDlg(CZOKSettings &settings, QWidget *parent)
    : CDialogEx(parent), m_settings(settings), m_exchangeSettings(settings),
      m_exchange(std::make_unique<CZOKExchange>(m_exchangeSettings, m_properties,
                                                static_cast<IExchangeView &>(*this))),
      m_urlOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("102"));
    m_exchange->Capture().SetCapacity(settings.TrafficCaptureFrames());
    InitDialog();
}

CZOKDlg::~CZOKDlg()
{
    // The grids (the one shown and any retired one awaiting deletion) are child widgets, deleted
    // by the base class after the sheet and the model they point into; before that, the base hides
    // the window, which takes the focus from an open edit box, and a focus loss commits. They let
    // go of the sheet now, without committing: the values are going anyway.
    for (EPropCtrl *grid : findChildren<EPropCtrl *>())
        grid->Retire();
    // No frame may reach an engine whose window is going away.
    m_exchange->CloseSerialPort();
}

void CZOKDlg::InitDialog()
{
    BuildMenu();
    BuildControls();
    BuildStatusBar();
    // Until the first read every parameter counts as supported.
    m_properties.SetSupportedMask(zok::AllParametersMask());
    BuildPropertyGrid();
    setWindowIcon(zok::ProgramIcon());
    setWindowTitle(TitleText());
    StatusBar()->setSizeGripEnabled(true);
    m_read->setEnabled(false);
    m_write->setEnabled(false);
    if (SettingsLoaded())
        OpenSerialPort(true);
    else
        AddMessage(zok::LineColor::kRed, zok::Text(127));
}

QString CZOKDlg::TitleText()
{
    const QString version = QStringLiteral(ZOK_VERSION_TEXT);
    const QString title = QStringLiteral("Oxa Reader Manager");
    return version.isEmpty() ? title : title + QStringLiteral(" v") + version;
}

namespace {
template <typename T> T *Named(T *widget, const char *id)
{
    widget->setObjectName(QString::fromLatin1(id));
    return widget;
}
} // namespace

void CZOKDlg::BuildControls()
{
    auto *placeholder = Named(new QLabel(Caption(WindowText::PropertyControl), Client()), "1002");
    placeholder->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setMinimumSize(440, 280);
    m_propertyArea = placeholder;

    m_messages = Named(new CColorListBox(Client()), "1007");
    m_traffic = Named(new CColorListBox(Client()), "1008");
    m_messages->setAccessibleName(zok::Text(kMessagesName));
    m_traffic->setAccessibleName(zok::Text(kTrafficName));
    // What the right double-click does, for the keyboard (the list's context-menu key).
    for (CColorListBox *list : {m_messages, m_traffic}) {
        auto *clear = new QAction(zok::Text(kClearText), list);
        connect(clear, &QAction::triggered, list, &CColorListBox::clear);
        list->addAction(clear);
    }
    auto *lists = new QHBoxLayout;
    for (CColorListBox *list : {m_messages, m_traffic}) {
        list->SetMaxLines(kMaxListLines);
        list->setMinimumSize(300, 150);
        lists->addWidget(list);
    }

    m_grid = new QGridLayout(Client());
    m_grid->addWidget(m_propertyArea, 0, 0);
    m_grid->addLayout(BuildSideColumn(), 0, 1);
    m_grid->addLayout(lists, 1, 0, 1, 2);
    m_grid->setRowStretch(0, 3);
    m_grid->setRowStretch(1, 2);
    m_grid->setColumnStretch(0, 1);
}

QLayout *CZOKDlg::BuildSideColumn()
{
    m_read = Named(new QPushButton(Caption(WindowText::Read), Client()), "1004");
    connect(m_read, &QPushButton::clicked, this, &CZOKDlg::ReadParameters);
    m_write = Named(new QPushButton(Caption(WindowText::Write), Client()), "1005");
    connect(m_write, &QPushButton::clicked, this, &CZOKDlg::WriteParameters);
    auto *firmwareLabel = new QLabel(Caption(WindowText::FirmwareVersion), Client());
    m_firmware = Named(new QLineEdit(Client()), "1003");
    m_firmware->setReadOnly(true);
    firmwareLabel->setBuddy(m_firmware);
    m_openPort = Named(new QCheckBox(Caption(WindowText::OpenSerialPort), Client()), "1037");
    connect(m_openPort, &QCheckBox::clicked, this, &CZOKDlg::OnOpenSerialPortClicked);
    m_help = Named(new QPushButton(Caption(WindowText::HelpButton), Client()), "57670");
    connect(m_help, &QPushButton::clicked, this, &CZOKDlg::OnHelp);
    // No default button: Enter in a list or a field must not start a read over unsaved edits.
    for (QPushButton *button : {m_read, m_write, m_help}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto *side = new QVBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{m_read, m_write, firmwareLabel, m_firmware})
        side->addWidget(w);
    side->addStretch(1);
    side->addWidget(m_openPort);
    side->addWidget(m_help);
    return side;
}

void CZOKDlg::BuildStatusBar()
{
    CreateDialogBars(std::vector<int>(std::begin(kStatusPanes), std::end(kStatusPanes)));
    CDlgStatusBar *bar = StatusBar();
    bar->SetIdlePrompt(zok::Text(57345));
    for (int i = 0; i < bar->PaneCount(); ++i) {
        bar->SetPaneText(i, zok::Text(kStatusPanes[i]));
        bar->SetPaneWidth(i, kPaneWidths[i]);
    }
    bar->SetPaneUpdate(57346, [this] { return StateText(); });
    bar->SetPaneUpdate(57348, [this] { return SyncText(); });
    bar->SetPaneUpdate(57349, [this] {
        StatusBar()->Pane(3)->setToolTip(PortName());
        return PortText();
    });
    bar->SetPaneUpdate(57350, [this] { return ReceiverText(); });

    m_progress = new CProgressBar(bar);
    m_progress->AttachToPane(bar, QString(), 100, 100, true, 1);
    m_progress->SetBarColor(QColor(kProgressColor));
    m_progress->SetPosition(0);
    m_progress->setAccessibleName(zok::Text(kProgressName));
}

// Tab follows the layout: the grid, the side column top to bottom, then the two lists. The grid
// is made anew at each rebuild (and would then come last), so this runs after each.
void CZOKDlg::UpdateTabOrder()
{
    // The grid itself takes no focus: its parts (the list, the page tabs) are the tab stops.
    QList<QWidget *> stops;
    for (QWidget *part : m_propertyArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (part->focusPolicy() & Qt::TabFocus)
            stops << part;
    if (m_propertyArea->focusPolicy() & Qt::TabFocus)
        stops.prepend(m_propertyArea);
    stops << m_read << m_write << m_firmware << m_openPort << m_help << m_messages << m_traffic;
    for (qsizetype i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1], stops[i]);
}

QString CZOKDlg::StateText() const
{
    // Above whatever the exchange does: nothing reaches the receivers until the port is back.
    if (m_exchange->WaitingForPort())
        return zok::Text(440);
    switch (State()) {
    case ExchangeState::Idle:
    case ExchangeState::ReceiverScan:
        return zok::Text(131);
    case ExchangeState::Reading:
        return zok::Text(132);
    case ExchangeState::Writing:
        return zok::Text(133);
    case ExchangeState::SpeedDetection:
        return zok::Text(224);
    default:
        return QString();
    }
}

QString CZOKDlg::SyncText() const
{
    return zok::Text(PropertiesModified() ? 135 : 134);
}

// A stable name (/dev/serial/by-id/usb-FTDI_...) is long: it is cut in its middle so that the
// pane stays inside the window, and the pane's tool tip holds it whole.
QString CZOKDlg::PortText() const
{
    const QString format = zok::Text(m_exchange->IsPortOpen() ? 128 : 129);
    const QString name = StatusBar()->fontMetrics().elidedText(PortName(), Qt::ElideMiddle, kPortNameWidth);
    return QString::asprintf(format.toUtf8().constData(), name.toUtf8().constData());
}

QString CZOKDlg::ReceiverText() const
{
    return QString::asprintf(zok::Text(130).toUtf8().constData(), ReceiverAddress());
}

// The main window is a dialog only in form: Enter presses no button and Escape does not end the
// program (Exit and the close button do).
void CZOKDlg::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return;
        }
    }
    CDialogEx::keyPressEvent(event);
}

void CZOKDlg::SetFirmwareVersion(const QString &version)
{
    m_firmwareVersion = version;
    m_firmware->setText(version);
}

void CZOKDlg::SetPropertyControl(QWidget *control)
{
    if (!control || control == m_propertyArea)
        return;
    control->setParent(Client());
    control->setObjectName(QStringLiteral("1002"));
    delete m_grid->replaceWidget(m_propertyArea, control);
    m_propertyArea->hide();
    m_propertyArea->setObjectName(QString());
    if (m_propertyArea == m_propertyGrid) {
        // Its menus and dialogs may be running their event loops below us.
        m_propertyGrid->RetireAndDeleteLater();
    } else {
        delete m_propertyArea;
    }
    m_propertyArea = control;
    control->show();
    UpdateTabOrder();
}
