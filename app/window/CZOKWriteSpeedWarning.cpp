#include "CZOKWriteSpeedWarning.h"

#include "ZokText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>

namespace {

constexpr int kWarningText = 185;
constexpr int kMessageName = 487;

QString Localised(const char *english, const char *french)
{
    return QString::fromUtf8(zok::SelectedLanguage() == zok::Language::French ? french : english);
}

} // namespace

CZOKWriteSpeedWarning::CZOKWriteSpeedWarning(DontShowChanged onDontShowChanged, QWidget *parent)
    : QDialog(parent), m_onDontShowChanged(std::move(onDontShowChanged))
{
    setObjectName(QStringLiteral("185"));
    setWindowTitle(QStringLiteral("Oxa Reader Manager"));

    auto *icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size, size));

    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("1003"));
    text->setAccessibleName(zok::Text(kMessageName));
    text->setReadOnly(true);
    const QString message = zok::Text(kWarningText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text->setPlainText(message);
    // Big enough to show the whole message without scrolling.
    const QFontMetrics metrics(text->font());
    const QStringList lines = message.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int margins = 2 * (text->frameWidth() + static_cast<int>(text->document()->documentMargin())) + 16;
    text->setMinimumSize(widest + margins, static_cast<int>(lines.size()) * metrics.lineSpacing() + margins);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_dontShow =
        new QCheckBox(Localised("Don't show this message again.", "Ne plus afficher ce message."), this);
    m_dontShow->setObjectName(QStringLiteral("1037"));
    connect(m_dontShow, &QCheckBox::clicked, this, &CZOKWriteSpeedWarning::OnDontShowClicked);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Localised("Cancel", "Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(text, 0, 1);
    layout->addWidget(m_dontShow, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
}

bool CZOKWriteSpeedWarning::DontShowChecked() const
{
    return m_dontShow->isChecked();
}

void CZOKWriteSpeedWarning::OnDontShowClicked()
{
    if (m_onDontShowChanged)
        m_onDontShowChanged(m_dontShow->isChecked());
}
