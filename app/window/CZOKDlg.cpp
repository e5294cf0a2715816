#include "CZOKDlg.h"

#include "CZOKSettings.h"

CZOKDlg::CZOKDlg(CZOKSettings &settings, QWidget *parent) : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Oxa Reader Manager v") + QStringLiteral(ZOK_VERSION_TEXT));
    resize(800, 600);
}
