#include "CZOKDlg.h"

#include "CColorListBox.h"
#include "CDlgStatusBar.h"
#include "CProgressBar.h"
#include "LineColors.h"
#include "ParameterTable.h"
#include "ProgramIcon.h"
#include "WindowText.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
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
} // namespace

CZOKDlg::CZOKDlg(CZOKSettings &settings, QWidget *parent)
    : CDialogEx(parent), m_settings(settings),
      m_urlOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("102"));
    InitDialog();
}

CZOKDlg::~CZOKDlg()
{
    // No event may be posted to a window that is going away.
    m_serial.Close();
}

void CZOKDlg::InitDialog()
{
    BuildMenu();
    BuildControls();
    BuildStatusBar();
    // Before the first read every parameter counts as supported.
    m_model.SetSupportedMask(zok::AllParametersMask());
    BuildPropertyGrid();
    setWindowIcon(zok::ProgramIcon());
    setWindowTitle(TitleText());
    StatusBar()->setSizeGripEnabled(true);
    m_speedConfigurationEnabled = false;
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

void CZOKDlg::BuildControls()
{
    auto *placeholder = new QLabel(Caption(WindowText::PropertyControl), Client());
    placeholder->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setMinimumSize(440, 280);
    m_propertyArea = placeholder;
    m_propertyArea->setObjectName(QStringLiteral("1002"));

    m_read = new QPushButton(Caption(WindowText::Read), Client());
    m_read->setObjectName(QStringLiteral("1004"));
    connect(m_read, &QPushButton::clicked, this, &CZOKDlg::ReadParameters);
    m_write = new QPushButton(Caption(WindowText::Write), Client());
    m_write->setObjectName(QStringLiteral("1005"));
    connect(m_write, &QPushButton::clicked, this, &CZOKDlg::WriteParameters);
    auto *firmwareLabel = new QLabel(Caption(WindowText::FirmwareVersion), Client());
    m_firmware = new QLineEdit(Client());
    m_firmware->setObjectName(QStringLiteral("1003"));
    m_firmware->setReadOnly(true);
    firmwareLabel->setBuddy(m_firmware);
    m_openPort = new QCheckBox(Caption(WindowText::OpenSerialPort), Client());
    m_openPort->setObjectName(QStringLiteral("1037"));
    connect(m_openPort, &QCheckBox::clicked, this, &CZOKDlg::OnOpenSerialPortClicked);
    m_help = new QPushButton(Caption(WindowText::HelpButton), Client());
    m_help->setObjectName(QStringLiteral("57670"));
    connect(m_help, &QPushButton::clicked, this, &CZOKDlg::OnHelp);

    auto *side = new QVBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{m_read, m_write, firmwareLabel, m_firmware})
        side->addWidget(w);
    side->addStretch(1);
    side->addWidget(m_openPort);
    side->addWidget(m_help);

    m_messages = new CColorListBox(Client());
    m_messages->setObjectName(QStringLiteral("1007"));
    m_traffic = new CColorListBox(Client());
    m_traffic->setObjectName(QStringLiteral("1008"));
    for (CColorListBox *list : {m_messages, m_traffic})
        list->setMinimumSize(300, 150);

    m_grid = new QGridLayout(Client());
    m_grid->addWidget(m_propertyArea, 0, 0);
    m_grid->addLayout(side, 0, 1);
    auto *lists = new QHBoxLayout;
    lists->addWidget(m_messages);
    lists->addWidget(m_traffic);
    m_grid->addLayout(lists, 1, 0, 1, 2);
    m_grid->setRowStretch(0, 3);
    m_grid->setRowStretch(1, 2);
    m_grid->setColumnStretch(0, 1);
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
    bar->SetPaneUpdate(57349, [this] { return PortText(); });
    bar->SetPaneUpdate(57350, [this] { return ReceiverText(); });

    m_progress = new CProgressBar(bar);
    m_progress->AttachToPane(bar, QString(), 100, 100, true, 1);
    m_progress->SetBarColor(QColor(kProgressColor));
    m_progress->SetPosition(0);
}

QString CZOKDlg::StateText() const
{
    switch (m_state) {
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
    return zok::Text(m_propertiesModified ? 135 : 134);
}

QString CZOKDlg::PortText() const
{
    const QString format = zok::Text(m_serial.IsOpen() ? 128 : 129);
    return QString::asprintf(format.toUtf8().constData(), PortName().toUtf8().constData());
}

QString CZOKDlg::ReceiverText() const
{
    return QString::asprintf(zok::Text(130).toUtf8().constData(), ReceiverAddress());
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
    delete m_propertyArea;
    m_propertyArea = control;
    control->show();
}
