#pragma once

#include "EPropList.h"
#include "IPropertyHost.h"

#include <functional>
#include <vector>

// A host that records what the grid asks and answers as told.
class TestHost : public IPropertyHost
{
public:
    std::function<void(EPropList &)> fill;
    std::function<void(EPropList &)> append;
    bool approve = true;
    bool enabled = true;
    std::vector<const void *> changing;
    std::vector<const void *> notifications;

    void AppendProperties(EPropList &list) override
    {
        if (append)
            append(list);
    }
    void GetProperties(EPropList &list) override
    {
        if (fill)
            fill(list);
    }
    bool PropertyChanging(const void *value, const void *newValue) override
    {
        (newValue ? changing : notifications).push_back(value);
        return approve;
    }
    bool IsPropertyEnabled(const void *) override { return enabled; }
};
