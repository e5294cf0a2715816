#include "CZOKProperties.h"
#include "CZOKPropertySheet.h"
#include "EIconTextButtonProperty.h"
#include "EPropList.h"
#include "ParameterTable.h"
#include "ParameterText.h"
#include "ZokText.h"

#include <gtest/gtest.h>

namespace {

// The grid's text of the row that edits `id`'s member.
QString GridText(const EPropList &list, CZOKProperties &model, ParameterId id)
{
    const void *member = model.ByteMember(id) != nullptr ? static_cast<const void *>(model.ByteMember(id))
                                                         : static_cast<const void *>(model.ChoiceMember(id));
    for (int i = 0; i < list.RowCount(); ++i) {
        if (list.Row(i)->Value() == member) {
            const auto *row = dynamic_cast<const EIconTextButtonProperty *>(list.Row(i));
            return row != nullptr ? row->TextValue() : QStringLiteral("<no text>");
        }
    }
    return QStringLiteral("<no row>");
}

} // namespace

// The comparison must show values exactly as the grid does, choice lists per firmware included.
TEST(ParameterValueText, MatchesTheGridForEveryParameterValueAndFirmware)
{
    for (const auto language : {zok::Language::English, zok::Language::French}) {
        zok::SelectLanguage(language);
        for (const CZOKFirmwareVersion firmware :
             {CZOKFirmwareVersion{}, CZOKFirmwareVersion{19, 9, 9}, CZOKFirmwareVersion{20, 0, 0}}) {
            CZOKProperties model;
            model.SetSupportedMask(zok::AllParametersMask());
            model.SetFirmwareVersion(firmware.Major, firmware.Minor, firmware.Build);
            CZOKPropertySheet sheet(model);
            EPropList list;
            sheet.GetProperties(list);
            for (const auto &info : zok::Parameters()) {
                for (const int value : {-1, 0, 1, 2, 3, 4, 5, 167, 255}) {
                    model.SetValue(info.Id, value);
                    EXPECT_EQ(zok::ParameterValueText(info.Id, model.Value(info.Id), firmware),
                              GridText(list, model, info.Id))
                        << info.Key << " = " << value << " firmware major " << firmware.Major;
                }
            }
        }
    }
    zok::SelectLanguage(zok::Language::English);
}
