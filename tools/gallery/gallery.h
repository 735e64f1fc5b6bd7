#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <functional>

class QWidget;

// The widget gallery: every widget of the picker rendered on the demo data, in the states
// worth looking at, to PNG files.
namespace Gallery {

// Renders widgets over the collection's main background, as they sit in the picker.
class Stage
{
public:
    // Shows the widget with its top-left at `where` in the 800 x 600 main widget, over the
    // background and with a small margin of it around, lets it paint and grabs the whole.
    // The stage takes the widget. A widget that draws nothing over the background is
    // recorded as a failure (and still returned, so that it can be looked at). With
    // `focused` the widget has the keyboard focus.
    QImage shoot(QWidget *widget, const QPoint &where, const QUuid &collection,
                 bool focused = false);
    // Shows a top-level window at its own size, lets it paint and grabs it. The stage
    // takes the window.
    QImage shootWindow(QWidget *window);
    // Records a failure of a shot that checks something of its own.
    void fail(const QString &why) { m_failures.append(why); }
    QStringList failures() const { return m_failures; }

private:
    QStringList m_failures;
};

struct Shot
{
    QString name;
    std::function<QImage(Stage &)> render;
};

// The system ID of the collection the gallery imports from the spreadsheet example.
inline QString importedSystemId()
{
    return QStringLiteral("HARBOUR");
}

// Each widget family adds its shots in a file of its own.
QList<Shot> buttonShots();
QList<Shot> rollerShots();
QList<Shot> wheelShots();
QList<Shot> moodShots();
QList<Shot> searchShots();
QList<Shot> tabBarShots();
QList<Shot> schemerShots();
QList<Shot> tabPageShots();
QList<Shot> paletteShots();
QList<Shot> selectorShots();
QList<Shot> windowShots();
QList<Shot> projectColourShots();

} // namespace Gallery
