// The title picture shown by the splash window and the about box, drawn from
// the program's own artwork.
#pragma once

#include <QPixmap>

// At its own size (360 x 200), or scaled to `width` pixels across. Null
// when the artwork cannot be loaded.
QPixmap TitlePicture(int width = 0);
