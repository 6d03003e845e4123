#pragma once
// The pictures that the windows' image controls name by resource.

#include <QImage>
#include <string>

namespace quarn::gui {

// The picture for an image control's resource name; a null image for a
// name nobody drew.
QImage artworkFor(const std::string& resource);

}  // namespace quarn::gui
