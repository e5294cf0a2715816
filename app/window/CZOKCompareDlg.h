#pragma once

#include "CReceiverUpdate.h"

#include <QDialog>

#include <cstdint>

class CZOKExchange;
class CZOKProperties;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// Compare with File: one row per parameter (name, file value, receiver value, status) with ticks,
// and Write Ticked. Shows a CReceiverUpdate; the engine's read and write sequences do the work.
// Reads the receiver first when it was not read since the port opened.
class CZOKCompareDlg : public QDialog
{
    Q_OBJECT

public:
    CZOKCompareDlg(CZOKExchange &engine, CZOKProperties &model, const CZOKProperties &file,
                   std::uint32_t fileKeys, const QString &fileName, QWidget *parent = nullptr);

    zok::CReceiverUpdate &Update() { return m_update; }
    QTableWidget *Table() const { return m_table; }
    QPushButton *WriteButton() const { return m_writeTicked; }
    QLabel *StatusLabel() const { return m_status; }
    // True while a read or write runs: the dialog then stays open.
    bool Busy() const;

    void WriteTicked();

public slots:
    void reject() override;

private:
    void OnCompared();
    void OnFinished();
    void ShowRows();
    void OnItemChanged(QTableWidgetItem *item);
    void UpdateButtons();
    void FitToRows();

    zok::CReceiverUpdate m_update;
    QLabel *m_status = nullptr;
    QTableWidget *m_table = nullptr;
    QPushButton *m_writeTicked = nullptr;
    QPushButton *m_close = nullptr;
    bool m_filling = false;
    QString m_receiver;
};
