// Main thread only.
#pragma once

#include <QString>

class QWindow;

namespace bindwell {

// The first visible top-level window, in the application's window order, whose
// title equals `title` exactly (case-sensitive, whole title); nullptr if none.
// Hidden windows do not count: a closed window is not brought back by a lookup.
[[nodiscard]] QWindow* findWindowTitled(const QString& title);

// Linux has no application-wide activation; raising the window and asking the
// window manager for focus is the closest equivalent.
void bringToFront(QWindow& window);

} // namespace bindwell
