#pragma once

#include <QLine>
#include <QList>
#include <QRect>
#include <QSize>

namespace Corvo {

// Where the main widget's children stand, from the widget's size and the sizes the
// children ask for.
struct MainWidgetLayout
{
    static constexpr int kContentTop = 71;
    static constexpr int kSchemerHeight = 226;

    struct TaskButtonSlot
    {
        int key = 0;
        bool square = false; // help and about: squares of the row height less 2
    };

    struct Inputs
    {
        QSize size;
        QSize selector;
        QSize wheel;
        QSize mood; // its size hint
        bool moodVisible = true;
        QSize search;
        QSize leftFooterText; // single-line sizes of the footer texts
        QSize rightFooterText;
        int lineHeight = 0;
        QList<TaskButtonSlot> taskButtons; // in display order
    };

    QRect header;
    QRect leftFooter;
    QRect rightFooter;
    QRect selector;
    QRect wheel;
    QRect mood;
    QRect search;
    QRect roller;
    QRect tabBar;
    QRect schemer; // also the trend, products and textures views
    QRect palette;
    QRect fullPalette;
    QList<QRect> taskButtons; // in the order of the slots
    // The separator from the selector's top-right corner down to the bottom.
    QLine separator;

    static MainWidgetLayout compute(const Inputs &inputs);
};

} // namespace Corvo
