#pragma once

#include "CColorListBox.h"
#include "CDlgStatusBar.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Settings loaded from a settings file naming `port` and `address`, or, when not `loaded`, those
// of a settings file that could not be read.
inline std::unique_ptr<CZOKSettings> MakeSettings(const QString &port, unsigned char address, bool loaded)
{
    auto settings = std::make_unique<CZOKSettings>();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZOK.ini"));
    QFile file(path);
    if (!loaded || !file.open(QIODevice::WriteOnly)) {
        settings->Reset();
        return settings;
    }
    file.write(QStringLiteral("[ZOK]\r\nSERIAL_PORT=%1\r\nRECEIVER_ID=%2\r\n")
                   .arg(port, QString::asprintf("%.02X", address))
                   .toLocal8Bit());
    file.close();
    if (!settings->Load(path.toStdString()))
        settings->Reset();
    return settings;
}

// A main window on the given settings, with Help and message boxes kept from the screen.
struct WindowFixture
{
    std::unique_ptr<CZOKSettings> settings;
    std::unique_ptr<CZOKDlg> window;
    QList<QUrl> opened;

    WindowFixture(const QString &port, bool loaded = true, unsigned char address = 0x1F)
        : settings(MakeSettings(port, address, loaded)), window(std::make_unique<CZOKDlg>(*settings))
    {
        window->SetUrlOpener([this](const QUrl &url) {
            opened.append(url);
            return true;
        });
        window->SetMessageBoxHook([](const CDialogEx::MessageBoxRequest &) { return QMessageBox::Ok; });
    }

    template <typename T> T *Control(const char *id) const
    {
        return window->findChild<T *>(QString::fromLatin1(id));
    }
    CColorListBox *Messages() const { return Control<CColorListBox>("1007"); }
    CColorListBox *Traffic() const { return Control<CColorListBox>("1008"); }
    QCheckBox *OpenPortBox() const { return Control<QCheckBox>("1037"); }
    bool ReadWriteEnabled() const
    {
        return Control<QPushButton>("1004")->isEnabled() && Control<QPushButton>("1005")->isEnabled();
    }
    bool ReadWriteDisabled() const
    {
        return !Control<QPushButton>("1004")->isEnabled() && !Control<QPushButton>("1005")->isEnabled();
    }
    QStringList MessageLines() const
    {
        QStringList lines;
        for (int i = 0; i < Messages()->count(); ++i)
            lines << Messages()->LineText(i);
        return lines;
    }
    bool Show() const
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    QString Pane(int index) const
    {
        window->UpdateDialogControls();
        return window->StatusBar()->PaneText(index);
    }
};
