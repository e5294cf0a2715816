#pragma once

class EPropList;

// The owner of the variables that a property grid shows. The grid names a variable to its host only
// by the variable's address, so a host compares `value` with the addresses of its own members.
class IPropertyHost
{
public:
    virtual ~IPropertyHost() = default;

    // Appends this host's rows to a list that another host is filling (reached through AddHost).
    virtual void AppendProperties(EPropList &list) { (void)list; }
    // Fills the list; called when the host is attached to a grid and on every refresh.
    virtual void GetProperties(EPropList &list) = 0;
    // Approves `newValue` (a temporary of the variable's type) for the variable at `value`; true
    // lets the grid store it. A null `newValue` is a notification that an embedded row changed.
    virtual bool PropertyChanging(const void *value, const void *newValue) = 0;
    // Whether the row of the variable at `value` may be edited now.
    virtual bool IsPropertyEnabled(const void *value) = 0;
};
