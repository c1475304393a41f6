#pragma once

#include <QPixmap>

// The program's picture: a house with the fan in its door, `side` pixels square.
QPixmap housePicture(int side);
