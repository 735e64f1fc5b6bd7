#include "tools/gallery/gallery.h"

#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/moodselectwidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace Gallery {

namespace {

constexpr QPoint kWhere(20, 252);

struct MoodSelection
{
    QUuid collection;
    int mood = Corvo::MoodAll;
    bool exterior = false;
    bool showMto = false;
    // Arrow-key presses after the widget got the focus by Tab; none leaves it unfocused.
    int keySteps = -1;
};

// Takes the keyboard focus once on screen and walks the items, as a keyboard user would.
class KeyboardMoodWidget : public Corvo::MoodSelectWidget
{
public:
    explicit KeyboardMoodWidget(int steps) : m_steps(steps) {}

protected:
    void showEvent(QShowEvent *event) override
    {
        MoodSelectWidget::showEvent(event);
        if (m_steps >= 0)
            QTimer::singleShot(0, this, [this] { walk(); });
    }

private:
    void walk()
    {
        setFocus(Qt::TabFocusReason);
        for (; m_steps > 0; --m_steps) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(this, &press);
        }
        m_steps = -1;
    }

    int m_steps;
};

QImage shootMoods(Stage &stage, const MoodSelection &selection)
{
    Corvo::Preferences::setUuidOfLastUsedCollection(selection.collection);
    Corvo::CollectionSettings::setCurrentCollection(selection.collection);
    Corvo::Preferences::setMoodFilter(selection.collection, selection.mood);
    Corvo::Preferences::setExteriorColors(selection.collection, selection.exterior);
    Corvo::Preferences::setShowMto(selection.collection, selection.showMto);
    return stage.shoot(new KeyboardMoodWidget(selection.keySteps), kWhere, selection.collection);
}

Shot moodShot(const QString &name, const MoodSelection &selection)
{
    return {name, [selection](Stage &stage) { return shootMoods(stage, selection); }};
}

} // namespace

QList<Shot> moodShots()
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    const QUuid lustrel = Tintwell::DemoDeck::lustrelCollectionUuid();
    return {
        moodShot(QStringLiteral("mood-warm"), {main, Corvo::MoodWarm, false, false}),
        moodShot(QStringLiteral("mood-all-moods"), {main, Corvo::MoodAll, false, false}),
        // The demo deck has no exterior cards of the rich mood: it carries the disabled mark.
        moodShot(QStringLiteral("mood-exterior-calm"), {main, Corvo::MoodCalm, true, false}),
        // From the current mood (calm) one step right: the keyboard skips rich.
        moodShot(QStringLiteral("mood-keyboard-focus"), {main, Corvo::MoodCalm, true, false, 2}),
        moodShot(QStringLiteral("mood-lustrel-hide-mto"), {lustrel, Corvo::MoodAll, false, false}),
        moodShot(QStringLiteral("mood-lustrel-show-mto"), {lustrel, Corvo::MoodAll, false, true}),
    };
}

} // namespace Gallery
