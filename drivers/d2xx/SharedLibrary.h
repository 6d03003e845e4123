#pragma once
// A shared library opened at run time by file name from the system's normal
// library search path (dlopen on POSIX, LoadLibraryA on Windows), and the
// functions looked up in it by name. Closed when the object goes away.

#include <string>

namespace quarn::d2xx {

class SharedLibrary {
  public:
    // Any function; cast to its real type before calling.
    using Function = void (*)();

    explicit SharedLibrary(const std::string& fileName);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    // Why opening failed, on one line; empty when open.
    const std::string& openError() const { return openError_; }
    // The named function, or null when the library lacks it or is not open.
    Function function(const char* name) const;

  private:
    void* handle_ = nullptr;
    std::string openError_;
};

}  // namespace quarn::d2xx
