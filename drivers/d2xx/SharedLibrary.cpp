#include "drivers/d2xx/SharedLibrary.h"

#include <algorithm>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quarn::d2xx {

namespace {
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}
}  // namespace

#if defined(_WIN32)

SharedLibrary::SharedLibrary(const std::string& fileName) {
    HMODULE module = LoadLibraryA(fileName.c_str());
    if (module == nullptr) {
        openError_ =
            oneLine("cannot load " + fileName + " (error " + std::to_string(GetLastError()) + ")");
        return;
    }
    handle_ = reinterpret_cast<void*>(module);
}

SharedLibrary::~SharedLibrary() {
    if (handle_ != nullptr) {
        FreeLibrary(reinterpret_cast<HMODULE>(handle_));
    }
}

SharedLibrary::Function SharedLibrary::function(const char* name) const {
    if (handle_ == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name));
}

#else

SharedLibrary::SharedLibrary(const std::string& fileName) {
    handle_ = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        openError_ = oneLine(reason != nullptr ? reason : "cannot load " + fileName);
    }
}

SharedLibrary::~SharedLibrary() {
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
}

SharedLibrary::Function SharedLibrary::function(const char* name) const {
    if (handle_ == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(dlsym(handle_, name));
}

#endif

}  // namespace quarn::d2xx
