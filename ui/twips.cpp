#include "ui/twips.h"

#include <QWidget>

#include <cmath>

int twipsToPixels(int twips, const QWidget *onScreen)
{
    return int(std::lround(twips * onScreen->logicalDpiX() / 1440.0));
}

QRect twipsToPixels(const Twips &t, const QWidget *onScreen)
{
    return {twipsToPixels(t.left, onScreen), twipsToPixels(t.top, onScreen),
            twipsToPixels(t.width, onScreen), twipsToPixels(t.height, onScreen)};
}

QSize twipsToPixels(int width, int height, const QWidget *onScreen)
{
    return {twipsToPixels(width, onScreen), twipsToPixels(height, onScreen)};
}
