#pragma once

#include "CZOKSyncParameter.h"
#include "CZOKWriteAction.h"
#include "ExchangeState.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The record of the one exchange with the receivers: its state, the timer bookkeeping that the
// exchange engine keeps here, the answers awaited by a read and the queue of a write sequence.
// Only the user-interface thread touches it.
class CZOKSyncSession
{
public:
    ExchangeState State = ExchangeState::Idle;
    int AcceptedAnswers = 0;        // frames with a known read code during a read, for the progress
    int TimerId = 0;                // id of the exchange timer; 0 when none was ever started
    bool TimerWindowKilled = false; // the exchange timer was killed since it was last started
    int RemainingTicks = 0;         // extra timer periods to wait before a time-out counts
    int WriteIndex = 0;             // the write awaiting its acknowledgement

    // Awaited answers.
    // Clears the map, then adds the 18 answers of a read: the seven required codes unreceived, the
    // ten optional ones already received, all checked for address and value; then VE, unreceived
    // and checked for neither.
    void BuildReadList();
    // Inserts the entry under its code; an entry whose code is present is dropped (returns false).
    bool AddParameter(CZOKSyncParameter entry);
    // Stores an answer text for `code`; true exactly when the code is awaited, its address is
    // checked and is `receiverAddress` (any address when that is 0). See the .cpp for the rules.
    bool StoreAnswer(std::string_view code, std::string_view answer, std::uint8_t receiverAddress);
    // Every entry received (true for an empty map).
    bool AllReceived() const;
    const CZOKSyncParameter *LookupParameter(std::string_view code) const;
    bool HasParameter(std::string_view code) const { return LookupParameter(code) != nullptr; }
    void ClearParameters() { m_expected.clear(); }
    // The entries in the order they were added.
    std::span<const CZOKSyncParameter> ExpectedAnswers() const { return m_expected; }

    // Write queue.
    void AddWriteAction(const CZOKWriteAction &action) { m_writes.push_back(action); }
    // A copy of the write at `index`; none when the index is negative or not below the length.
    std::optional<CZOKWriteAction> GetWriteAction(int index) const;
    int GetWriteCount() const { return static_cast<int>(m_writes.size()); }
    // Empties the queue and sets the write index to 0.
    void ClearWriteQueue();

private:
    CZOKSyncParameter *Find(std::string_view code);

    // A handful of entries, kept in insertion order; a linear search is all it needs.
    std::vector<CZOKSyncParameter> m_expected;
    std::vector<CZOKWriteAction> m_writes;
};
