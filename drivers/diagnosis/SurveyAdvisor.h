#pragma once
// Advice after a failed open, from a fresh survey of the USB bus: the first
// adapter described as the programmer that the program cannot open, and why.

#include <functional>
#include <optional>

#include "drivers/diagnosis/AdapterFacts.h"
#include "drivers/diagnosis/Findings.h"
#include "platform/AdapterAdvisor.h"

namespace quarn::diagnosis {

class SurveyAdvisor final : public AdapterAdvisor {
  public:
    // The survey runs on each request, so the advice follows the bus. The
    // setting names the backends the program opens the adapter with and
    // whether the udev rule was installed when the advisor was made (either
    // way the fix it leads to grants access).
    SurveyAdvisor(std::function<SurveyResult()> survey, FixSetting setting);

    std::optional<AdapterAdvice> adviseOnFailedOpen() override;

  private:
    std::function<SurveyResult()> survey_;
    FixSetting setting_;
};

}  // namespace quarn::diagnosis
