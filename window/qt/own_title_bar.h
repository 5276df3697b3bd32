#pragma once

// A title bar drawn by the program itself, for desktops that leave the window's
// frame to it. On Wayland the compositor either draws the frame (and no
// protocol lets a client say which buttons that frame shows) or leaves it to
// the client, where Qt 6.4 draws one with minimise and maximise whatever the
// window asks for. So on Wayland the window wears this bar: its icon, its
// title and a close box, nothing that resizes or minimises it.

#include <QString>

class QWidget;

namespace aurisplot {

// The platform names under which the window wears its own title bar: Qt's
// Wayland platforms ("wayland", "wayland-egl").
[[nodiscard]] bool wantsOwnTitleBar(const QString& platformName);

// Puts the bar above the window's contents, before the window is first shown.
// The window is a fixed-size top-level whose children are placed by hand; it
// loses the platform's frame and grows by the bar's height, every child moving
// down by as much. Returns the bar, which the window owns.
QWidget* addOwnTitleBar(QWidget& window);

}  // namespace aurisplot
