#pragma once
// Conversions between the control models' plain types and Qt's: texts,
// colours, fonts and twips geometry (15 twips per device-independent pixel;
// Qt scales device-independent pixels on high-density screens).

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <filesystem>
#include <string>

#include "platform/controls/Control.h"

namespace quarn::qt {

QString toQString(const std::string& utf8);
std::string toStdString(const QString& text);
// A file name from the command line, as the file system spells it.
std::filesystem::path toFilesystemPath(const QString& fileName);

// Window texts separate their lines with CR LF; Qt widgets want a plain LF.
QString toDisplayText(const std::string& utf8);

QColor toQColor(Rgb color);

int twipsToPixels(int twips);
QRect twipsToPixels(const TwipsRect& rect);

// Maps the fonts the windows were designed with to fonts of the same
// metrics found on a Linux desktop. Called once, after the application
// object exists and before the first window is built.
void installFontSubstitutions();

QFont toQFont(const FontSpec& design);

}  // namespace quarn::qt
