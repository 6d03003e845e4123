#include <gtest/gtest.h>

#include <vector>

#include "drivers/diagnosis/SurveyAdvisor.h"
#include "unit/diagnosis/MachineFacts.h"

namespace quarn::diagnosis {
namespace {

using namespace quarn::diagnosis::testing;

// A bus whose adapters the test changes between two requests.
struct Bus {
    std::vector<AdapterFacts> adapters;
    int surveys = 0;
    SurveyAdvisor advisor(FixSetting setting) {
        return SurveyAdvisor(
            [this] {
                ++surveys;
                return SurveyResult{true, "", adapters};
            },
            std::move(setting));
    }
};

FixSetting libftdiOnly() {
    FixSetting setting;
    setting.udevRuleSource = kRuleSource;
    setting.libftdiUsable = true;
    return setting;
}

TEST(SurveyAdvisor, AdvisesOnTheFirstProgrammerThatCannotBeOpenedAsTheBusIsNow) {
    Bus bus;
    SurveyAdvisor advisor = bus.advisor(libftdiOnly());
    EXPECT_EQ(advisor.adviseOnFailedOpen(), std::nullopt);

    // Another adapter's trouble is not the programmer's.
    bus.adapters = {adapter("FT232R USB UART", OpenOutcome::AccessDenied),
                    adapter("QuarnProg", OpenOutcome::Opened)};
    EXPECT_EQ(advisor.adviseOnFailedOpen(), std::nullopt);

    bus.adapters.push_back(adapter("QuarnProg", OpenOutcome::Busy));
    std::optional<AdapterAdvice> advice = advisor.adviseOnFailedOpen();
    ASSERT_TRUE(advice.has_value());
    EXPECT_EQ(advice->problem, "Another program holds the programmer.");

    bus.adapters = {adapter("QuarnProg", OpenOutcome::AccessDenied)};
    advice = advisor.adviseOnFailedOpen();
    ASSERT_TRUE(advice.has_value());
    EXPECT_EQ(advice->fix.rfind("sudo install -m 644 /opt/quarnsoft/60-quarnprog.rules ", 0), 0U);
    EXPECT_EQ(bus.surveys, 4);
}

TEST(SurveyAdvisor, KernelDriverMattersOnlyToTheVendorLibrary) {
    Bus bus;
    bus.adapters = {heldByFtdiSio(adapter("QuarnProg", OpenOutcome::Opened))};
    EXPECT_EQ(bus.advisor(libftdiOnly()).adviseOnFailedOpen(), std::nullopt);

    FixSetting vendorOnly;
    vendorOnly.vendorLibraryUsable = true;
    const std::optional<AdapterAdvice> advice = bus.advisor(vendorOnly).adviseOnFailedOpen();
    ASSERT_TRUE(advice.has_value());
    EXPECT_EQ(advice->fix, "sudo rmmod ftdi_sio");
}

}  // namespace
}  // namespace quarn::diagnosis
