#include "app/Settings.h"

#include "app/AppFiles.h"
#include "app/ShellConstants.h"
#include "app/TextFields.h"

namespace quarn::app {

namespace {

// A real settings file is a few dozen bytes; nothing past this is examined.
constexpr std::size_t kSettingsReadLimit = std::size_t{64} * 1024;

}  // namespace

std::int16_t SettingsFromText(std::string_view bytes) {
    const auto header = TakeLine(bytes);
    if (!header || FirstField(*header) != kSettingsHeader) {
        return kLanguageEnglish;
    }
    const auto languageLine = TakeLine(bytes);
    if (!languageLine) {
        return kLanguageItalian;
    }
    return RoundedInt16(FirstField(*languageLine)).value_or(kLanguageItalian);
}

std::string SettingsText(std::int16_t selLanguage) {
    std::string text;
    text += '"';
    text += kSettingsHeader;
    text += "\"\r\n";
    text += std::to_string(selLanguage);
    text += "\r\n";
    return text;
}

std::int16_t LoadSettings(const std::string& directory) {
    const auto bytes = ReadFileBytes(AppFilePath(directory, kSettingsFileName), kSettingsReadLimit);
    if (!bytes) {
        return kLanguageEnglish;
    }
    return SettingsFromText(*bytes);
}

void SaveSettings(const std::string& directory, std::int16_t selLanguage) {
    // A failure leaves the previous file as it was; the caller carries on.
    static_cast<void>(
        ReplaceFile(AppFilePath(directory, kSettingsFileName), SettingsText(selLanguage)));
}

}  // namespace quarn::app
