#include "drivers/diagnosis/SurveyAdvisor.h"

#include <utility>

namespace quarn::diagnosis {

SurveyAdvisor::SurveyAdvisor(std::function<SurveyResult()> survey, FixSetting setting)
    : survey_(std::move(survey)), setting_(std::move(setting)) {}

std::optional<AdapterAdvice> SurveyAdvisor::adviseOnFailedOpen() {
    const SurveyResult survey = survey_();
    for (const AdapterFacts& adapter : survey.adapters) {
        // An adapter this user may not open may not show its description:
        // it may well be the programmer the link could not see.
        const bool mayBeProgrammer =
            adapter.description == kProgrammerDescription ||
            (adapter.description.empty() && adapter.open == OpenOutcome::AccessDenied);
        if (!mayBeProgrammer) {
            continue;
        }
        if (std::optional<AdapterAdvice> advice = adviceFor(adapter, setting_)) {
            return advice;
        }
    }
    return std::nullopt;
}

}  // namespace quarn::diagnosis
