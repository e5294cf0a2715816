#pragma once

#include "EngineHarness.h"
#include "FileComparison.h"
#include "ParameterFile.h"
#include "TempDir.h"

#include <QSignalSpy>

#include <fstream>
#include <initializer_list>
#include <utility>

// A parameter file in a temporary folder, written from a model as Save Parameters would, and the
// model a load of it gives with the keys that came from the file.
struct TestFile
{
    zok::test::TempDir dir;
    std::string path = dir.file("set.zok");
    CZOKProperties values;
    std::uint32_t keys = 0;

    // The factory set with `changes` (model values); `dropKey` is left out of the file.
    explicit TestFile(std::initializer_list<std::pair<ParameterId, int>> changes,
                      const char *dropKey = nullptr)
    {
        CZOKProperties model;
        for (const auto &[id, value] : changes)
            model.SetValue(id, value);
        EXPECT_EQ(zok::SaveParameterFile(path, model), zok::SaveOutcome::Saved);
        if (dropKey != nullptr)
            DropLine(dropKey);
        const zok::LoadResult loaded = zok::LoadParameterFile(path, values);
        keys = zok::AppliedKeysMask(loaded.AppliedCount);
    }

    void DropLine(const std::string &key)
    {
        std::string text = zok::test::ReadBytes(path);
        const auto start = text.find(key + "=");
        text.erase(start, text.find('\n', start) + 1 - start);
        std::ofstream(path, std::ios::binary) << text;
    }
};

// A receiver on the simulated line with `address`, otherwise factory-set.
inline zok::sim::ReceiverConfig ReceiverAt(std::uint8_t address)
{
    zok::sim::ReceiverConfig receiver;
    receiver.address = address;
    return receiver;
}

inline const zok::CompareRow &RowOf(const std::vector<zok::CompareRow> &rows, ParameterId id)
{
    return *std::ranges::find(rows, id, &zok::CompareRow::Id);
}
