#include "CZOKSyncSession.h"

#include "ParameterTable.h"

#include <algorithm>
#include <utility>

namespace {

// The registers of one kind in ascending code order, as the read list holds them.
std::vector<const ReaderRegister *> RegistersByCode(bool required)
{
    std::vector<const ReaderRegister *> regs;
    for (const auto &reg : zok::Registers()) {
        if (reg.Required == required)
            regs.push_back(&reg);
    }
    std::ranges::sort(regs, [](auto *a, auto *b) { return std::string_view(a->ReadCode) < b->ReadCode; });
    return regs;
}

} // namespace

void CZOKSyncSession::BuildReadList()
{
    ClearParameters();
    for (const bool required : {true, false}) {
        for (const auto *reg : RegistersByCode(required))
            AddParameter(CZOKSyncParameter(reg->ReadCode, !required, true, true));
    }
    AddParameter(CZOKSyncParameter(std::string(zok::kVersionAnswerCode), false, false, false));
}

bool CZOKSyncSession::AddParameter(CZOKSyncParameter entry)
{
    if (HasParameter(entry.Code))
        return false;
    m_expected.push_back(std::move(entry));
    return true;
}

// The answer is kept in any case. An address that is checked must parse and match (receiver 0
// matches all); only then is the result true. A value that is parsed must parse for the entry to
// count as received; an entry without value (VE) is received as soon as it arrives.
bool CZOKSyncSession::StoreAnswer(std::string_view code, std::string_view answer,
                                  std::uint8_t receiverAddress)
{
    auto *entry = Find(code);
    if (entry == nullptr)
        return false;
    entry->Answer = std::string(answer);
    bool result = false;
    if (entry->CheckAddress) {
        const auto address = entry->GetAddressByte();
        if (!address || (*address != receiverAddress && receiverAddress != 0))
            return false;
        result = true;
    }
    if (!entry->ParseValue || entry->GetValueByte())
        entry->Received = true;
    return result;
}

bool CZOKSyncSession::AllReceived() const
{
    return std::ranges::all_of(m_expected, [](const auto &entry) { return entry.Received; });
}

const CZOKSyncParameter *CZOKSyncSession::LookupParameter(std::string_view code) const
{
    const auto it = std::ranges::find(m_expected, code, &CZOKSyncParameter::Code);
    return it == m_expected.end() ? nullptr : &*it;
}

CZOKSyncParameter *CZOKSyncSession::Find(std::string_view code)
{
    const auto it = std::ranges::find(m_expected, code, &CZOKSyncParameter::Code);
    return it == m_expected.end() ? nullptr : &*it;
}

std::optional<CZOKWriteAction> CZOKSyncSession::GetWriteAction(int index) const
{
    if (index < 0 || index >= GetWriteCount())
        return std::nullopt;
    return m_writes[static_cast<std::size_t>(index)];
}

void CZOKSyncSession::ClearWriteQueue()
{
    m_writes.clear();
    WriteIndex = 0;
}
