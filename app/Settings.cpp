#include "app/Settings.h"

#include "app/ApplicationFiles.h"
#include "app/ShellConstants.h"
#include "app/TextLines.h"

namespace quarn::app {

namespace {

// A real settings file is a few dozen bytes; nothing past this is examined.
constexpr std::size_t kSettingsReadLimit = std::size_t{64} * 1024;

}  // namespace

Language settingsFromText(std::string_view bytes) {
    const auto header = takeLine(bytes);
    if (!header || firstField(*header) != kSettingsHeader) {
        return Language::English;
    }
    const auto languageLine = takeLine(bytes);
    if (!languageLine) {
        return Language::Italian;
    }
    const auto line = roundedInt16(firstField(*languageLine));
    return line ? languageAtLine(*line) : Language::Italian;
}

std::string settingsText(Language language) {
    std::string text;
    text += '"';
    text += kSettingsHeader;
    text += "\"\r\n";
    text += std::to_string(lineOf(language));
    text += "\r\n";
    return text;
}

Language loadSettings(const std::string& directory) {
    const auto bytes =
        readFileBytes(applicationFilePath(directory, kSettingsFileName), kSettingsReadLimit);
    if (!bytes) {
        return Language::English;
    }
    return settingsFromText(*bytes);
}

void saveSettings(const std::string& directory, Language language) {
    // A failure leaves the previous file as it was; the caller carries on.
    static_cast<void>(
        replaceFile(applicationFilePath(directory, kSettingsFileName), settingsText(language)));
}

}  // namespace quarn::app
