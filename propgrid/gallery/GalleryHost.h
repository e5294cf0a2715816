#pragma once

#include "EPropertyColor.h"
#include "IPropertyChangeListener.h"
#include "IPropertyHost.h"

#include <QFont>
#include <QString>

#include <cstdint>

// A host that shows every row kind on two named pages; used by the gallery program and tests.
class GalleryHost : public IPropertyHost, public IPropertyChangeListener
{
public:
    GalleryHost();

    void GetProperties(EPropList &list) override;
    bool PropertyChanging(const void *value, const void *newValue) override;
    bool IsPropertyEnabled(const void *value) override;
    void PropertyChanged() override { ++changes; }

    int changes = 0;
    QString deviceName = QStringLiteral("Gate reader 1");
    char serial[12] = "ZK-000417";
    std::int32_t mode = 1;
    std::uint8_t threshold = 40;
    std::int32_t delay = 250;
    bool relay = true;
    bool stack = false;
    double voltage = 12.5;
    float gain = 2.675f;
    EColorRef colour = 40 + 256 * 120 + 65536 * 200;
    QFont font;
    QString logFile = QStringLiteral("/var/log/zok/radio.log");
    QString folder = QStringLiteral("/home/operator/parameters");
    QString notes = QStringLiteral("Installed at gate 3.\nChecked in March.");
    std::uint8_t locked = 7;

private:
    void AddGeneralPage(EPropList &list);
    void AddAppearancePage(EPropList &list);
};
