#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/DeviceIdentity.h"
#include "sensor/SensorReplies.h"
#include "sensorwin/AreaDrawing.h"
#include "sensorwin/ListContents.h"
#include "sensorwin/ParameterPresenter.h"
#include "unit/sensor/SensorFrames.h"

#include "support/ParameterListSet.h"

namespace quarn::sensorwin {
namespace {

using testing::makeReply;

using sensor::Parameter;

class ParameterPresenterTest : public ::testing::Test, public testing::ParameterListSet {
  protected:
    ParameterPresenterTest() {
        for (int i = 0; i <= 64; ++i) {
            strings[static_cast<std::size_t>(i)] = "e" + std::to_string(i);
        }
        strings[62] = "Altezza";
        fillParameterLists(lists, strings, ",");
        setLastValues(7);
    }

    // Reads the reply as the decoder does, shows it and says whether it
    // was whole.
    bool show(std::vector<std::uint8_t> values) {
        const auto frame = makeReply(3, values);
        const sensor::ParameterReply reply = sensor::readParameterReply(frame.bytes, identity);
        presenter.showParameters(reply);
        return reply.whole();
    }
    std::vector<std::int16_t> selections() const {
        std::vector<std::int16_t> indices;
        for (const sensor::ParameterRow& row : sensor::kParameterTable) {
            indices.push_back(lists[row.parameter].listIndex());
        }
        return indices;
    }
    std::vector<std::int16_t> lastValues() const {
        std::vector<std::int16_t> indices;
        for (const sensor::ParameterRow& row : sensor::kParameterTable) {
            indices.push_back(memory[row.parameter].lastReported);
        }
        return indices;
    }
    void setLastValues(std::int16_t index) {
        for (const sensor::ParameterRow& row : sensor::kParameterTable) {
            memory[row.parameter].lastReported = index;
        }
    }

