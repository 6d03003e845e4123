#pragma once
// The program's pictures, drawn in code so that nothing but the executable
// and the string table has to be delivered: the start window's radar-wave
// picture, the maker's logo in the About window and the window icon.

#include <QIcon>
#include <QImage>
#include <QString>

namespace quarn::gui {

// 474 x 173 pixels: pale radar waves spreading from a sensor, light enough
// for the start window's labels to stay readable on top of it.
QImage drawStartPicture();

// 197 x 64 pixels: the maker's logo with the given name.
QImage drawMakerLogo(const QString& name);

// 16 x 16 pixels (with a 32 x 32 rendering for dense screens).
QIcon drawWindowIcon();

}  // namespace quarn::gui
