#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "ShellFixture.h"
#include "app/Settings.h"
#include "support/RecordingDriver.h"

namespace quarn::app {
namespace {

using quarn::testing::CopyDeliveredStringTable;
using quarn::testing::fatalTextLookingIn;
using quarn::testing::RecordingDriver;
using quarn::testing::ShellFixture;

class StartWindowTest : public ::testing::Test {
  protected:
    StartWindowTest() { CopyDeliveredStringTable(shell.dir); }

    int driverCalls(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(driver.calls.begin(), driver.calls.end(),
                          [&](const std::string& call) { return call.rfind(prefix, 0) == 0; }));
    }

    RecordingDriver driver;
    ShellFixture shell{driver};
};

TEST_F(StartWindowTest, StartUpPreparesSupervisionWithoutTouchingTheLink) {
    shell.host.appVersion = {2, 2, 13};
    shell.app().start();
    StartWindow& window = shell.startWindow();
    EXPECT_EQ(window.versionLabel.caption(), "Ver 2.213");
    EXPECT_EQ(versionLabelText({1, 0, 0}), "Ver 1.00");
    EXPECT_TRUE(window.visible());
    // No settings file: English.
    EXPECT_EQ(shell.state().language, Language::English);
    EXPECT_EQ(window.exitMenu.caption(), "&Exit");
    EXPECT_EQ(window.languageMenu.caption(), shell.texts()[12]);
    EXPECT_EQ(window.italianMenuItem.caption(), shell.texts()[13]);
    EXPECT_EQ(window.englishMenuItem.caption(), shell.texts()[14]);
    EXPECT_EQ(window.aboutMenu.caption(), "?");
    // Both labels emptied, their colours as designed.
    EXPECT_EQ(window.programmerStatus.caption(), "");
    EXPECT_EQ(window.deviceStatus.caption(), "");
    EXPECT_EQ(window.programmerStatus.foreColor(), colors::kGood);
    EXPECT_EQ(window.deviceStatus.foreColor(), colors::kFault);

    EXPECT_EQ(window.supervisionTimer->interval(), 1500);
    EXPECT_TRUE(window.supervisionTimer->enabled());
    EXPECT_EQ(window.receiveTimer->interval(), 50);
    EXPECT_TRUE(window.receiveTimer->enabled());
    EXPECT_TRUE(window.awaitingFirstSupervisionTick());
    EXPECT_EQ(shell.state().sensorWindowDelayMs, 3000);
    EXPECT_EQ(shell.state().activeWindow, link::ActiveWindow::Start);
    EXPECT_FALSE(shell.state().endWithSensorWindow);
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_FALSE(shell.app().ended());
}

TEST_F(StartWindowTest, ItalianSettingsGiveItalianMenusFromTheStart) {
    saveSettings(shell.dir.str(), Language::Italian);
    shell.app().start();
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "&Esci");
}

TEST_F(StartWindowTest, MissingStringTableEndsTheApplicationAtStartUp) {
    shell.host.appVersion = {1, 2, 3};
    std::filesystem::remove(shell.dir.file("StringTable.txt"));
    shell.app().start();
    StartWindow& window = shell.startWindow();
    ASSERT_EQ(shell.host.messages.size(), 1U);
    EXPECT_EQ(shell.host.messages[0].title, "QuarnSoft");
    EXPECT_EQ(shell.host.messages[0].text, fatalTextLookingIn(shell.dir.str()));
    EXPECT_EQ(shell.host.quitRequests, 1);
    EXPECT_TRUE(shell.app().ended());
    EXPECT_FALSE(window.loaded());
    EXPECT_FALSE(window.visible());
    // The version was set; no later step ran.
    EXPECT_EQ(window.versionLabel.caption(), "Ver 1.23");
    EXPECT_EQ(window.exitMenu.caption(), "&Exit");
    EXPECT_EQ(window.programmerStatus.caption(), "Stato Programmatore");
    EXPECT_FALSE(window.supervisionTimer->enabled());
    EXPECT_FALSE(window.receiveTimer->enabled());
    // The normal shutdown wrote the settings.
    EXPECT_EQ(shell.dir.read("QuarnSoft.prm"), settingsText(Language::English));
    shell.clock.advance(10000);
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_EQ(shell.host.quitRequests, 1);
}

