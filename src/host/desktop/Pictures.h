// The pictures the forms name (the wait message, the grid's sort arrows), drawn here so the
// host ships no image files.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <string>

namespace desktop {

// The picture of that name at its design size; a null pixmap for no name. A name nobody draws
// is reported on standard error (once) and drawn as a box showing the name.
QPixmap NamedPicture(const std::string& name);

// The application's window icon: a paw on the menu bar's blue.
QIcon ApplicationIcon();

} // namespace desktop
