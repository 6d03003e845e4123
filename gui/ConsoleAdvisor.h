#pragma once
// Passes the advice on a programmer that cannot be opened through, and
// prints it on standard error as one line each time it changes, so that a
// technician starting the program from a terminal reads it too.

#include <cstdio>
#include <optional>

#include "platform/AdapterAdvisor.h"

namespace quarn::gui {

class ConsoleAdvisor final : public AdapterAdvisor {
  public:
    // The advisor and the stream must outlive this one.
    ConsoleAdvisor(AdapterAdvisor& inner, std::FILE* stream) : inner_(inner), stream_(stream) {}

    std::optional<AdapterAdvice> adviseOnFailedOpen() override {
        std::optional<AdapterAdvice> advice = inner_.adviseOnFailedOpen();
        const bool changed =
            advice.has_value() != printed_.has_value() ||
            (advice && (advice->problem != printed_->problem || advice->fix != printed_->fix));
        if (changed && advice) {
            std::fprintf(stream_, "quarnsoft: %s Fix: %s\n", advice->problem.c_str(),
                         advice->fix.c_str());
            std::fflush(stream_);
        }
        printed_ = advice;
        return advice;
    }

  private:
    AdapterAdvisor& inner_;
    std::FILE* stream_;
    std::optional<AdapterAdvice> printed_;
};

}  // namespace quarn::gui
