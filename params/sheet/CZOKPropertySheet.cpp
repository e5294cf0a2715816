#include "CZOKPropertySheet.h"

#include "CZOKProperties.h"
#include "EPropList.h"
#include "EProperty.h"
#include "EPropertyCombo.h"
#include "EPropertyInt.h"
#include "ParameterTable.h"
#include "ParameterText.h"
#include "SheetRowOrder.h"
#include "ZokText.h"

namespace {

constexpr int kPageNameText = 103;
constexpr int kUnsupportedHelpText = 153;
// The operating mode's choices offered to an embedding host: all but "Contextual on demand".
constexpr std::size_t kAppendedModeChoices = 3;

} // namespace

CZOKPropertySheet::CZOKPropertySheet(CZOKProperties &model) : m_model(model) {}

void CZOKPropertySheet::AppendProperties(EPropList &list)
{
    list.AddPage(zok::Text(kPageNameText), -1);
    for (const auto id : zok::SheetRowOrder().first(zok::kAppendedRowCount)) {
        const auto &info = zok::Parameter(id);
        auto choices = info.Choices;
        if (id == ParameterId::RX_MODE_FCT)
            choices = choices.first(kAppendedModeChoices);
        AddRow(list, info, true, choices)->SetComment(zok::Text(info.HelpTextId));
    }
}

void CZOKPropertySheet::GetProperties(EPropList &list)
{
    m_model.ResetUnsupportedValues();
    list.AddPage(zok::Text(kPageNameText), -1);
    for (const auto id : zok::SheetRowOrder()) {
        const auto &info = zok::Parameter(id);
        const bool supported = m_model.IsParameterSupported(id);
        AddRow(list, info, supported, m_model.Choices(id))
            ->SetComment(zok::Text(supported ? info.HelpTextId : kUnsupportedHelpText));
    }
}

bool CZOKPropertySheet::PropertyChanging(const void *, const void *)
{
    return true;
}

bool CZOKPropertySheet::IsPropertyEnabled(const void *)
{
    return true;
}

EProperty *CZOKPropertySheet::AddRow(EPropList &list, const ParameterInfo &info, bool enabled,
                                     std::span<const ParameterChoice> choices)
{
    const QString name = zok::Text(info.NameTextId);
    if (info.Kind == ParameterKind::Byte) {
        // Minimum and maximum both 0 mean no range check.
        return list
            .AddInt(this, name, m_model.ByteMember(info.Id), QString(), enabled, info.Minimum, info.Maximum)
            ->SetSize(1, false);
    }
    auto *combo = list.AddCombo(this, name, m_model.ChoiceMember(info.Id), enabled);
    for (const auto &choice : choices)
        combo->AddItem(zok::ChoiceText(choice), choice.Value);
    return combo;
}
