#pragma once

#include <QIcon>

namespace zok {

// The program's own icon at every size it is drawn in.
QIcon ProgramIcon();

} // namespace zok
