// Arbitrary bytes as the string table file of a starting application, for a
// start in either language, followed by a switch to the other language and
// the opening of the sensor window, whose lists and labels take their texts
// from the table. Whatever the bytes, the application either works with the
// texts the reader takes from them or shows its one fatal message and ends.
//
// Input: one byte of options (bit 0: start in English; bit 1: open the
// sensor window), then the file's bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "app/ApplicationState.h"
#include "app/Settings.h"
#include "app/StringTableFile.h"
#include "link/DeviceIdentity.h"
#include "scenario/sensor/SensorSession.h"

namespace {

using quarn::fuzz::Expect;

quarn::fuzz::ScratchDirectory& Directory() {
    // One application directory for the whole process, made on first use.
    static quarn::fuzz::ScratchDirectory directory;
    return directory;
}

// What the reader alone makes of the bytes for one language.
struct Expected {
    bool valid;
    quarn::app::StringTableEntries table;
};

Expected Parse(std::string_view bytes, quarn::app::Language language) {
    Expected expected{false, {}};
    expected.valid = quarn::app::parseStringTable(bytes, language, expected.table);
    return expected;
}

// After a start or a switch: either the texts are in place and the menus
// show them, or the fatal message has been shown once and the application
// has ended.
void CheckOutcome(quarn::testing::SensorSession& session, const Expected& expected,
                  std::size_t messagesBefore) {
    auto& form = session.app.startWindow();
    if (!expected.valid) {
        Expect(session.app.ended(), "a refused table did not end the application");
        Expect(session.host.messages.size() == messagesBefore + 1,
               "a refused table without exactly one message");
        return;
    }
    Expect(!session.app.ended(), "an accepted table ended the application");
    Expect(session.host.messages.size() == messagesBefore, "a message for an accepted table");
    const quarn::app::StringTableEntries& table = session.app.state().texts;
    for (const std::string& text : table) {
        Expect(quarn::fuzz::IsUtf8(text), "a text that is not UTF-8");
    }
    Expect(table == expected.table, "the application's texts differ from the reader's");
    Expect(form.exitMenu.caption() == table[11], "exit caption not entry 11");
    Expect(form.englishMenuItem.caption() == table[14], "English caption not entry 14");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const quarn::fuzz::ScratchDirectory& directory = Directory();
    const std::uint8_t options = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    using quarn::app::Language;
    const Language first = (options & 0x01) != 0 ? Language::English : Language::Italian;
    const Language second = first == Language::English ? Language::Italian : Language::English;

    directory.write("StringTable.txt", bytes);
    directory.write("QuarnSoft.prm", quarn::app::settingsText(first));

    quarn::testing::SensorSession session(directory.str());
    session.start(false);
    const Expected atStart = Parse(bytes, first);
    CheckOutcome(session, atStart, 0);
    if (session.app.ended()) {
        return 0;
    }

    auto& form = session.app.startWindow();
    if (second == Language::English) {
        form.englishMenuItem.click();
    } else {
        form.italianMenuItem.click();
    }
    // Entries the file does not give keep the texts of the first language.
    Expected afterSwitch = Parse(bytes, second);
    if (afterSwitch.valid) {
        afterSwitch.table = atStart.table;
        quarn::app::parseStringTable(bytes, second, afterSwitch.table);
    }
    CheckOutcome(session, afterSwitch, 0);
    if (session.app.ended()) {
        return 0;
    }

    if ((options & 0x02) != 0) {
        quarn::link::DeviceIdentity& identity = session.app.state().identity;
        identity.type = quarn::link::kZelDeviceType;
        identity.serial = "FUZZ000001";
        identity.firmwareVersion = 0x0200;
        session.window.showSensorWindow();
        Expect(session.window.caption() == session.app.state().texts[33],
               "sensor window title not entry 33");
        session.clock.advance(1000);
        session.window.exitMenu.click();
    } else {
        form.exitMenu.click();
    }
    Expect(session.app.ended(), "closing did not end the application");
    return 0;
}
