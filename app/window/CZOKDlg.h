#pragma once

#include <QDialog>

class CZOKSettings;

// The program's only top-level window, run modally by the application; its end ends the program.
class CZOKDlg : public QDialog
{
    Q_OBJECT

public:
    CZOKDlg(CZOKSettings &settings, QWidget *parent);

    CZOKSettings &Settings() const { return m_settings; }

private:
    CZOKSettings &m_settings;
};
