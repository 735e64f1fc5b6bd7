#include "tools/gallery/gallery.h"

#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/searchwidget.h"
#include "ui/similarcolorsmenu.h"
#include "ui/themeimage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace Gallery {

namespace {

constexpr QPoint kWhere(12, 557);
constexpr QSize kMainWidgetSize(800, 600);

// Types into the edit once it is on screen, as a user would: with the focus in the edit,
// so that the completer is at work.
class TypingSearchWidget : public Corvo::SearchWidget
{
public:
    explicit TypingSearchWidget(const QString &keys) : m_keys(keys) {}

protected:
    void showEvent(QShowEvent *event) override
    {
        SearchWidget::showEvent(event);
        if (!m_keys.isEmpty())
            QTimer::singleShot(0, this, [this] { type(); });
    }

private:
    void type()
    {
        lineEdit()->setFocus(Qt::TabFocusReason);
        for (const QChar c : std::as_const(m_keys)) {
            const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - u'A') : c.unicode();
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(lineEdit(), &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(lineEdit(), &release);
        }
        m_keys.clear();
    }

    QString m_keys;
};

void makeCurrent(const QUuid &collection)
{
    Corvo::Preferences::setUuidOfLastUsedCollection(collection);
    Corvo::CollectionSettings::setCurrentCollection(collection);
    Corvo::DB::loadNameOrders(collection);
}

// What the main widget hands the search bar: its background under the bar.
QPixmap backgroundUnder(const QUuid &collection, const QRect &area, qreal ratio)
{
    const QPixmap background = Corvo::themePixmap(
        collection, QStringLiteral("image.widget.main.background"), kMainWidgetSize, ratio);
    if (background.isNull())
        return {};
    QPixmap piece = background.copy(QRect(area.topLeft() * ratio, area.size() * ratio));
    piece.setDevicePixelRatio(ratio);
    return piece;
}

Shot searchShot(const QString &name, const QUuid &collection, const QString &typed,
                const QString &text = QString())
{
    return {name, [=](Stage &stage) {
                makeCurrent(collection);
                auto *widget = new TypingSearchWidget(typed);
                widget->setBackground(backgroundUnder(collection, QRect(kWhere, widget->size()),
                                                      widget->devicePixelRatioF()));
                widget->lineEdit()->setText(text);
                return stage.shoot(widget, kWhere, collection);
            }};
}

// The bar after a typed colour went to its nearest chip: a swatch and the difference.
Shot colorNoteShot(const QUuid &collection)
{
    return {QStringLiteral("search-colour-note"), [=](Stage &stage) {
                makeCurrent(collection);
                auto *widget = new TypingSearchWidget(QString());
                widget->setBackground(backgroundUnder(collection, QRect(kWhere, widget->size()),
                                                      widget->devicePixelRatioF()));
                widget->showColorNote(QColor(0xa0, 0x52, 0x2d), 4.0);
                return stage.shoot(widget, kWhere, collection);
            }};
}

// The bar after a phrase found nothing: the phrase stays, with a short note.
Shot noMatchNoteShot(const QUuid &collection, const QString &phrase)
{
    const QString name = phrase.startsWith(u'#') ? QStringLiteral("search-no-match-colour")
                                                 : QStringLiteral("search-no-match");
    return {name, [=](Stage &stage) {
                makeCurrent(collection);
                auto *widget = new TypingSearchWidget(QString());
                widget->setBackground(backgroundUnder(collection, QRect(kWhere, widget->size()),
                                                      widget->devicePixelRatioF()));
                widget->showNoMatchNote(phrase);
                return stage.shoot(widget, kWhere, collection);
            }};
}

// A chip's similar colours in the other collections, as a right click on it opens them.
Shot similarColorsShot(const QUuid &collection, int pageIndex, int rowIndex)
{
    return {QStringLiteral("similar-colours-menu"), [=](Stage &stage) {
                makeCurrent(collection);
                Corvo::DB::ColorEntry chip;
                if (Corvo::DB::rowAt(collection, pageIndex, rowIndex, chip) != 0)
                    stage.fail(
                        QStringLiteral("no chip %1 on card %2").arg(rowIndex).arg(pageIndex));
                return stage.shootWindow(new Corvo::SimilarColorsMenu(collection, chip));
            }};
}

} // namespace

QList<Shot> searchShots()
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    const QUuid lustrel = Tintwell::DemoDeck::lustrelCollectionUuid();
    return {
        searchShot(QStringLiteral("search-empty"), main, QString()),
        searchShot(QStringLiteral("search-text"), main, QString(), QStringLiteral("blossom")),
        // The completer completes in the edit itself: the rest of the name is selected.
        searchShot(QStringLiteral("search-inline-completion"), main, QStringLiteral("butter")),
        searchShot(QStringLiteral("search-lustrel-empty"), lustrel, QString()),
        colorNoteShot(main),
        noMatchNoteShot(main, QStringLiteral("BLUEISH GREY")),
        noMatchNoteShot(main, QStringLiteral("#12345")),
        similarColorsShot(main, 17, 5),
    };
}

} // namespace Gallery
