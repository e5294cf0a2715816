#pragma once

#include <QtGlobal>

// One radio level as received: when (milliseconds on the dialog's clock) and the level 0..255.
struct LevelSample
{
    qint64 ms = 0;
    int level = 0;
};
