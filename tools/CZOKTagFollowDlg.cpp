#include "CZOKTagFollowDlg.h"

#include "CToolTimer.h"
#include "ExchangeEvents.h"
#include "IToolExchange.h"
#include "ToolFrames.h"
#include "ToolText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

using zok::tools::Caption;

namespace {
constexpr int kSilencePeriodMs = 1000;

QString silenceLine(int seconds)
{
    // Fixed French text in both languages.
    return QStringLiteral("Nombre de secondes sans réception : %1").arg(seconds);
}

QLineEdit *readOnlyEdit(const char *id, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(id));
    edit->setReadOnly(true);
    return edit;
}
} // namespace

CZOKTagFollowDlg::CZOKTagFollowDlg(IToolExchange &exchange, QWidget *parent)
    : CZOKToolDialog(parent), m_exchange(exchange)
{
    setWindowTitle(QStringLiteral("Suivi d'un tag"));
    m_silenceTimer = new CToolTimer(QStringLiteral("777"), this);
    connect(m_silenceTimer, &CToolTimer::tick, this, &CZOKTagFollowDlg::silenceTick);
    buildControls();
    swallowEnter();
}

void CZOKTagFollowDlg::buildControls()
{
    m_typed = new QLineEdit(this);
    m_typed->setObjectName(QStringLiteral("1017"));
    m_scan = new QPushButton(Caption("Scan", "Suivre"), this);
    m_scan->setObjectName(QStringLiteral("1012"));
    m_followed = readOnlyEdit("1004", this);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("1015"));
    m_bar->setRange(0, 255);
    m_bar->setTextVisible(false);
    m_level = readOnlyEdit("1005", this);
    m_level->setAlignment(Qt::AlignRight);
    m_level->setFixedWidth(m_level->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    m_silence = readOnlyEdit("1006", this);
    m_silence->setMinimumWidth(m_silence->fontMetrics().horizontalAdvance(silenceLine(88888)) + 12);
    auto *exit = new QPushButton(Caption("Exit", "Fermer"), this);
    exit->setObjectName(QStringLiteral("1"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(Caption("Tag ID :", "ID Tag :"), this), 0, 0);
    grid->addWidget(m_typed, 0, 1);
    grid->addWidget(m_scan, 0, 2);
    grid->addWidget(new QLabel(Caption("Scanned Tag :", "Tag suivi :"), this), 1, 0);
    grid->addWidget(m_followed, 1, 1, 1, 2);
    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(m_bar, 1);
    levelRow->addWidget(m_level);
    grid->addLayout(levelRow, 2, 0, 1, 3);
    grid->addWidget(m_silence, 3, 0, 1, 3);
    grid->addWidget(exit, 4, 2);
    grid->setColumnStretch(1, 1);

    connect(m_scan, &QPushButton::clicked, this, &CZOKTagFollowDlg::scan);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
}

void CZOKTagFollowDlg::onOpening()
{
    m_typed->clear();
    m_followed->clear();
    m_level->clear();
    m_silence->clear();
    m_bar->setValue(0);
    m_silenceCount = 0;
    m_following = false;
    m_exchange.RegisterMonitor(MonitorKind::TagTracking, this);
    m_exchange.EnterTagTracking();
}

void CZOKTagFollowDlg::onClosing()
{
    m_silenceTimer->stop();
}

bool CZOKTagFollowDlg::isValidIdentifier(const QString &identifier)
{
    if (identifier.size() < 2 || identifier.size() % 2 != 0)
        return false;
    for (QChar c : identifier) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

void CZOKTagFollowDlg::scan()
{
    const QString identifier = m_typed->text().toUpper();
    m_typed->setText(identifier);
    if (!isValidIdentifier(identifier)) {
        showMessage(zok::Text(151), QMessageBox::Critical);
        return;
    }
    m_silenceCount = 0;
    m_silenceTimer->stop();
    m_bar->setValue(0);
    m_followed->setText(identifier);
    m_level->clear();
    showSilence();
    m_following = true;
}

void CZOKTagFollowDlg::handleFrame(const QString &text)
{
    if (!m_following)
        return;
    const auto level = zok::tools::ParseTagReport(text, m_followed->text(), m_exchange.ReceiverAddress());
    if (!level)
        return;
    m_bar->setValue(*level);
    m_level->setText(QString::number(*level));
    m_silenceTimer->start(kSilencePeriodMs);
    m_silenceCount = 0;
    showSilence();
}

void CZOKTagFollowDlg::silenceTick()
{
    ++m_silenceCount;
    showSilence();
}

void CZOKTagFollowDlg::showSilence()
{
    m_silence->setText(silenceLine(m_silenceCount));
}

bool CZOKTagFollowDlg::event(QEvent *event)
{
    if (event->type() == WM_TAG_FRAME) {
        handleFrame(static_cast<ForwardedFrameEvent *>(event)->text());
        return true;
    }
    return CZOKToolDialog::event(event);
}
