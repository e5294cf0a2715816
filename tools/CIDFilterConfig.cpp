#include "CIDFilterConfig.h"

#include "CToolTimer.h"
#include "ExchangeEvents.h"
#include "HexPair.h"
#include "IToolExchange.h"
#include "ToolFrames.h"
#include "ToolText.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

using zok::tools::Caption;

namespace {
constexpr int kAnswerTimeoutMs = 1000;
constexpr int kSendings = 3;

// Letters typed in a pair field appear in upper case.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QString codeText(int code)
{
    return QString::asprintf("%.02X", unsigned(code));
}
} // namespace

CIDFilterConfig::CIDFilterConfig(IToolExchange &exchange, QWidget *parent)
    : CZOKToolDialog(parent, WM_FILTER_FRAME), m_exchange(exchange)
{
    setWindowTitle(Caption("ID filter configuration", "Configuration de la plage de filtrage"));
    m_answerTimer = new CToolTimer(QStringLiteral("1"), this);
    connect(m_answerTimer, &CToolTimer::tick, this, &CIDFilterConfig::answerTimeout);
    buildControls();
}

void CIDFilterConfig::buildControls()
{
    // Made before the buttons below it: Tab follows the order of making.
    QWidget *range = buildRangeGroup();
    auto *readButton = new QPushButton(Caption("Read", "Lire"), this);
    readButton->setObjectName(QStringLiteral("1033"));
    auto *writeButton = new QPushButton(Caption("Write", "Ecrire"), this);
    writeButton->setObjectName(QStringLiteral("1034"));
    auto *resetButton = new QPushButton(Caption("Reset", "Réinit"), this);
    resetButton->setObjectName(QStringLiteral("1035"));
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("1"));
    for (QPushButton *b : {writeButton, resetButton, okButton})
        b->setAutoDefault(false);
    readButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(readButton);
    buttons->addWidget(writeButton);
    buttons->addWidget(resetButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    auto *layout = new QGridLayout(this);
    layout->addWidget(range, 0, 0);
    layout->addLayout(buttons, 1, 0);

    connect(readButton, &QPushButton::clicked, this, &CIDFilterConfig::read);
    connect(writeButton, &QPushButton::clicked, this, &CIDFilterConfig::write);
    connect(resetButton, &QPushButton::clicked, this, &CIDFilterConfig::reset);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget *CIDFilterConfig::buildRangeGroup()
{
    auto *group = new QGroupBox(Caption("ID Filter", "Plage de filtrage"), this);
    auto *grid = new QGridLayout(group);
    const QString rowNames[] = {Caption("ID start", "ID début"), Caption("ID end", "ID fin")};
    grid->addWidget(new QLabel(rowNames[0], group), 0, 0);
    grid->addWidget(new QLabel(rowNames[1], group), 1, 0);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 12;
    for (int i = 0; i < 6; ++i) {
        auto *edit = new QLineEdit(group);
        edit->setObjectName(QString::number(1027 + i));
        // Three bytes per row: screen readers hear the row's label and the byte's place.
        edit->setAccessibleName(QStringLiteral("%1 %2").arg(rowNames[i / 3]).arg(i % 3 + 1));
        edit->setValidator(new UpperCaseValidator(edit));
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(width);
        edit->installEventFilter(this);
        grid->addWidget(edit, i / 3, 1 + i % 3);
        m_pairs[i] = edit;
    }
    m_alarm = new QCheckBox(Caption("Alarm filtering", "Filtrage des alarmes"), group);
    m_alarm->setObjectName(QStringLiteral("1036"));
    grid->addWidget(m_alarm, 2, 0, 1, 4);
    grid->setColumnStretch(4, 1);
    return group;
}

void CIDFilterConfig::onOpening()
{
    register_();
    sendNew(zok::tools::FilterCommand(0x10, u"00", m_exchange.ReceiverAddress()));
}

void CIDFilterConfig::register_()
{
    m_exchange.RegisterMonitor(MonitorKind::IdFilter, this);
    m_exchange.EnterIdFilter();
}

void CIDFilterConfig::sendNew(const QString &command)
{
    m_command = command;
    m_attemptsLeft = kSendings;
    transmit();
}

void CIDFilterConfig::transmit()
{
    m_exchange.SendCommand((u' ' + m_command).toStdString());
    m_answerTimer->stop();
    m_answerTimer->start(kAnswerTimeoutMs);
}

void CIDFilterConfig::answerTimeout()
{
    m_answerTimer->stop();
    --m_attemptsLeft;
    if (m_attemptsLeft == 1 || m_attemptsLeft == 2) {
        transmit();
        return;
    }
    m_attemptsLeft = 0;
    showMessage(zok::Text(183), QMessageBox::Critical);
}

void CIDFilterConfig::handleFrame(const QString &text)
{
    const auto answer = zok::tools::ParseFilterAnswer(text);
    if (!answer)
        return;
    const QString code = m_command.mid(1, 2);
    if (answer->code == u"10" && answer->address == m_exchange.ReceiverAddress()) {
        // The format answer counts whenever it comes, but stops only its own command's timer.
        if (code == u"10")
            m_answerTimer->stop();
        formatAnswered(answer->value.toInt(nullptr, 16));
        return;
    }
    if (answer->code != code || codeText(answer->address) != m_command.mid(m_command.size() - 3, 2))
        return;
    m_answerTimer->stop();
    const int codeValue = answer->code.toInt(nullptr, 16);
    if (codeValue & 0x08) {
        if (const auto next = zok::tools::NextFilterWrite(codeValue, m_format))
            sendWrite(*next);
        return;
    }
    if (codeValue == 0xA6)
        m_alarm->setChecked(answer->value == u"01");
    else if (codeValue >= 0xA0 && codeValue <= 0xA5)
        m_pairs[codeValue - 0xA0]->setText(answer->value);
    if (const auto next = zok::tools::NextFilterRead(codeValue, m_format))
        sendRead(*next);
}

void CIDFilterConfig::formatAnswered(int format)
{
    // Read once per opening: a repeated answer must not change the fields' modes.
    if (m_format != 0)
        return;
    m_format = format;
    if (format == 1) {
        m_pairs[2]->setReadOnly(true);
        m_pairs[5]->setReadOnly(true);
    }
}

void CIDFilterConfig::sendRead(int code)
{
    sendNew(zok::tools::FilterCommand(code, u"00", m_exchange.ReceiverAddress()));
}

void CIDFilterConfig::sendWrite(int code)
{
    QString value;
    if (code == 0xAE)
        value = m_alarm->isChecked() ? QStringLiteral("01") : QStringLiteral("00");
    else
        value = m_pairs[code - 0xA8]->text().left(2);
    sendNew(zok::tools::FilterCommand(code, value, m_exchange.ReceiverAddress()));
}

void CIDFilterConfig::read()
{
    register_();
    sendRead(0xA0);
}

bool CIDFilterConfig::pairValid(int index) const
{
    return zok::tools::UpperHexPair(m_pairs[index]->text()).has_value();
}

void CIDFilterConfig::write()
{
    const bool common = pairValid(0) && pairValid(1) && pairValid(3) && pairValid(4);
    const bool third = pairValid(2) && pairValid(5);
    if (common && (m_format == 1 || (m_format == 2 && third))) {
        startWriteSequence();
        return;
    }
    showMessage(zok::Text(184), QMessageBox::Critical);
}

void CIDFilterConfig::startWriteSequence()
{
    register_();
    sendWrite(0xA8);
}

void CIDFilterConfig::reset()
{
    // Without the format, the pairs to write are unknown; writing them would send a malformed command.
    if (m_format != 1 && m_format != 2) {
        showMessage(zok::Text(184), QMessageBox::Critical);
        return;
    }
    const QString question =
        m_format == 1
            ? QStringLiteral("Attention les identifiants seront réinitialisés aux valeurs suivantes : "
                             "ID initial = 0000h et ID final = FFFFh. Voulez vous continuer ?")
            : QStringLiteral("Attention les identifiants seront réinitialisés aux valeurs suivantes : "
                             "ID initial = 000000h et ID final = FFFFFFh. Voulez vous continuer ?");
    if (showMessage(question, QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    for (int i : {0, 1})
        m_pairs[i]->setText(QStringLiteral("00"));
    for (int i : {3, 4})
        m_pairs[i]->setText(QStringLiteral("FF"));
    if (m_format == 2) {
        m_pairs[2]->setText(QStringLiteral("00"));
        m_pairs[5]->setText(QStringLiteral("FF"));
    }
    startWriteSequence();
}

void CIDFilterConfig::normaliseField(int index)
{
    QString text = m_pairs[index]->text();
    if (text.size() >= 3)
        text = text.right(2);
    text = text.rightJustified(2, u'0');
    if (!zok::tools::UpperHexPair(text)) {
        showMessage(zok::Text(184), QMessageBox::Critical);
        text = QStringLiteral("00");
    }
    m_pairs[index]->setText(text.toUpper());
}

bool CIDFilterConfig::eventFilter(QObject *watched, QEvent *event)
{
    // Focus taken by another window (our own message boxes among them) is not leaving the field.
    const auto *focus = event->type() == QEvent::FocusOut ? static_cast<QFocusEvent *>(event) : nullptr;
    if (focus && focus->reason() != Qt::ActiveWindowFocusReason && focus->reason() != Qt::PopupFocusReason) {
        for (int i = 0; i < 6; ++i) {
            if (watched == m_pairs[i])
                normaliseField(i);
        }
    }
    return CZOKToolDialog::eventFilter(watched, event);
}