TEST_F(StartWindowTest, MalformedMarkerIsTheSameFatalFailure) {
    shell.dir.write("StringTable.txt", "#STRING 11\r\nEsci\r\nExit\r\n#STRING\r\n");
    shell.app().start();
    ASSERT_EQ(shell.host.messages.size(), 1U);
    EXPECT_EQ(shell.host.messages[0].text, fatalTextLookingIn(shell.dir.str()));
    EXPECT_TRUE(shell.app().ended());
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "&Exit");
}

TEST_F(StartWindowTest, LanguageSwitchChangesMenusAtOnceAndIsSavedAtExit) {
    shell.app().start();
    StartWindow& window = shell.startWindow();
    window.italianMenuItem.click();
    EXPECT_EQ(shell.state().language, Language::Italian);
    EXPECT_EQ(window.exitMenu.caption(), "&Esci");
    EXPECT_FALSE(shell.dir.exists("QuarnSoft.prm"));
    window.englishMenuItem.click();
    EXPECT_EQ(window.exitMenu.caption(), "&Exit");
    window.italianMenuItem.click();
    window.exitMenu.click();
    EXPECT_EQ(shell.dir.read("QuarnSoft.prm"), settingsText(Language::Italian));

    // The next run starts in Italian.
    RecordingDriver otherDriver;
    Application next(otherDriver, shell.clock, shell.host);
    next.start();
    EXPECT_EQ(next.startWindow().exitMenu.caption(), "&Esci");
}

TEST_F(StartWindowTest, EntryWithOnlyItsItalianLineKeepsItAfterSwitching) {
    saveSettings(shell.dir.str(), Language::Italian);
    shell.dir.write("StringTable.txt",
                    "#STRING 11\r\nEsci\r\nExit\r\n#STRING 12\r\nLingua\r\n#STRING 13\r\n"
                    "Italiano\r\nItalian\r\n#STRING 14\r\nInglese\r\nEnglish\r\n");
    shell.app().start();
    shell.startWindow().englishMenuItem.click();
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "Exit");
    EXPECT_EQ(shell.startWindow().languageMenu.caption(), "Lingua");
}

TEST_F(StartWindowTest, LanguageTwoLeavesEveryMenuCaptionEmpty) {
    saveSettings(shell.dir.str(), languageAtLine(2));
    shell.app().start();
    EXPECT_EQ(shell.state().texts, StringTableEntries{});
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "");
    EXPECT_EQ(shell.startWindow().englishMenuItem.caption(), "");
    EXPECT_EQ(shell.startWindow().aboutMenu.caption(), "?");
    EXPECT_FALSE(shell.app().ended());
}

TEST_F(StartWindowTest, StringTableDeletedBeforeALanguageSwitchEndsTheApplication) {
    driver.addAdapter("QuarnProg");
    shell.app().start();
    shell.clock.advance(1600);  // the link is open now
    ASSERT_TRUE(shell.app().usb().isOpen());
    std::filesystem::remove(shell.dir.file("StringTable.txt"));
    shell.startWindow().italianMenuItem.click();
    ASSERT_EQ(shell.host.messages.size(), 1U);
    EXPECT_EQ(shell.host.messages[0].text, fatalTextLookingIn(shell.dir.str()));
    EXPECT_EQ(shell.host.quitRequests, 1);
    EXPECT_TRUE(shell.app().ended());
    EXPECT_FALSE(shell.app().usb().isOpen());
    // No caption update ran; the new language was saved by the shutdown.
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "&Exit");
    EXPECT_EQ(shell.dir.read("QuarnSoft.prm"), settingsText(Language::Italian));
}

TEST_F(StartWindowTest, ProgrammerStatusTextsAndColours) {
    shell.app().start();
    StartWindow& window = shell.startWindow();
    const auto& texts = shell.texts();
    struct Case {
        link::LinkStatus status;
        int entry;
        Rgb color;
    };
    for (const Case& c : {Case{link::LinkStatus::Open, 20, colors::kGood},
                          Case{link::LinkStatus::DriverFailed, 21, colors::kFault},
                          Case{link::LinkStatus::NotFound, 22, colors::kFault},
                          Case{link::LinkStatus::MoreThanOne, 23, colors::kFault}}) {
        window.showProgrammerStatus(c.status);
        EXPECT_EQ(window.programmerStatus.caption(), texts[c.entry]);
        EXPECT_EQ(window.programmerStatus.foreColor(), c.color);
    }
}

