#pragma once

#include "CZOKProperties.h"
#include "CompareRow.h"
#include "ParameterFileOutcome.h"

#include <cstdint>
#include <string>
#include <vector>

// Comparing a parameter file with the model read from a receiver, choosing what to write, and
// verifying a read-back. Sets of parameters are masks of their ParameterInfo::MaskBit.
namespace zok {

struct FileComparison
{
    // How reading the file went, exactly as Load Parameters reports it (MessageOf gives the box).
    LoadResult Load;
    // The 22 rows in the sheet's order; empty when the file could not be opened.
    std::vector<CompareRow> Rows;
};

// Reads `path` with the parameter-file reader (same leniency, same outcomes) into a model of its
// own and compares it with `receiver`. Neither the file nor the receiver's model is changed.
FileComparison CompareWithFile(const std::string &path, const CZOKProperties &receiver,
                               bool speedConfigurationEnabled);

// The parameters a load applied: the first `appliedCount` keys of the file key order.
std::uint32_t AppliedKeysMask(int appliedCount);

// The rows for values already loaded into `file`, of which `fileKeys` came from the file. Rows
// that differ and may be written start ticked.
std::vector<CompareRow> CompareParameters(const CZOKProperties &file, std::uint32_t fileKeys,
                                          const CZOKProperties &receiver, bool speedConfigurationEnabled);

// A row may be written when the file has it and the receiver supports it; RX_VITESSE only while
// speed configuration is enabled, as the write sequence would skip it otherwise.
bool CanTick(ParameterId id, CompareStatus status, bool speedConfigurationEnabled);
// Follows a change of the speed configuration: RX_VITESSE's row becomes tickable or is unticked.
void UpdateTickable(std::vector<CompareRow> &rows, bool speedConfigurationEnabled);
// Ticks a row if it may be ticked; false (and unchanged) otherwise.
bool SetTicked(CompareRow &row, bool ticked);

std::uint32_t TickedParameters(const std::vector<CompareRow> &rows);

// Puts the file's byte of every ticked row into `target` (as a load would), leaving the rest, so
// that a write of the ticked parameters sends the receiver's own values for register 22's other
// switches.
void ApplyTickedValues(CZOKProperties &target, const std::vector<CompareRow> &rows);

// After a write of the ticked rows (`acknowledged`: the parameters whose write was acknowledged)
// and a read into `readBack`: each ticked row's verification by wire bytes, and every row's
// receiver side and status from the read-back. Ticks stay as they were.
void VerifyRows(std::vector<CompareRow> &rows, std::uint32_t acknowledged, const CZOKProperties &readBack);

// Counts over rows, for summaries.
int CountTicked(const std::vector<CompareRow> &rows);
int CountVerify(const std::vector<CompareRow> &rows, VerifyStatus status);

} // namespace zok
