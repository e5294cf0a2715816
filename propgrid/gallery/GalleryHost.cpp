#include "GalleryHost.h"

#include "EPropGrid.h"

GalleryHost::GalleryHost() : font(QStringLiteral("Sans Serif"), 10) {}

void GalleryHost::GetProperties(EPropList &list)
{
    list.SetComment(QStringLiteral("Pick a row to see what it sets."));
    AddGeneralPage(list);
    AddAppearancePage(list);
}

void GalleryHost::AddGeneralPage(EPropList &list)
{
    list.AddPage(QStringLiteral("General"));
    list.AddString(this, QStringLiteral("Device name"), &deviceName)
        ->SetComment(QStringLiteral("A name of your choice."));
    list.AddCharString(this, QStringLiteral("Serial number"), serial)
        ->SetComment(QStringLiteral("Read from the device; it cannot be changed."));
    list.AddCombo(this, QStringLiteral("Operating mode"), &mode)
        ->AddItem(QStringLiteral("Online"))
        ->AddItem(QStringLiteral("Contextual"))
        ->AddItem(QStringLiteral("Contextual repeat"))
        ->SetComment(QStringLiteral("How the receiver reports the tags it sees."));
    list.AddInt(this, QStringLiteral("Reading threshold"), &threshold)
        ->SetSize(1, false)
        ->SetComment(QStringLiteral("Sensitivity of the receiver, 0 to 255. Type 0x for hexadecimal."));
    list.AddInt(this, QStringLiteral("Answer delay"), &delay, QStringLiteral("ms"), true, 0, 10000)
        ->SetComment(QStringLiteral("Time before the answer, 0 to 10000 milliseconds."));
    list.AddCheck(this, QStringLiteral("Relay"), &relay)
        ->SetComment(QStringLiteral("Drive the relay output."));
    list.AddCheck(this, QStringLiteral("Clear stack"), &stack, false)
        ->SetComment(QStringLiteral("Not available on this receiver."));
    list.AddSeparator(this, QStringLiteral("Power"));
    list.AddDouble(this, QStringLiteral("Supply voltage"), &voltage, QStringLiteral("V"), 0, 48)
        ->SetComment(QStringLiteral("Nominal supply voltage."));
    list.AddFloat(this, QStringLiteral("Antenna gain"), &gain, QStringLiteral("dB"))
        ->SetComment(QStringLiteral("Gain of the antenna amplifier."));
    list.AddInt(this, QStringLiteral("Locked value"), &locked, {}, false)->SetSize(1, false);
}

void GalleryHost::AddAppearancePage(EPropList &list)
{
    list.AddPage(QStringLiteral("Appearance"));
    list.AddColor(this, QStringLiteral("Marker colour"), &colour)
        ->SetComment(QStringLiteral("Type red, green, blue or pick one with the button."));
    list.AddFont(this, QStringLiteral("Log font"), &font)
        ->SetComment(QStringLiteral("Font of the message lists."));
    list.AddFile(this, QStringLiteral("Radio log"), &logFile, QStringLiteral("Log files (*.log)"))
        ->SetComment(QStringLiteral("File that receives the radio readings."));
    list.AddDir(this, QStringLiteral("Parameter folder"), &folder)
        ->SetComment(QStringLiteral("Where parameter files are kept."));
    list.AddTextblock(this, QStringLiteral("Notes"), &notes)
        ->SetComment(QStringLiteral("Free text, several lines."));
}

bool GalleryHost::PropertyChanging(const void *, const void *)
{
    return true;
}

bool GalleryHost::IsPropertyEnabled(const void *)
{
    return true;
}
