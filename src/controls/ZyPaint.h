#pragma once
// Drawing helpers shared by the maker's controls: Windows-style rectangles (right and bottom
// exclusive) and the banded gradient fill.
#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

enum class GradientDirection { TopToBottom, BottomToTop, LeftToRight, RightToLeft };

namespace zypaint {
constexpr int kGradientBands = 50;

// Rectangle given by its edges, right and bottom not included.
inline QRect edges(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

// One-pixel frame along the inside of r.
void frameRect(QPainter& p, const QRect& r, const QColor& color);

// r filled with `bands` equal bands, the first in `start`, the last in `end`.
void fillGradient(QPainter& p, const QRect& r, const QColor& start, const QColor& end, GradientDirection dir,
                  int bands = kGradientBands);

// The caption without its mnemonic marks ("&&" stays one "&").
QString stripMnemonics(const QString& caption);
// The caption with only its first "&" removed, as menu captions are shown.
QString removeFirstAmpersand(const QString& caption);

// The picture with its transparent part replaced by `background`: the alpha channel when it
// has one, else the colour of its bottom-left pixel.
QPixmap withBackground(const QPixmap& picture, const QColor& background);
// The picture's shape (its non-transparent pixels) in one colour.
QPixmap silhouette(const QPixmap& picture, const QColor& color);
} // namespace zypaint
