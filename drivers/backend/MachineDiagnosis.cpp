#include "drivers/backend/MachineDiagnosis.h"

#include <optional>
#include <string>
#include <utility>

#include "drivers/backend/HardwareBackend.h"
#include "drivers/diagnosis/SurveyAdvisor.h"
#include "drivers/diagnosis/UdevRule.h"
#if QUARN_WITH_LIBFTDI
#include "drivers/libftdi/UsbSurvey.h"
#endif

namespace quarn::backend {

namespace {

// Every FTDI adapter on the bus, through libusb; a system built without it
// (Windows) has no survey, and says so.
diagnosis::SurveyResult surveyAdapters() {
#if QUARN_WITH_LIBFTDI
    return libftdi::surveyFtdiAdapters();
#else
    diagnosis::SurveyResult result;
    result.failure = "the USB survey needs libusb, which this build leaves out";
    return result;
#endif
}

// Builds the survey advisor when it is first asked.
class DeferredAdvisor final : public AdapterAdvisor {
  public:
    DeferredAdvisor(std::string udevRuleSource, DevLog& log)
        : udevRuleSource_(std::move(udevRuleSource)), log_(log) {}

    std::optional<AdapterAdvice> adviseOnFailedOpen() override {
        if (!advisor_) {
            advisor_ = std::make_unique<diagnosis::SurveyAdvisor>(
                [] { return surveyAdapters(); },
                diagnosis::fixSettingFor(gatherMachineFacts(udevRuleSource_, log_)));
        }
        return advisor_->adviseOnFailedOpen();
    }

  private:
    std::string udevRuleSource_;
    DevLog& log_;
    std::unique_ptr<diagnosis::SurveyAdvisor> advisor_;
};

}  // namespace

diagnosis::DiagnosisFacts gatherMachineFacts(const std::string& udevRuleSource, DevLog& log) {
    diagnosis::DiagnosisFacts facts;
    facts.backends = probeBackends();
    facts.survey = surveyAdapters();
    logIf(log, LogArea::Usb, [&] {
        return "survey: " + std::to_string(facts.survey.adapters.size()) + " FTDI adapter(s)";
    });
    facts.udev = diagnosis::locateUdevRule();
    facts.udevRuleSource = udevRuleSource;
    return facts;
}

std::unique_ptr<AdapterAdvisor> makeMachineAdvisor(std::string udevRuleSource, DevLog& log) {
    return std::make_unique<DeferredAdvisor>(std::move(udevRuleSource), log);
}

}  // namespace quarn::backend