    texts::StringTableEntries strings;
    Label heightLabel{"heightLabel"};
    PictureBox picture{"detectionAreaPicture"};
    OvalShape area{"detectionArea"};
    sensor::ParameterMemory memory;
    link::DeviceIdentity identity{0x0101, "A123456789", 0x0102, 0x0200};
    ParameterPresenter presenter{ParameterFrameControls{lists, heightLabel, picture, area}, memory,
                                 strings};
};

TEST_F(ParameterPresenterTest, ListsHoldTheirItemsAndLoadSelections) {
    EXPECT_EQ(sensitivity.items(),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(relayOnTime.items(),
              (std::vector<std::string>{"0,5", "1", "1,5", "2", "2,5", "3", "3,5", "4", "4,5"}));
    EXPECT_EQ(reactionSpeed.items(), (std::vector<std::string>{"e51", "e52", "e53"}));
    EXPECT_EQ(mainsFilter.items(), (std::vector<std::string>{"e50", "50 Hz", "60 Hz"}));
    EXPECT_EQ(highTraffic.items(), (std::vector<std::string>{"e1", "e0"}));
    EXPECT_EQ(height.items(), (std::vector<std::string>{"e54", "e55", "e56"}));
    EXPECT_EQ(selections(), (std::vector<std::int16_t>{4, 0, 1, 0, 0, 0}));
    EXPECT_EQ(halfSecondsText(3, "."), "1.5");
    EXPECT_EQ(halfSecondsText(4, "."), "2");
}

TEST_F(ParameterPresenterTest, AWholeReplySetsListsLastValuesAreaAndHeight) {
    EXPECT_TRUE(show({7, 9, 2, 1, 1, 2}));
    EXPECT_EQ(selections(), (std::vector<std::int16_t>{6, 8, 2, 1, 1, 2}));
    EXPECT_EQ(lastValues(), selections());
    EXPECT_EQ(relayOnTime.items()[8], "4,5");
    EXPECT_EQ(area.box(), (UserBox{35, 30, 330, 240}));
    EXPECT_EQ(picture.lines().size(), 12U);
    EXPECT_EQ(heightLabel.caption(), "Altezza:  3.50 m");

    // Repeating the same values rewrites every last value and redraws.
    setLastValues(0);
    area.setBox({});
    EXPECT_TRUE(show({7, 9, 2, 1, 1, 2}));
    EXPECT_EQ(lastValues(), (std::vector<std::int16_t>{6, 8, 2, 1, 1, 2}));
    EXPECT_EQ(area.box(), areaBox(7));
}

TEST_F(ParameterPresenterTest, ValuesOutOfRangeStopAtThatListAndLeaveTheRestAsTheyWere) {
    const auto before = selections();
    EXPECT_FALSE(show({0, 2, 1, 1, 1, 1}));
    EXPECT_FALSE(show({10, 2, 1, 1, 1, 1}));
    EXPECT_EQ(selections(), before);
    EXPECT_EQ(lastValues(), (std::vector<std::int16_t>{7, 7, 7, 7, 7, 7}));
    EXPECT_TRUE(picture.lines().empty());

    EXPECT_FALSE(show({3, 4, 3, 1, 1, 1}));  // reaction speed 3 is past the last item
    EXPECT_EQ(selections(), (std::vector<std::int16_t>{2, 3, 1, 0, 0, 0}));
    EXPECT_EQ(lastValues(), (std::vector<std::int16_t>{2, 3, 7, 7, 7, 7}));
    EXPECT_EQ(area.box(), areaBox(3));

    EXPECT_FALSE(show({3, 0, 1, 1, 1, 1}));
    EXPECT_FALSE(show({3, 4, 1, 3, 1, 1}));
    EXPECT_FALSE(show({3, 4, 1, 1, 2, 1}));
    EXPECT_EQ(lastValues(), (std::vector<std::int16_t>{2, 3, 1, 1, 7, 7}));
}

TEST_F(ParameterPresenterTest, HeightFollowsTheFirmwareWord) {
    identity.firmwareVersion = 0x01FF;
    memory[Parameter::InstallationHeight].lastReported = 2;
    height.setListIndex(2);
    EXPECT_TRUE(show({5, 1, 1, 0, 0, 2}));
    EXPECT_EQ(height.listIndex(), 0);
    EXPECT_EQ(memory[Parameter::InstallationHeight].lastReported, 0);
    EXPECT_EQ(heightLabel.caption(), "Altezza:  2.30 m");
}

TEST_F(ParameterPresenterTest, AnUnjudgeableHeightLeavesTheHeightListAlone) {
    height.setListIndex(2);
    memory[Parameter::InstallationHeight].lastReported = 2;
    heightLabel.setCaption("Altezza:  3.50 m");

    // Out of range: the list keeps its selection (it is not forced to 0).
    EXPECT_FALSE(show({5, 1, 1, 0, 0, 3}));
    EXPECT_EQ(height.listIndex(), 2);
    EXPECT_EQ(memory[Parameter::InstallationHeight].lastReported, 2);
    EXPECT_EQ(memory[Parameter::HighTraffic].lastReported, 0);
    EXPECT_EQ(heightLabel.caption(), "Altezza:  3.50 m");

    // The identity was cleared for a new cycle: the firmware word is unknown.
    identity.clear();
    EXPECT_FALSE(show({5, 1, 1, 0, 0, 1}));
    EXPECT_EQ(height.listIndex(), 2);
    EXPECT_EQ(memory[Parameter::InstallationHeight].lastReported, 2);
}

TEST_F(ParameterPresenterTest, HeightTextHasASuffixOnlyForTheThreeHeights) {
    for (const auto& [index, text] : std::vector<std::pair<std::int16_t, std::string>>{
             {0, "Altezza:  2.30 m"}, {1, "Altezza:  2.90 m"}, {-1, "Altezza"}}) {
        height.setListIndex(index);
        presenter.showHeight();
        EXPECT_EQ(heightLabel.caption(), text);
    }
}

TEST(DrawArea, BoxIsCentredAndGridHasTwelveInnerLines) {
    PictureBox picture("detectionAreaPicture");
    OvalShape area("detectionArea");
    drawArea(picture, area, 1);
    EXPECT_EQ(area.box(), (UserBox{125, 90, 150, 120}));
    drawArea(picture, area, 9);
    EXPECT_EQ(area.box(), (UserBox{5, 10, 390, 280}));
    drawArea(picture, area, 5);
    drawArea(picture, area, 5);
    EXPECT_EQ(area.box(), (UserBox{65, 50, 270, 200}));

    std::vector<PictureLine> expected;
    for (float x = 50; x <= 350; x += 50) {
        expected.push_back({x, 0, x, 300, colors::kBlack});
    }
    for (float y = 50; y <= 250; y += 50) {
        expected.push_back({0, y, 400, y, colors::kBlack});
    }
    EXPECT_EQ(picture.lines(), expected);
}

}  // namespace
}  // namespace quarn::sensorwin
