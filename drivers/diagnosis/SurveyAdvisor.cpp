#include "drivers/diagnosis/SurveyAdvisor.h"

#include <utility>

namespace quarn::diagnosis {

SurveyAdvisor::SurveyAdvisor(std::function<SurveyResult()> survey, FixSetting setting)
    : survey_(std::move(survey)), setting_(std::move(setting)) {}

std::optional<AdapterAdvice> SurveyAdvisor::adviseOnFailedOpen() {
    const SurveyResult survey = survey_();
    for (const AdapterFacts& adapter : survey.adapters) {
        if (adapter.description != kProgrammerDescription) {
            continue;
        }
        if (std::optional<AdapterAdvice> advice = adviceFor(adapter, setting_)) {
            return advice;
        }
    }
    return std::nullopt;
}

}  // namespace quarn::diagnosis
