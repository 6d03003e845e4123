#include "app/Settings.h"

#include "app/AppFiles.h"
#include "app/ShellConstants.h"
#include "app/TextFields.h"

namespace quarn::app {

namespace {

// A real settings file is a few dozen bytes; nothing past this is examined.
constexpr std::size_t kSettingsReadLimit = std::size_t{64} * 1024;

}  // namespace

std::int16_t settingsFromText(std::string_view bytes) {
    const auto header = takeLine(bytes);
    if (!header || firstField(*header) != kSettingsHeader) {
        return kLanguageEnglish;
    }
    const auto languageLine = takeLine(bytes);
    if (!languageLine) {
        return kLanguageItalian;
    }
    return roundedInt16(firstField(*languageLine)).value_or(kLanguageItalian);
}

std::string settingsText(std::int16_t selLanguage) {
    std::string text;
    text += '"';
    text += kSettingsHeader;
    text += "\"\r\n";
    text += std::to_string(selLanguage);
    text += "\r\n";
    return text;
}

std::int16_t loadSettings(const std::string& directory) {
    const auto bytes = readFileBytes(appFilePath(directory, kSettingsFileName), kSettingsReadLimit);
    if (!bytes) {
        return kLanguageEnglish;
    }
    return settingsFromText(*bytes);
}

void saveSettings(const std::string& directory, std::int16_t selLanguage) {
    // A failure leaves the previous file as it was; the caller carries on.
    static_cast<void>(
        replaceFile(appFilePath(directory, kSettingsFileName), settingsText(selLanguage)));
}

}  // namespace quarn::app
