#include "tools/gallery/gallery.h"

#include "engine/capsure/capsureimport.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/capsureselectdialog.h"
#include "ui/collectionselectwidget.h"
#include "ui/dropdownbutton.h"
#include "ui/imagebutton.h"
#include "ui/themeimage.h"

#include <QComboBox>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>

namespace Gallery {

namespace {

using namespace Corvo;

constexpr QPoint kSelectorPlace(0, 71);
// The top of the picker down to below the open list: banner, selector and list.
constexpr QSize kPickerTopSize(800, 300);
constexpr int kBannerHeight = 70;
constexpr QPoint kDialogPlace(240, 200);
constexpr int kDialogWidth = 320;
constexpr int kRedCard = 5;
constexpr int kFirstRedChip = 3;

QUuid mainCollection()
{
    return Tintwell::DemoDeck::mainCollectionUuid();
}

QUuid metallicCollection()
{
    return Tintwell::DemoDeck::lustrelCollectionUuid();
}

void makeCurrent(const QUuid &collection)
{
    Preferences::setUuidOfLastUsedCollection(collection);
    CollectionSettings::setCurrentCollection(collection);
}

// The codes of a card's chips, top to bottom.
QStringList cardCodes(const QUuid &collection, int pageIndex)
{
    DB::ColorPage page;
    QStringList codes;
    if (DB::pageAt(collection, pageIndex, page) != DB::Ok)
        return codes;
    for (const DB::ColorEntry &entry : page.rows)
        codes.append(entry.code);
    return codes;
}

// The chip at that position of a card; a default chip when there is none.
DB::ColorEntry cardChip(const QUuid &collection, int pageIndex, int chipIndex)
{
    DB::ColorPage page;
    if (DB::pageAt(collection, pageIndex, page) != DB::Ok)
        return {};
    return page.rows.value(chipIndex);
}

// sRGB values as a device states them, a little off the chip's: no measurement hits a
// paint exactly.
QByteArray measuredRgb(const DB::ColorEntry &chip)
{
    const auto channel = [](int value, int offset) {
        return QByteArray::number(qBound(0, value + offset, 255));
    };
    return "<cc:ColorValues><cc:ColorSRGB><cc:R>" + channel(chip.red, 5) + "</cc:R><cc:G>" +
           channel(chip.green, -4) + "</cc:G><cc:B>" + channel(chip.blue, 3) +
           "</cc:B></cc:ColorSRGB></cc:ColorValues>";
}

// A measurement naming the colours, each object carrying the measured values, in a file
// that lives as long as the process.
QString measurementFile(const QStringList &names, const QByteArray &values = {})
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Capsure.cxf"));
    QByteArray objects;
    for (const QString &name : names)
        objects += "<cc:Object ObjectType=\"Target\" Name=\"" + name.toUtf8() + "\">" + values +
                   "</cc:Object>";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?><cc:CxF "
                   "xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\"><cc:Resources>"
                   "<cc:ObjectCollection>" +
                   objects + "</cc:ObjectCollection></cc:Resources></cc:CxF>");
    return path;
}

// Holds the selector and, once shown, puts it into the state the shot is about: the list
// opened below the selector in the top of the picker, or the Capsure button at rest at
// full strength (the picture of a pulse would catch it at a random point of its fade).
class PickerTop : public QWidget
{
public:
    enum class State { Closed, ListOpen, MeasurementReady };

    PickerTop(const QUuid &collection, State state) : m_state(state)
    {
        m_selector = new CollectionSelectWidget(this);
        if (state == State::ListOpen) {
            resize(kPickerTopSize);
            m_banner =
                themePixmap(collection, QStringLiteral("image.banner"),
                            QSize(kPickerTopSize.width(), kBannerHeight), devicePixelRatioF());
            m_selector->move(kSelectorPlace);
        } else {
            resize(m_selector->size());
        }
        if (state == State::MeasurementReady)
            m_selector->capsureFileChanged(measurementFile(cardCodes(collection, 1).mid(0, 1)));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_banner.isNull())
            return;
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_banner);
    }

    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        if (m_state == State::ListOpen && m_selector->dropDownButton() &&
            !m_selector->listWidget()->isVisible())
            m_selector->dropDownButton()->click();
        if (m_state == State::MeasurementReady)
            m_selector->capsureButton()->fadeInAnimationStopped();
    }

