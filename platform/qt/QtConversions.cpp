#include "platform/qt/QtConversions.h"

#include <QFile>
#include <cmath>

namespace quarn::qt {

QString toQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toStdString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::filesystem::path toFilesystemPath(const QString& fileName) {
#ifdef _WIN32
    return std::filesystem::path(fileName.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
#endif
}

QString toDisplayText(const std::string& utf8) {
    QString text = toQString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QColor toQColor(Rgb color) {
    return QColor(color.r, color.g, color.b);
}

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect twipsToPixels(const TwipsRect& rect) {
    return QRect(twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width),
                 twipsToPixels(rect.height));
}

void installFontSubstitutions() {
    // Metric-compatible free fonts first; fontconfig picks something sensible
    // when none of them is installed.
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono"),
                                                               QStringLiteral("DejaVu Sans Mono")});
}

QFont toQFont(const FontSpec& design) {
    QFont font(toQString(design.family));
    if (design.points > 0) {
        font.setPointSizeF(design.points);
    }
    font.setBold(design.bold);
    font.setItalic(design.italic);
    return font;
}

}  // namespace quarn::qt
