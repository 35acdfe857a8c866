#pragma once

#include <QColor>

class QWidget;

// The colour that shows through the unpainted corners of a widget: that of the nearest
// widget behind it that paints its own background. Widgets that cover every pixel of their
// rectangle paint it there themselves, so nothing behind them has to repaint.
QColor QtBackdrop(const QWidget& widget);
