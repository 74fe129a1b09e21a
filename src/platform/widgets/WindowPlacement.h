#pragma once
// Placing and moving top-level windows: centring on the screen, dragging by the background, and
// the flags of a titled, closable window without minimize or maximize.

#include <QWidget>

namespace platform {

inline constexpr Qt::WindowFlags fixedTitledClosableWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Centres the window on the screen it is on (the primary screen before it is shown).
void centerWindow(QWidget* window);

// A press of the left button that reaches the window itself, because no control under the
// pointer took it, starts a move of the window by the window system.
void setMovableByWindowBackground(QWidget* window, bool movable);
bool isMovableByWindowBackground(const QWidget* window);

} // namespace platform
