#pragma once

#include <QString>

#include <optional>

class QWidget;

// Save Traffic's file dialog: a dated name proposed, default extension "txt", overwriting
// confirmed. nullopt when cancelled.
std::optional<QString> ChooseTrafficFile(QWidget *parent);
