#pragma once
// String-table texts with numbered places for values: "%1", "%2" ... "%9"
// stand where each language puts the value, so a translation may reorder
// them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace quarn::workbench {

// The text with each "%n" replaced by the n-th value (from 1). A place
// without a value, and a "%" not followed by a digit, stay as written; a
// value is never searched for places itself.
std::string withValues(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace quarn::workbench
