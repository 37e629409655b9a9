#pragma once

#include <QPixmap>

// The program's logo, drawn here: a borehole with a breakthrough curve rising out of it.
QPixmap dessine_logo(int taille);
