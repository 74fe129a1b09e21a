#pragma once
// Placing and moving top-level windows: centring on the screen, keeping inside it, dragging by
// the background, and the flags of a titled, closable window without minimize or maximize.

#include <QWidget>

namespace platform {

inline constexpr Qt::WindowFlags fixedTitledClosableWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Centres the window on the screen it is on (the primary screen before it is shown), inside
// that screen's available area.
void centerWindow(QWidget* window);

// Moves the window as little as needed for its frame to lie inside the available area of its
// screen: left and up when it reaches past the right or bottom edge, right and down when past
// the left or top one. A frame larger than the area keeps its top-left corner in the area.
void moveInsideScreen(QWidget* window);

// Moves the window inside its screen's available area once more when it is first exposed, when
// the frame that the window system puts around it is known: placed before it is shown, a
// window is kept inside as if it had no frame. Call after showing it.
void moveInsideScreenWhenFramed(QWidget* window);

// A press of the left button that reaches the window itself, because no control under the
// pointer took it, starts a move of the window by the window system.
void setMovableByWindowBackground(QWidget* window, bool movable);
bool isMovableByWindowBackground(const QWidget* window);

} // namespace platform
