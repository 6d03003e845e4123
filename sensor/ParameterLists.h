#pragma once
// The sensor window's parameter lists, one for each row of the parameter
// table.

#include <array>

#include "platform/controls/ComboList.h"
#include "sensor/ParameterTable.h"

namespace quarn::sensor {

class ParameterLists {
  public:
    explicit ParameterLists(const std::array<quarn::ComboList*, kParameterCount>& lists)
        : lists_(lists) {}

    quarn::ComboList& operator[](Parameter parameter) const { return *lists_[indexOf(parameter)]; }

  private:
    std::array<quarn::ComboList*, kParameterCount> lists_;
};

}  // namespace quarn::sensor
