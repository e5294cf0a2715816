#pragma once

#include <QDialog>
#include <QString>

class QLabel;

// The About box: program icon, the window title with its version, and what changed last.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(const QString &versionText, QWidget *parent = nullptr);

    QString VersionText() const;

private:
    QLabel *m_version = nullptr;
};
