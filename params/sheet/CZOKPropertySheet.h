#pragma once

#include "IPropertyHost.h"
#include "ParameterInfo.h"

#include <span>

class CZOKProperties;
class EProperty;

// The reader parameter model as the property grid's host: one page "Receiver Parameters" with a
// row per parameter that edits the model member in place. Support by the connected receiver (mask
// bit and firmware) decides whether a row is editable and which help it shows; an unsupported
// parameter's member is reset to its fixed value at every rebuild. The model stays widget-free;
// the sheet holds no state of its own beyond the reference to it.
class CZOKPropertySheet : public IPropertyHost
{
public:
    explicit CZOKPropertySheet(CZOKProperties &model);

    // The page and the first seven rows, all editable, the operating mode with its first three
    // choices only, without support checks: for a host that embeds these rows in its own list.
    void AppendProperties(EPropList &list) override;
    // The page with its 22 rows, after resetting the unsupported parameters.
    void GetProperties(EPropList &list) override;
    // Every edit is stored at once; editability comes from each row's enabled flag.
    bool PropertyChanging(const void *value, const void *newValue) override;
    bool IsPropertyEnabled(const void *value) override;

    CZOKProperties &Model() const { return m_model; }

private:
    EProperty *AddRow(EPropList &list, const ParameterInfo &info, bool enabled,
                      std::span<const ParameterChoice> choices);

    CZOKProperties &m_model;
};
