#include "drivers/backend/MachineDiagnosis.h"

#include <string>

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

std::unique_ptr<AdapterAdvisor> makeMachineAdvisor(const diagnosis::DiagnosisFacts& facts) {
    return std::make_unique<diagnosis::SurveyAdvisor>([] { return surveyAdapters(); },
                                                      diagnosis::fixSettingFor(facts));
}

}  // namespace quarn::backend
