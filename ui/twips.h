#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Window layouts are kept in twips (1/1,440 inch), the unit their
// measurements were first made in, and converted here, and only here, at
// the screen's logical resolution: 15 twips make a pixel at 96 dpi.
struct Twips
{
    int left;
    int top;
    int width;
    int height;
};

int twipsToPixels(int twips, const QWidget *onScreen);
QRect twipsToPixels(const Twips &t, const QWidget *onScreen);
QSize twipsToPixels(int width, int height, const QWidget *onScreen);
