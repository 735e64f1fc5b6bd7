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

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

namespace Gallery {

namespace {

using namespace Corvo;

constexpr QPoint kSelectorPlace(0, 71);
// The top of the picker down to below the open list: banner, selector and list.
constexpr QSize kPickerTopSize(800, 300);
constexpr int kBannerHeight = 70;
constexpr QPoint kDialogPlace(240, 200);
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

// A measurement naming the colours, in a file that lives as long as the process.
QString measurementFile(const QStringList &names)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Capsure.cxf"));
    QByteArray objects;
    for (const QString &name : names)
        objects += "<cc:Object ObjectType=\"Target\" Name=\"" + name.toUtf8() + "\"/>";
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

QImage shootDialog(Stage &stage)
{
    makeCurrent(mainCollection());
    // Two strong reds of the main deck and a metallic.
    QStringList names = cardCodes(mainCollection(), kRedCard).mid(kFirstRedChip, 2);
    names += cardCodes(metallicCollection(), 1).mid(0, 1);
    const QList<CapsureCandidate> candidates = importCapsureFile(measurementFile(names));
    if (candidates.size() != 3)
        stage.fail(
            QStringLiteral("the Capsure dialog has %1 candidates, not 3").arg(candidates.size()));
    return stage.shoot(new CapsureSelectDialog(candidates), kDialogPlace, mainCollection());
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
        {QStringLiteral("capsure-dialog"), [](Stage &stage) { return shootDialog(stage); }},
    };
}

} // namespace Gallery
