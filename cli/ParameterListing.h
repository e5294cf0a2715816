#pragma once

#include <QJsonArray>
#include <QString>

class CZOKProperties;

namespace zok::cli {

// The parameters of a model as `read` lists them: name (the parameter-file key), wire value, the
// text the window's grid shows and whether the receiver supports it.
QJsonArray ParameterJson(const CZOKProperties &model);
QString ParameterTableText(const CZOKProperties &model);

// A parameter's byte as the line and the parameter files carry it, two upper-case digits.
QString WireText(const CZOKProperties &model, int parameterIndex);

} // namespace zok::cli
