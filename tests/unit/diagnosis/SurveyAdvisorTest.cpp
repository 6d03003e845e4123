#include <gtest/gtest.h>

#include <vector>

#include "drivers/diagnosis/SurveyAdvisor.h"
#include "unit/diagnosis/MachineFacts.h"

namespace quarn::diagnosis {
namespace {

using namespace quarn::diagnosis::testing;

std::string adviceText(AdapterAdvisor& advisor) {
    const std::optional<AdapterAdvice> advice = advisor.adviseOnFailedOpen();
    return advice ? advice->problem + " / " + advice->fix : "none";
}

TEST(SurveyAdvisor, AdvisesOnTheFirstProgrammerTheBackendsInUseCannotOpen) {
    std::vector<AdapterFacts> bus;  // surveyed afresh on each request
    const auto survey = [&bus] { return SurveyResult{true, "", bus}; };
    FixSetting libftdiInUse;
    libftdiInUse.udevRuleSource = kRuleSource;
    libftdiInUse.libftdiUsable = true;
    FixSetting vendorLibraryInUse;
    vendorLibraryInUse.vendorLibraryUsable = true;
    SurveyAdvisor libftdiAdvisor(survey, libftdiInUse);
    SurveyAdvisor vendorAdvisor(survey, vendorLibraryInUse);
    EXPECT_EQ(adviceText(libftdiAdvisor), "none");

    // Another adapter's trouble is not the programmer's.
    bus = {adapter("FT232R USB UART", OpenOutcome::AccessDenied),
           heldByFtdiSio(adapter("QuarnProg", OpenOutcome::Opened))};
    EXPECT_EQ(adviceText(libftdiAdvisor), "none");
    EXPECT_EQ(adviceText(vendorAdvisor),
              "The kernel's ftdi_sio driver holds the programmer, and the vendor library cannot "
              "open it while it does. / sudo rmmod ftdi_sio");

    bus = {adapter("QuarnProg", OpenOutcome::AccessDenied)};
    EXPECT_EQ(
        adviceText(libftdiAdvisor)
            .rfind("This user may not open the programmer's USB device node /dev/bus/usb/001/004. "
                   "/ sudo install -m 644 /opt/quarnsoft/60-quarnprog.rules ",
                   0),
        0U);

    // Denied without a description to read: it may be the programmer the link
    // could not see, so it is advised on; an opened adapter without one is not.
    bus = {adapter("", OpenOutcome::Opened), adapter("", OpenOutcome::AccessDenied)};
    EXPECT_NE(adviceText(libftdiAdvisor).find("may not open"), std::string::npos)
        << adviceText(libftdiAdvisor);
}

}  // namespace
}  // namespace quarn::diagnosis
