#pragma once

#include <QColor>

class QEvent;
class QWidget;

// The colour that shows through the unpainted corners of a widget: that of the nearest
// widget behind it that paints its own background. Widgets that cover every pixel of their
// rectangle paint it there themselves, so nothing behind them has to repaint.
QColor QtBackdrop(const QWidget& widget);

// Whether the event changes what such a widget's kept pictures show: its palette, its style,
// its enabled state or what lies behind it.
bool QtChangesKeptPictures(const QEvent& event);
