#pragma once

#include <QWidget>

class EPropWnd;
class QPlainTextEdit;

// A small window for editing a multi-line text: the text, then "OK" and "Cancel".
// "OK" asks the list window to commit the selected row; "Cancel" and closing only close it.
class EPropertyTextblockWindow : public QWidget
{
    Q_OBJECT
public:
    // Opens beside `anchor` (global coordinates) with the variable's text (line ends as LF).
    EPropertyTextblockWindow(EPropWnd *wnd, const QString &title, const QString &text, QPoint anchor);

    // The edited text without carriage returns.
    QString Text() const;

private:
    QPlainTextEdit *m_edit;
};