private:
    State m_state;
    QPixmap m_banner;
    CollectionSelectWidget *m_selector;
};

QImage shootSelector(Stage &stage, const QUuid &collection)
{
    makeCurrent(collection);
    return stage.shoot(new CollectionSelectWidget, kSelectorPlace, collection);
}

QImage shootPickerTop(Stage &stage, PickerTop::State state)
{
    makeCurrent(mainCollection());
    const QPoint where = state == PickerTop::State::ListOpen ? QPoint(0, 0) : kSelectorPlace;
    return stage.shoot(new PickerTop(mainCollection(), state), where, mainCollection());
}

// Two strong reds of the main deck and a metallic, measured near the first red; or a
// measurement whose name no chip carries, answered by the nearest chips.
QImage shootDialog(Stage &stage, bool named, const QString &metallicName = QString())
{
    makeCurrent(mainCollection());
    QStringList names = cardCodes(mainCollection(), kRedCard).mid(kFirstRedChip, 2);
    names += cardCodes(metallicCollection(), 1).mid(0, 1);
    if (!named)
        names = QStringList{QStringLiteral("Sample 0417")};
    const QByteArray values = measuredRgb(cardChip(mainCollection(), kRedCard, kFirstRedChip));
    const QList<CapsureCandidate> candidates = importCapsureFile(measurementFile(names, values));
    const qsizetype expected = named ? 3 : kNearestCapsureChips;
    if (candidates.size() != expected || !candidates.first().deltaE)
        stage.fail(QStringLiteral("the Capsure dialog has %1 candidates, not %2 with differences")
                       .arg(candidates.size())
                       .arg(expected));
    QList<CapsureCandidate> shown = candidates;
    for (CapsureCandidate &candidate : shown) {
        if (!metallicName.isEmpty() && candidate.collection == metallicCollection())
            candidate.collectionName = metallicName;
    }
    auto *dialog = new CapsureSelectDialog(shown);
    // The renamed collection's entry, to show how it gives way.
    if (!metallicName.isEmpty())
        dialog->comboBox()->setCurrentIndex(dialog->comboBox()->count() - 1);
    // Centred over the picker: a long entry widens the dialog.
    const QPoint where(std::max(0, kDialogPlace.x() + (kDialogWidth - dialog->width()) / 2),
                       kDialogPlace.y());
    return stage.shoot(dialog, where, mainCollection());
}

} // namespace

// Collection selector and Capsure dialog.
QList<Shot> selectorShots()
{
    return {
        {QStringLiteral("selector"),
         [](Stage &stage) { return shootSelector(stage, mainCollection()); }},
        {QStringLiteral("selector-metallics"),
         [](Stage &stage) { return shootSelector(stage, metallicCollection()); }},
        {QStringLiteral("selector-list-open"),
         [](Stage &stage) { return shootPickerTop(stage, PickerTop::State::ListOpen); }},
        {QStringLiteral("selector-capsure"),
         [](Stage &stage) { return shootPickerTop(stage, PickerTop::State::MeasurementReady); }},
        {QStringLiteral("capsure-dialog"), [](Stage &stage) { return shootDialog(stage, true); }},
        // A collection name longer than the screen allows: the codes give way to it.
        {QStringLiteral("capsure-dialog-long-name"),
         [](Stage &stage) {
             return shootDialog(stage, true,
                                QStringLiteral("Velmora Heritage Metallics for Interior and "
                                               "Exterior Surfaces, Second Edition 2026"));
         }},
        {QStringLiteral("capsure-dialog-nearest"),
         [](Stage &stage) { return shootDialog(stage, false); }},
    };
}

} // namespace Gallery
