#include "CZOKScanReceiversDlg.h"

#include "CZOKSettings.h"
#include "ExchangeEvents.h"
#include "IToolExchange.h"
#include "ToolText.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

using zok::tools::Caption;

CZOKScanReceiversDlg::CZOKScanReceiversDlg(IToolExchange &exchange, CZOKSettings &settings, QWidget *parent)
    : CZOKToolDialog(parent), m_exchange(exchange), m_settings(settings)
{
    setWindowTitle(Caption("Receivers Presence Detection", "Détection des récepteurs présents"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("1008"));
    m_list->setAccessibleName(zok::Text(482));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(true);
    m_list->setFixedWidth(m_list->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 24);
    auto *selectButton = new QPushButton(Caption("Select", "Sélection"), this);
    selectButton->setObjectName(QStringLiteral("1010"));
    auto *closeButton = new QPushButton(Caption("Close", "Fermer"), this);
    closeButton->setObjectName(QStringLiteral("1011"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0, 3, 1);
    grid->addWidget(selectButton, 0, 1);
    grid->addWidget(closeButton, 1, 1);
    grid->setRowStretch(2, 1);

    // Enter ends the dialog without choosing: a press meant for the list must never change the
    // receiver and rewrite the settings file, so no button presses itself on Enter.
    for (QPushButton *button : {selectButton, closeButton})
        button->setAutoDefault(false);

    connect(selectButton, &QPushButton::clicked, this, &CZOKScanReceiversDlg::select);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void CZOKScanReceiversDlg::onOpening()
{
    m_exchange.RegisterMonitor(MonitorKind::ReceiverScan, this);
    m_exchange.StartReceiverScan();
}

void CZOKScanReceiversDlg::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        accept();
        return;
    }
    CZOKToolDialog::keyPressEvent(event);
}

void CZOKScanReceiversDlg::addressFound(int address)
{
    if (address < 0 || address > 255)
        return;
    const QString text = QString::asprintf("%.02X", unsigned(address));
    if (m_list->findItems(text, Qt::MatchFixedString).isEmpty())
        m_list->addItem(text);
}

void CZOKScanReceiversDlg::select()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        showMessage(zok::Text(150), QMessageBox::Critical);
        return;
    }
    m_settings.SetReceiverAddress(static_cast<unsigned char>(selected.front()->text().toUInt(nullptr, 16)));
    m_settings.Save();
    accept();
}

bool CZOKScanReceiversDlg::event(QEvent *event)
{
    if (event->type() == WM_SCAN_ADDRESS) {
        addressFound(static_cast<ScanAddressEvent *>(event)->address());
        return true;
    }
    return CZOKToolDialog::event(event);
}
