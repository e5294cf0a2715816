#include "ProgramIcon.h"

// The resources of a static library are registered by the code that uses them.
static void RegisterIconResources()
{
    Q_INIT_RESOURCE(zok_icons);
}

namespace zok {

QIcon ProgramIcon()
{
    RegisterIconResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/zok-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace zok
