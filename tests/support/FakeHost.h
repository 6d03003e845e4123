#pragma once
// A HostServices for tests: fixed folders, version and time of day, folders
// that count as read-only whoever runs the test, and a record of the
// message boxes shown and of the request to quit.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/HostServices.h"

namespace quarn::testing {

class FakeHost : public HostServices {
  public:
    struct Message {
        std::string title;
        std::string text;
    };

    std::string directory = ".";
    std::string installedData;  // none unless a test gives one
    std::string userConfig;     // none unless a test gives one
    std::vector<std::string> readOnlyFolders;
    AppVersion appVersion{1, 0, 0};
    std::string time = "12:34:56";
    std::string separator = ".";
    std::vector<Message> messages;
    int quitRequests = 0;

    std::string applicationDirectory() const override { return directory; }
    std::string installedDataDirectory() const override { return installedData; }
    std::string userConfigDirectory() const override { return userConfig; }
    bool directoryWritable(const std::string& folder) const override {
        return std::find(readOnlyFolders.begin(), readOnlyFolders.end(), folder) ==
                   readOnlyFolders.end() &&
               HostServices::directoryWritable(folder);
    }
    AppVersion version() const override { return appVersion; }
    std::string timeOfDay() const override { return time; }
    std::string decimalSeparator() const override { return separator; }
    void showCriticalMessage(const std::string& title, const std::string& text) override {
        messages.push_back({title, text});
    }
    void quitApplication() override { ++quitRequests; }
};

}  // namespace quarn::testing
