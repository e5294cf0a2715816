#include "CAboutDlg.h"

#include "ProgramIcon.h"
#include "WindowText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(const QString &versionText, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(zok::Caption(zok::WindowText::AboutTitle));
    setWindowIcon(zok::ProgramIcon());

    auto *icon = new QLabel(this);
    icon->setPixmap(zok::ProgramIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    m_version =
        new QLabel(versionText.isEmpty() ? zok::Caption(zok::WindowText::AboutVersion) : versionText, this);
    m_version->setObjectName(QStringLiteral("1026"));
    auto *changes = new QLabel(zok::Caption(zok::WindowText::AboutChanges), this);
    changes->setWordWrap(true);
    changes->setMinimumWidth(320);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(zok::Caption(zok::WindowText::Ok), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(m_version, 0, 1);
    layout->addWidget(changes, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::VersionText() const
{
    return m_version->text();
}
