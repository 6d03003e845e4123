// A file set against a sensor: each parameter's agreement, another sensor's
// file, the height on sensors with and without it, and the indices applying
// writes, which only ever come from the file or from the sensor's report.

#include <gtest/gtest.h>

#include "paramfile/FileComparison.h"
#include "paramfile/FileKeys.h"
#include "unit/paramfile/ExampleFile.h"

namespace quarn::paramfile {
namespace {

using testing::exampleFile;

constexpr std::size_t kSensitivity = sensor::indexOf(sensor::Parameter::Sensitivity);
constexpr std::size_t kHeight = sensor::indexOf(sensor::Parameter::InstallationHeight);

link::DeviceIdentity sensorWithFirmware(std::int32_t firmware) {
    link::DeviceIdentity identity = exampleFile().device;
    identity.firmwareVersion = firmware;
    return identity;
}

std::array<Agreement, sensor::kParameterCount> agreements(const FileComparison& comparison) {
    std::array<Agreement, sensor::kParameterCount> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = comparison.parameters[i].agreement;
    }
    return out;
}

constexpr Agreement kSame = Agreement::Same;
constexpr Agreement kDiffers = Agreement::Differs;
constexpr Agreement kNotApplicable = Agreement::NotApplicable;
constexpr Agreement kNotInFile = Agreement::NotInFile;

TEST(FileComparison, EachParameterIsSetBesideTheSensorsValue) {
    const ParameterFile file = exampleFile();
    const ListIndices sensorIndices = {4, 1, 1, 1, 0, 0};

    const FileComparison same = compareWithSensor(file, sensorIndices, sensorWithFirmware(0x0200));
    EXPECT_EQ(agreements(same), (std::array{kSame, kSame, kSame, kSame, kSame, kSame}));
    EXPECT_FALSE(same.changesSensor());
    EXPECT_FALSE(same.serialDiffers);
    EXPECT_TRUE(same.canApply);
    EXPECT_EQ(same.toApply, sensorIndices);

    // Other values, and a sensitivity the sensor has not reported: the file's are applied.
    const ListIndices other = {std::nullopt, 8, 1, 2, 1, 2};
    link::DeviceIdentity anotherSensor = sensorWithFirmware(0x0200);
    anotherSensor.serial = "B987654321";
    const FileComparison differs = compareWithSensor(file, other, anotherSensor);
    EXPECT_EQ(agreements(differs),
              (std::array{kDiffers, kDiffers, kSame, kDiffers, kDiffers, kDiffers}));
    EXPECT_TRUE(differs.changesSensor());
    EXPECT_TRUE(differs.serialDiffers);
    EXPECT_TRUE(differs.canApply);
    EXPECT_EQ(differs.toApply, file.listIndex);
    EXPECT_EQ(differs.parameters[1].sensorIndex, 8);
    EXPECT_EQ(differs.parameters[1].fileIndex, 1);
    EXPECT_EQ(fileValueText(sensor::Parameter::RelayOnTime, *differs.parameters[1].sensorIndex),
              "4.5");
}

TEST(FileComparison, TheHeightFollowsTheSensorThatCarriesIt) {
    const ListIndices sensorIndices = {4, 1, 1, 1, 0, 2};

    // A file with a height, a sensor without one (firmware 0x01FF): shown, left out.
    const ListIndices olderReport = {4, 1, 1, 1, 0, std::nullopt};
    const FileComparison older =
        compareWithSensor(exampleFile(), olderReport, sensorWithFirmware(0x01FF));
    EXPECT_EQ(older.parameters[kHeight].agreement, kNotApplicable);
    EXPECT_EQ(older.parameters[kHeight].fileIndex, 0);
    EXPECT_EQ(older.parameters[kHeight].sensorIndex, std::nullopt);
    EXPECT_EQ(older.toApply[kHeight], std::nullopt);
    EXPECT_TRUE(older.canApply);
    EXPECT_FALSE(older.changesSensor());

    // A file without a height, a sensor with one: the sensor's height stays.
    ParameterFile noHeight = exampleFile();
    noHeight.listIndex[kHeight].reset();
    const FileComparison kept =
        compareWithSensor(noHeight, sensorIndices, sensorWithFirmware(0x0200));
    EXPECT_EQ(kept.parameters[kHeight].agreement, kNotInFile);
    EXPECT_EQ(kept.toApply[kHeight], 2);
    EXPECT_TRUE(kept.canApply);

    // ... unless the sensor has not reported it: nothing may be made up.
    ListIndices unreported = sensorIndices;
    unreported[kHeight].reset();
    const FileComparison blocked =
        compareWithSensor(noHeight, unreported, sensorWithFirmware(0x0200));
    EXPECT_EQ(blocked.toApply[kHeight], std::nullopt);
    EXPECT_FALSE(blocked.canApply);

    // Not the Zel sensor (or none): nothing applies.
    const FileComparison none = compareWithSensor(exampleFile(), sensorIndices, {});
    EXPECT_EQ(agreements(none), (std::array{kNotApplicable, kNotApplicable, kNotApplicable,
                                            kNotApplicable, kNotApplicable, kNotApplicable}));
    EXPECT_EQ(none.toApply, ListIndices{});
    EXPECT_FALSE(none.canApply);
}

TEST(FileComparison, ApplyingWritesOnlyValuesTheFileOrTheSensorGave) {
    // Every combination of parameters the file gives and the sensor reported
    // (one of them out of its list), on sensors with and without the height.
    for (const std::int32_t firmware : {0x01FF, 0x0200}) {
        for (unsigned fileMask = 0; fileMask < 64; ++fileMask) {
            for (unsigned sensorMask = 0; sensorMask < 64; ++sensorMask) {
                ParameterFile file = exampleFile();
                ListIndices reported;
                for (std::size_t i = 0; i < sensor::kParameterCount; ++i) {
                    if ((fileMask >> i & 1U) == 0) {
                        file.listIndex[i].reset();
                    }
                    if ((sensorMask >> i & 1U) != 0) {
                        reported[i] = static_cast<std::int16_t>(i == kSensitivity ? 99 : 1);
                    }
                }
                const FileComparison comparison =
                    compareWithSensor(file, reported, sensorWithFirmware(firmware));
                bool complete = true;
                for (std::size_t i = 0; i < sensor::kParameterCount; ++i) {
                    const auto& applied = comparison.toApply[i];
                    const bool carried = sensor::carriedBy(sensor::kParameterTable[i], firmware);
                    ASSERT_TRUE(!applied || carried);
                    ASSERT_TRUE(!applied || applied == file.listIndex[i] || applied == reported[i]);
                    ASSERT_TRUE(!applied ||
                                isListIndex(sensor::kParameterTable[i].parameter, *applied));
                    complete = complete && (!carried || applied);
                }
                ASSERT_EQ(comparison.canApply, complete) << fileMask << " " << sensorMask;
            }
        }
    }
}

}  // namespace
}  // namespace quarn::paramfile
