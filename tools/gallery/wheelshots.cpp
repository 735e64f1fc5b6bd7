#include "tools/gallery/gallery.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/selectiontypes.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/colorwheelwidget.h"
#include "ui/themeimage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>

namespace Gallery {

namespace {

const QPoint kWheelPlace(44, 120);
const QString kWheelPictureKey = QStringLiteral("image.widget.color.wheel.background");
constexpr int kDemoSegments = 24;

// The demo decks all run clockwise, so the counter-clockwise wheel is a small collection of
// its own, written beside the demo file for the one shot and removed again afterwards.
const QUuid kCounterClockwise(QStringLiteral("{5EED0C0C-0000-4000-8000-0000000000CC}"));
constexpr qint64 kCounterClockwiseId = 90;
constexpr int kCounterClockwiseOrder = 90;
const QString kCounterClockwiseFile = QStringLiteral("gallery-counterclockwise.db");

void makeCurrent(const QUuid &collection, int segment)
{
    Corvo::Preferences::setUuidOfLastUsedCollection(collection);
    Corvo::CollectionSettings::setCurrentCollection(collection);
    Corvo::Preferences::setSegmentIndex(collection, segment);
}

QImage shootWheel(Stage &stage, const QUuid &collection, int segment, bool focused = false)
{
    makeCurrent(collection, segment);
    return stage.shoot(new Corvo::ColorWheelWidget, kWheelPlace,
                       Tintwell::DemoDeck::mainCollectionUuid(), focused);
}

// The demo's clockwise picture mirrored about the wheel's vertical axis (x = 60): segment i
// then lies at 90 + (i - 1) * 15 degrees, where a counter-clockwise wheel puts it.
QByteArray mirroredWheelPicture()
{
    const QImage demo =
        Corvo::themeImage(Tintwell::DemoDeck::mainCollectionUuid(), kWheelPictureKey);
    if (demo.isNull())
        return {};
    QImage mirrored(demo.size(), QImage::Format_ARGB32_Premultiplied);
    mirrored.fill(Qt::transparent);
    {
        QPainter painter(&mirrored);
        // The wheel's centre in the picture's own pixels, whatever its resolution.
        const qreal axis = Corvo::ColorWheelLayout::kCentre.x() * demo.width() /
                           Corvo::ColorWheelLayout::kSize.width();
        painter.drawImage(QPointF(2.0 * axis - demo.width(), 0.0), demo.mirrored(true, false));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    mirrored.save(&buffer, "PNG");
    return png;
}

bool writeCounterClockwiseCollection(const QString &path)
{
    const QByteArray picture = mirroredWheelPicture();
    Tintwell::CollectionFileWriter writer;
    Tintwell::CollectionFields fields;
    fields.id = kCounterClockwiseId;
    fields.uuid = kCounterClockwise;
    fields.systemId = QStringLiteral("VELMORA-CCW");
    fields.name = QStringLiteral("Velmora counter-clockwise");
    fields.order = kCounterClockwiseOrder;
    const qint64 id = kCounterClockwiseId;
    bool ok =
        !picture.isEmpty() && writer.create(path) && writer.beginTransaction() &&
        writer.addCollection(fields) &&
        writer.addSetting(id, QStringLiteral("collection.enabled"), QStringLiteral("1")) &&
        writer.addSetting(id, QStringLiteral("num.of.segments"), QString::number(kDemoSegments)) &&
        writer.addSetting(id, QStringLiteral("first.segment.angle"), QStringLiteral("90")) &&
        writer.addSetting(id, QStringLiteral("segment.increment.orientation"),
                          QStringLiteral("CCW")) &&
        writer.addThemeItem(id, kWheelPictureKey, picture);
    for (int segment = 1; segment <= kDemoSegments && ok; ++segment) {
        Tintwell::PageFields page;
        page.pageIndex = segment;
        page.segment = segment;
        page.mood = Corvo::MoodFresh;
        ok = writer.addPage(id, page).has_value();
    }
    ok = ok && writer.commit();
    return writer.close() && ok;
}

// The extra file must join the catalogue without pushing the demo collections out.
bool catalogueHoldsAll()
{
    const QList<QUuid> offered = Corvo::DB::orderedCollections();
    return offered.contains(Tintwell::DemoDeck::mainCollectionUuid()) &&
           offered.contains(Tintwell::DemoDeck::lustrelCollectionUuid()) &&
           offered.contains(kCounterClockwise);
}

QImage shootCounterClockwise(Stage &stage, int segment)
{
    const QString path =
        QDir(Corvo::DB::dataFolder())
            .filePath(QStringLiteral("Contents/Resources/") + kCounterClockwiseFile);
    QImage shot;
    if (!writeCounterClockwiseCollection(path)) {
        stage.fail(QStringLiteral("the counter-clockwise collection could not be written"));
    } else {
        Corvo::DB::loadCatalogue(Corvo::DB::catalogue(), false);
        if (!catalogueHoldsAll())
            stage.fail(QStringLiteral("the catalogue lost a collection to the extra file"));
        shot = shootWheel(stage, kCounterClockwise, segment);
    }
    // The later shots see the demo file set as it was.
    QFile::remove(path);
    Corvo::DB::loadCatalogue(Corvo::DB::catalogue(), true);
    makeCurrent(Tintwell::DemoDeck::mainCollectionUuid(), 1);
    return shot;
}

} // namespace

QList<Shot> wheelShots()
{
    const QUuid demo = Tintwell::DemoDeck::mainCollectionUuid();
    return {
        {QStringLiteral("colorwheel-segment-1"),
         [demo](Stage &stage) { return shootWheel(stage, demo, 1); }},
        {QStringLiteral("colorwheel-segment-10"),
         [demo](Stage &stage) { return shootWheel(stage, demo, 10); }},
        {QStringLiteral("colorwheel-clockwise-segment-4"),
         [demo](Stage &stage) { return shootWheel(stage, demo, 4); }},
        // Reached with the Tab key: the ring says where the arrow keys act.
        {QStringLiteral("colorwheel-focused"),
         [demo](Stage &stage) { return shootWheel(stage, demo, 7, true); }},
        {QStringLiteral("colorwheel-counterclockwise-segment-4"),
         [](Stage &stage) { return shootCounterClockwise(stage, 4); }},
    };
}

} // namespace Gallery
