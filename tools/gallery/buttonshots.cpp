#include "tools/gallery/gallery.h"

#include "engine/db/collectionlookups.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/aboutbutton.h"
#include "ui/helpbutton.h"
#include "ui/imagebutton.h"
#include "ui/rollbutton.h"
#include "ui/taskbutton.h"
#include "ui/themeimage.h"
#include "ui/velmoracustomstyle.h"

#include <QPainter>
#include <QScrollBar>
#include <QSlider>

namespace Gallery {

namespace {

using namespace Corvo;

// The task row under the palette panel, 4 px between the buttons; the round buttons are
// squares 1 px inside the row.
constexpr QPoint kTaskRowPlace(247, 559);
constexpr QSize kTaskRowSize(541, 22);
constexpr int kTaskGap = 4;
// The roll buttons at the right end of the search bar.
constexpr QPoint kRollPlace(166, 559);
constexpr int kRollGap = 2;
// The Capsure button at the right end of the collection selector.
constexpr QPoint kCapsurePlace(214, 76);
constexpr QSize kCapsureSize(20, 20);
// The full palette's strip with its slider.
constexpr QPoint kSliderStripPlace(500, 0);
constexpr QSize kSliderStripSize(300, 30);
constexpr int kSliderWidth = 256;
constexpr int kStripMargin = 7;
constexpr QSize kSliderImageSize(21, 7);
// A list's scroll bar at the right edge of the views under the tab bar.
constexpr QPoint kScrollBarPlace(776, 112);
constexpr QSize kScrollBarSize(14, 200);

enum class TaskState { Normal, Focused, Pressed, Disabled };

QUuid mainCollection()
{
    return Tintwell::DemoDeck::mainCollectionUuid();
}

QImage shootTaskRow(Stage &stage, TaskState state)
{
    const QUuid collection = mainCollection();
    Preferences::setUuidOfLastUsedCollection(collection);
    auto *row = new QWidget;
    row->resize(kTaskRowSize);
    auto *save = new TaskButton(
        DB::localizedString(collection, QStringLiteral("mypalette.palette.save")), row);
    auto *load = new TaskButton(
        DB::localizedString(collection, QStringLiteral("mypalette.palette.load")), row);
    auto *help = new HelpButton(row);
    auto *about = new AboutButton(row);
    const int height = kTaskRowSize.height();
    const int square = height - 2;
    const int taskWidth = (kTaskRowSize.width() - 2 * (height + kTaskGap) - kTaskGap) / 2;
    save->setGeometry(0, 0, taskWidth, height);
    load->setGeometry(taskWidth + kTaskGap, 0, taskWidth, height);
    const int roundStart = 2 * (taskWidth + kTaskGap);
    help->setGeometry(roundStart + 1, 1, square, square);
    about->setGeometry(roundStart + height + kTaskGap + 1, 1, square, square);
    switch (state) {
    case TaskState::Normal:
        break;
    case TaskState::Focused:
        row->setFocusProxy(load);
        break;
    case TaskState::Pressed:
        save->setDown(true);
        help->setDown(true);
        break;
    case TaskState::Disabled:
        // As with an empty palette: nothing to save.
        save->setEnabled(false);
        break;
    }
    return stage.shoot(row, kTaskRowPlace, collection, state == TaskState::Focused);
}

QImage shootRollButtons(Stage &stage, bool forwardDown)
{
    const QUuid collection = mainCollection();
    Preferences::setUuidOfLastUsedCollection(collection);
    auto *pair = new QWidget;
    auto *backward = new RollButton(Backward, pair);
    auto *forward = new RollButton(Forward, pair);
    forward->move(backward->width() + kRollGap, 0);
    forward->setDown(forwardDown);
    pair->resize(forward->geometry().right() + 1, forward->height());
    return stage.shoot(pair, kRollPlace, collection);
}

QPixmap capsureImage(qreal ratio)
{
    return themePixmap(mainCollection(), QStringLiteral("image.capsure.button.normal"),
                       QSize(16, 16), ratio);
}

enum class ImageState { Plain, Checked, Disabled };

QImage shootCapsureButton(Stage &stage, ImageState state)
{
    auto *button = new ImageButton;
    button->setImage(capsureImage(button->devicePixelRatioF()));
    button->resize(kCapsureSize);
    button->setCheckable(state == ImageState::Checked);
    button->setChecked(state == ImageState::Checked);
    button->setEnabled(state != ImageState::Disabled);
    return stage.shoot(button, kCapsurePlace, mainCollection());
}

// A strip of the bar image, tiled, as the full palette draws it behind its slider.
class BarStrip : public QWidget
{
public:
    explicit BarStrip(const QSize &size)
        : m_bar(themePixmap(mainCollection(), QStringLiteral("image.widget.bar.background"),
                            QSize(size.height(), size.height()), devicePixelRatioF()))
    {
        resize(size);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawTiledPixmap(rect(), m_bar);
    }

private:
    QPixmap m_bar;
};

QImage shootSlider(Stage &stage)
{
    auto *strip = new BarStrip(kSliderStripSize);
    const qreal ratio = strip->devicePixelRatioF();
    const auto image = [ratio](const char *key) {
        return themePixmap(mainCollection(), QString::fromLatin1(key), kSliderImageSize, ratio);
    };
    VelmoraCustomStyle *style = VelmoraCustomStyle::instance();
    style->setSliderImages({image("image.mypalettefull.slider.background"),
                            image("image.mypalettefull.slider.background.mask"),
                            image("image.mypalettefull.slider.thumb")});
    auto *slider = new QSlider(Qt::Horizontal, strip);
    slider->setStyle(style);
    slider->setRange(0, 255);
    slider->setInvertedAppearance(true);
    slider->setPageStep(10);
    slider->setValue(176);
    const int height = slider->sizeHint().height();
    slider->setGeometry(kSliderStripSize.width() - kStripMargin - kSliderWidth,
                        (kSliderStripSize.height() - height) / 2, kSliderWidth, height);
    return stage.shoot(strip, kSliderStripPlace, mainCollection());
}

QImage shootScrollBar(Stage &stage, int maximum)
{
    auto *bar = new QScrollBar(Qt::Vertical);
    bar->setStyle(VelmoraCustomStyle::instance());
    bar->setRange(0, maximum);
    bar->setPageStep(100);
    bar->setValue(maximum / 3);
    bar->resize(kScrollBarSize);
    return stage.shoot(bar, kScrollBarPlace, mainCollection());
}

} // namespace

QList<Shot> buttonShots()
{
    return {
        {QStringLiteral("taskrow-normal"),
         [](Stage &stage) { return shootTaskRow(stage, TaskState::Normal); }},
        {QStringLiteral("taskrow-focused"),
         [](Stage &stage) { return shootTaskRow(stage, TaskState::Focused); }},
        {QStringLiteral("taskrow-pressed"),
         [](Stage &stage) { return shootTaskRow(stage, TaskState::Pressed); }},
        {QStringLiteral("taskrow-save-disabled"),
         [](Stage &stage) { return shootTaskRow(stage, TaskState::Disabled); }},
        {QStringLiteral("rollbuttons-normal"),
         [](Stage &stage) { return shootRollButtons(stage, false); }},
        {QStringLiteral("rollbuttons-forward-down"),
         [](Stage &stage) { return shootRollButtons(stage, true); }},
        {QStringLiteral("imagebutton-capsure"),
         [](Stage &stage) { return shootCapsureButton(stage, ImageState::Plain); }},
        {QStringLiteral("imagebutton-capsure-checked"),
         [](Stage &stage) { return shootCapsureButton(stage, ImageState::Checked); }},
        {QStringLiteral("imagebutton-capsure-disabled"),
         [](Stage &stage) { return shootCapsureButton(stage, ImageState::Disabled); }},
        {QStringLiteral("slider-full-palette-background"),
         [](Stage &stage) { return shootSlider(stage); }},
        {QStringLiteral("scrollbar"), [](Stage &stage) { return shootScrollBar(stage, 300); }},
        {QStringLiteral("scrollbar-nothing-to-scroll"),
         [](Stage &stage) { return shootScrollBar(stage, 0); }},
    };
}

} // namespace Gallery
