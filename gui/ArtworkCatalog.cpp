#include "gui/ArtworkCatalog.h"

#include "app/AboutWindow.h"
#include "app/StartWindow.h"
#include "gui/Artwork.h"

namespace quarn::gui {

QImage artworkFor(const std::string& resource) {
    if (resource == app::kStartPictureResource) {
        return drawStartPicture();
    }
    if (resource == app::kAboutLogoResource) {
        return drawMakerLogo(QStringLiteral("QUARN"));
    }
    return QImage();
}

}  // namespace quarn::gui
