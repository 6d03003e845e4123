#include "drivers/backend/MachineDiagnosis.h"

#include <string>

#include "drivers/backend/HardwareBackend.h"
#include "drivers/diagnosis/SurveyAdvisor.h"
#include "drivers/diagnosis/UdevRule.h"
#include "drivers/libftdi/UsbSurvey.h"

namespace quarn::backend {

diagnosis::DiagnosisFacts gatherMachineFacts(const std::string& udevRuleSource, DevLog& log) {
    diagnosis::DiagnosisFacts facts;
    facts.backends = probeBackends();
    facts.survey = libftdi::surveyFtdiAdapters();
    logIf(log, LogArea::Usb, [&] {
        return "survey: " + std::to_string(facts.survey.adapters.size()) + " FTDI adapter(s)";
    });
    facts.udev = diagnosis::locateUdevRule();
    facts.udevRuleSource = udevRuleSource;
    return facts;
}

std::unique_ptr<AdapterAdvisor> makeMachineAdvisor(const diagnosis::DiagnosisFacts& facts) {
    return std::make_unique<diagnosis::SurveyAdvisor>([] { return libftdi::surveyFtdiAdapters(); },
                                                      diagnosis::fixSettingFor(facts));
}

}  // namespace quarn::backend
