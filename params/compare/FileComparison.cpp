#include "FileComparison.h"

#include "ParameterFile.h"
#include "ParameterTable.h"
#include "ParameterText.h"
#include "ParameterWire.h"
#include "SheetRowOrder.h"
#include "ZokText.h"

#include <algorithm>

namespace zok {

namespace {

std::uint32_t BitOf(ParameterId id)
{
    return Parameter(id).MaskBit;
}

CompareStatus StatusOf(const CompareRow &row, const CZOKProperties &receiver)
{
    if (!row.FileValue)
        return CompareStatus::NotInFile;
    if (!receiver.IsSupported(BitOf(row.Id)))
        return CompareStatus::NotReported;
    if (!receiver.IsParameterSupported(row.Id))
        return CompareStatus::NotSupported;
    return *row.FileValue == *row.ReceiverValue ? CompareStatus::Same : CompareStatus::Differs;
}

// The receiver's byte and text; the file's text follows the receiver's firmware, as the grid
// would show the value once loaded there.
void FillReceiverSide(CompareRow &row, const CZOKProperties &receiver)
{
    const auto &firmware = receiver.FirmwareVersion();
    if (receiver.IsSupported(BitOf(row.Id))) {
        const int value = receiver.Value(row.Id);
        row.ReceiverValue = WireValueOf(row.Id, value);
        row.ReceiverText = ParameterValueText(row.Id, value, firmware);
    } else {
        row.ReceiverValue.reset();
        row.ReceiverText.clear();
    }
    if (row.FileValue)
        row.FileText = ParameterValueText(row.Id, ModelValueOf(row.Id, *row.FileValue), firmware);
    row.Status = StatusOf(row, receiver);
}

} // namespace

FileComparison CompareWithFile(const std::string &path, const CZOKProperties &receiver,
                               bool speedConfigurationEnabled)
{
    FileComparison comparison;
    CZOKProperties file;
    comparison.Load = LoadParameterFile(path, file);
    if (comparison.Load.Outcome == LoadOutcome::AccessError)
        return comparison;
    comparison.Rows = CompareParameters(file, AppliedKeysMask(comparison.Load.AppliedCount), receiver,
                                        speedConfigurationEnabled);
    return comparison;
}

std::uint32_t AppliedKeysMask(int appliedCount)
{
    std::uint32_t bits = 0;
    const auto keys = FileKeyOrder();
    const auto count = static_cast<std::size_t>(std::clamp(appliedCount, 0, static_cast<int>(keys.size())));
    for (const auto id : keys.first(count))
        bits |= BitOf(id);
    return bits;
}

std::vector<CompareRow> CompareParameters(const CZOKProperties &file, std::uint32_t fileKeys,
                                          const CZOKProperties &receiver, bool speedConfigurationEnabled)
{
    std::vector<CompareRow> rows;
    for (const auto id : SheetRowOrder()) {
        CompareRow row;
        row.Id = id;
        row.Name = Text(Parameter(id).NameTextId);
        if ((fileKeys & BitOf(id)) != 0)
            row.FileValue = WireValueOf(id, file.Value(id));
        FillReceiverSide(row, receiver);
        row.Tickable = CanTick(id, row.Status, speedConfigurationEnabled);
        row.Ticked = row.Tickable && row.Status == CompareStatus::Differs;
        rows.push_back(row);
    }
    return rows;
}

bool CanTick(ParameterId id, CompareStatus status, bool speedConfigurationEnabled)
{
    if (status != CompareStatus::Same && status != CompareStatus::Differs)
        return false;
    return id != ParameterId::RX_VITESSE || speedConfigurationEnabled;
}

void UpdateTickable(std::vector<CompareRow> &rows, bool speedConfigurationEnabled)
{
    for (auto &row : rows) {
        row.Tickable = CanTick(row.Id, row.Status, speedConfigurationEnabled);
        row.Ticked = row.Ticked && row.Tickable;
    }
}

bool SetTicked(CompareRow &row, bool ticked)
{
    if (ticked && !row.Tickable)
        return false;
    row.Ticked = ticked;
    return true;
}

std::uint32_t TickedParameters(const std::vector<CompareRow> &rows)
{
    std::uint32_t bits = 0;
    for (const auto &row : rows) {
        if (row.Ticked)
            bits |= BitOf(row.Id);
    }
    return bits;
}

void ApplyTickedValues(CZOKProperties &target, const std::vector<CompareRow> &rows)
{
    for (const auto &row : rows) {
        if (row.Ticked && row.FileValue)
            target.SetValue(row.Id, ModelValueOf(row.Id, *row.FileValue));
    }
}

void VerifyRows(std::vector<CompareRow> &rows, std::uint32_t acknowledged, const CZOKProperties &readBack)
{
    for (auto &row : rows) {
        FillReceiverSide(row, readBack);
        if (!row.Ticked) {
            row.Verify = VerifyStatus::NotWritten;
        } else if ((acknowledged & BitOf(row.Id)) == 0) {
            row.Verify = VerifyStatus::NotAcknowledged;
        } else if (!row.ReceiverValue) {
            row.Verify = VerifyStatus::NotReadBack;
        } else {
            row.Verify =
                *row.ReceiverValue == row.FileValue ? VerifyStatus::Verified : VerifyStatus::StillDifferent;
        }
    }
}

int CountTicked(const std::vector<CompareRow> &rows)
{
    return static_cast<int>(std::ranges::count_if(rows, [](const CompareRow &row) { return row.Ticked; }));
}

int CountVerify(const std::vector<CompareRow> &rows, VerifyStatus status)
{
    return static_cast<int>(
        std::ranges::count_if(rows, [status](const CompareRow &row) { return row.Verify == status; }));
}

} // namespace zok
