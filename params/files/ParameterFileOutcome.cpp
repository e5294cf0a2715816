#include "ParameterFileOutcome.h"

namespace zok {

OutcomeMessage MessageOf(SaveOutcome outcome)
{
    switch (outcome) {
    case SaveOutcome::AccessError:
        return {143, true};
    case SaveOutcome::WriteError:
        return {144, true};
    case SaveOutcome::Saved:
        break;
    }
    return {145, false};
}

OutcomeMessage MessageOf(LoadOutcome outcome)
{
    switch (outcome) {
    case LoadOutcome::AccessError:
        return {146, true};
    case LoadOutcome::ContentError:
        return {148, true};
    case LoadOutcome::Loaded:
        break;
    }
    return {147, false};
}

} // namespace zok
