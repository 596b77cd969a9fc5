// The title picture shown by the splash window and the about box, drawn from
// the program's own artwork.
#pragma once

#include <QPixmap>

// Null when the artwork cannot be loaded.
QPixmap TitlePicture();