TEST_F(StartWindowTest, ReturnToStartShowsTheWindowAgainOrEndsTheApplication) {
    shell.app().start();
    StartWindow& window = shell.startWindow();
    window.programmerStatus.setCaption("x");
    window.programmerStatus.setForeColor(colors::kFault);
    window.deviceStatus.setCaption("y");
    window.hide();
    shell.state().activeWindow = link::ActiveWindow::Sensor;
    shell.state().sensorWindowDelayMs = -500;
    shell.app().returnToStart();
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.programmerStatus.caption(), "");
    EXPECT_EQ(window.deviceStatus.caption(), "");
    EXPECT_EQ(window.programmerStatus.foreColor(), colors::kFault);  // colours stay
    EXPECT_EQ(shell.state().sensorWindowDelayMs, 3000);
    EXPECT_EQ(shell.state().activeWindow, link::ActiveWindow::Start);
    EXPECT_EQ(shell.host.quitRequests, 0);

    shell.state().endWithSensorWindow = true;
    shell.app().returnToStart();
    EXPECT_TRUE(shell.app().ended());
    EXPECT_EQ(shell.host.quitRequests, 1);
    EXPECT_FALSE(window.visible());
    // Once ended, nothing brings the window back or runs the start-up again.
    shell.state().endWithSensorWindow = false;
    shell.app().returnToStart();
    EXPECT_FALSE(window.loaded());
    EXPECT_EQ(shell.host.quitRequests, 1);
}

TEST_F(StartWindowTest, ExitClosesTheLinkSavesAndUnloadsTheMonitor) {
    driver.addAdapter("QuarnProg");
    shell.app().start();
    shell.app().showMonitor();
    shell.clock.advance(1600);
    ASSERT_TRUE(shell.app().usb().isOpen());
    const int closesBefore = driverCalls("Close(");
    shell.startWindow().exitMenu.click();
    EXPECT_EQ(driverCalls("Close("), closesBefore + 1);
    EXPECT_FALSE(shell.app().usb().isOpen());
    EXPECT_EQ(shell.dir.read("QuarnSoft.prm"), settingsText(Language::English));
    EXPECT_FALSE(shell.app().trafficMonitor().loaded());
    EXPECT_EQ(shell.host.quitRequests, 1);
    EXPECT_TRUE(shell.host.messages.empty());
    // The window's timers went with it.
    driver.clearCalls();
    shell.clock.advance(5000);
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(StartWindowTest, AboutWindowIsModalAndClosesWithOk) {
    shell.app().start();
    AboutWindow& about = shell.app().aboutWindow();
    shell.startWindow().aboutMenu.click();
    EXPECT_TRUE(about.visible());
    EXPECT_TRUE(about.modal());
    const std::string& text = about.contactDetails.caption();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_NE(text.find("\r\nTel. "), std::string::npos);
    EXPECT_NE(text.find("\r\nFax. "), std::string::npos);
    EXPECT_NE(text.find(" - "), std::string::npos);
    about.okButton.click();
    EXPECT_FALSE(about.loaded());
    EXPECT_FALSE(about.visible());
    EXPECT_TRUE(shell.startWindow().visible());
}

TEST_F(StartWindowTest, TwoApplicationsInOneProcessAreIndependent) {
    RecordingDriver otherDriver;
    ShellFixture other(otherDriver);
    CopyDeliveredStringTable(other.dir);
    saveSettings(other.dir.str(), Language::Italian);
    shell.app().start();
    other.app().start();
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "&Exit");
    EXPECT_EQ(other.startWindow().exitMenu.caption(), "&Esci");
    other.startWindow().exitMenu.click();
    EXPECT_TRUE(other.app().ended());
    EXPECT_FALSE(shell.app().ended());
    EXPECT_EQ(shell.host.quitRequests, 0);
}

}  // namespace
}  // namespace quarn::app
