#pragma once

#include "CompareRow.h"

#include <QJsonArray>
#include <QString>

#include <vector>

namespace zok::cli {

// Comparison rows as `compare` and `write` print them: every row in JSON (key, status, file and
// receiver bytes and texts, and the verification after a write); in text the rows that are not
// the same, or with `written` the rows written with their verification.
QJsonArray CompareJson(const std::vector<zok::CompareRow> &rows);
QString CompareTableText(const std::vector<zok::CompareRow> &rows, bool written);
int CountDifferences(const std::vector<zok::CompareRow> &rows);

} // namespace zok::cli
