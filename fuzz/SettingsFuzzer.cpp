// Arbitrary bytes as the settings file of a starting application. The
// language the application starts in is the one the file's reader gives, and
// the file written at exit reads back as that same language.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "app/Settings.h"
#include "scenario/sensor/SensorSession.h"

namespace {

using quarn::fuzz::Expect;

quarn::fuzz::ScratchDirectory& Directory() {
    // One application directory for the whole process, made on first use.
    static quarn::fuzz::ScratchDirectory directory;
    return directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const quarn::fuzz::ScratchDirectory& directory = Directory();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!std::filesystem::exists(directory.file("StringTable.txt"))) {
        directory.write("StringTable.txt", quarn::fuzz::WorkingStringTable());
    }
    directory.write("QuarnSoft.prm", bytes);

    const quarn::app::Language expected = quarn::app::settingsFromText(bytes);
    Expect(quarn::app::loadSettings(directory.str()) == expected,
           "reading the file differs from reading its bytes");

    quarn::testing::SensorSession session(directory.str());
    session.start(false);
    // Any language index starts the application; one past the file's
    // languages gives empty texts, never the fatal message.
    Expect(!session.app.ended(), "the settings file ended the application");
    Expect(session.app.state().language == expected, "started in another language");
    session.app.startWindow().exitMenu.click();
    Expect(session.app.ended(), "exit did not end the application");

    const std::string written = directory.read("QuarnSoft.prm");
    Expect(written == quarn::app::settingsText(expected), "the saved file is not the language");
    Expect(quarn::app::settingsFromText(written) == expected, "the saved file reads back wrong");
    Expect(!std::filesystem::exists(directory.file("QuarnSoft.prm.new")),
           "a temporary file left behind");
    return 0;
}
