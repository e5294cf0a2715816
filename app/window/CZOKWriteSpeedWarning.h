#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;

// Warns, before a write, that the speed will not be written while speed configuration is
// disabled. OK goes on without the speed, Cancel abandons the write. The "Don't show this message
// again." box reports each change at once, whatever button then ends the dialog.
class CZOKWriteSpeedWarning : public QDialog
{
    Q_OBJECT

public:
    using DontShowChanged = std::function<void(bool)>;

    explicit CZOKWriteSpeedWarning(DontShowChanged onDontShowChanged, QWidget *parent = nullptr);

    bool DontShowChecked() const;

private:
    void OnDontShowClicked();

    DontShowChanged m_onDontShowChanged;
    QCheckBox *m_dontShow = nullptr;
};
