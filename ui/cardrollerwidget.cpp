#include "ui/cardrollerwidget.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/droppedcolormatch.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/deckfilter.h"
#include "engine/settings/preferences.h"
#include "ui/cardrollerpainter.h"
#include "ui/chipviewinput.h"
#include "ui/interfacefonts.h"
#include "ui/similarcolorsmenu.h"
#include "ui/startchipdrag.h"
#include "ui/themeimage.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>

namespace Corvo {

namespace {

const QString kMadeToOrderKey = QStringLiteral("image.mto");
constexpr QSize kMadeToOrderSize(96, 50);

// The line height the titles are measured with: a capital with a mark above, a control
// character and a descender cover the font's whole height.
int titleLineHeight(const QFontMetrics &metrics)
{
    const QString probe = QString(QChar(0x0102)) + QChar(0x0081) + QLatin1Char('g');
    return metrics.boundingRect(probe).height();
}

} // namespace

CardRollerWidget::CardRollerWidget(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setFont(InterfaceFonts::bold(InterfaceFonts::kOneStepBelow));
    setAccessibleName(tr("Fan deck"));
    m_input = new ChipViewInput(
        this, [this](const QPoint &point) { return inputChipAt(point); },
        ChipViewInput::Wheel::Notches);
    connect(m_input, &ChipViewInput::wheelTurned, this, &CardRollerWidget::wheelTurned);
    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

void CardRollerWidget::selectedCollectionChanged(const QUuid &collection)
{
    m_collection = collection;
    const DB::NameOrders orders = DB::readNameOrders(collection);
    m_pageNameOrder = orders.pageNameDisplay;
    m_rowNameOrder = orders.rowNameDisplay;
    m_state.madeToOrderPicture =
        themePixmap(collection, kMadeToOrderKey, kMadeToOrderSize, devicePixelRatioF());
    m_colorIndex.reset();
    m_input->hideToolTip();
    rebuildLayout();
    selectionChanged();
}

void CardRollerWidget::selectionChanged()
{
    reloadCards();
    updateAccessibleDescription();
    update();
}

void CardRollerWidget::rebuildLayout()
{
    m_layout = CardRollerLayout::forSize(size(), titleLineHeight(fontMetrics()));
}

void CardRollerWidget::reloadCards()
{
    const int pageIndex = Preferences::pageIndex(m_collection);
    const DeckFilter filter = DeckFilter::of(m_collection);
    m_state.selectedRowIndex = Preferences::rowIndex(m_collection);
    m_state.showMto = Preferences::showMto(m_collection);
    m_state.lustrel = CollectionSettings::cardType(m_collection) == CardType::Lustrel;

    m_state.pages.fill(std::nullopt);
    DB::ColorPage middle;
    if (DB::pageAt(m_collection, pageIndex, middle) == DB::Ok) {
        DB::ColorPage left;
        DB::ColorPage right;
        if (DB::adjacentPage(m_collection, pageIndex, true, filter.mood, filter.exterior, left) ==
            DB::Ok)
            m_state.pages[CardRollerLayout::kLeftSlot] = left;
        if (DB::adjacentPage(m_collection, pageIndex, false, filter.mood, filter.exterior, right) ==
            DB::Ok)
            m_state.pages[CardRollerLayout::kRightSlot] = right;
        m_state.pages[CardRollerLayout::kMiddleSlot] = middle;
    }
    for (int slot = 0; slot < CardRollerLayout::kSlotCount; ++slot) {
        const std::optional<DB::ColorPage> &page = m_state.pages.at(slot);
        m_state.titles[slot] = page ? pageDisplayName(m_pageNameOrder, *page) : QString();
    }
}

void CardRollerWidget::paintEvent(QPaintEvent *)
{
    m_state.focused = hasFocus();
    QPainter painter(this);
    paintCardRoller(painter, m_layout, m_state);
}

void CardRollerWidget::updateAccessibleDescription()
{
    const std::optional<DB::ColorPage> &middle = m_state.pages.at(CardRollerLayout::kMiddleSlot);
    QString description;
    if (!middle) {
        description = tr("No card");
    } else {
        description = tr("Card %1").arg(m_state.titles.at(CardRollerLayout::kMiddleSlot));
        for (const DB::ColorEntry &chip : middle->rows) {
            if (chip.rowIndex != m_state.selectedRowIndex)
                continue;
            const QString name = chip.names.value(m_rowNameOrder.value(0, 0));
            description += QStringLiteral(", ") + tr("chip %1").arg(chip.code);
            if (!name.isEmpty())
                description += QStringLiteral(" ") + name;
        }
    }
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void CardRollerWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLayout();
}

void CardRollerWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rebuildLayout();
}

void CardRollerWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void CardRollerWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void CardRollerWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || event->buttons() != Qt::LeftButton ||
        event->modifiers() != Qt::NoModifier) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (const std::optional<CardRollerChip> chip =
            m_state.chipAt(m_layout, event->position().toPoint()))
        pressChip(*chip);
}

void CardRollerWidget::pressChip(const CardRollerChip &chip)
{
    if (chip.slot == CardRollerLayout::kLeftSlot)
        emit roll(Backward);
    else if (chip.slot == CardRollerLayout::kRightSlot)
        emit roll(Forward);
    if (!m_state.isHidden(chip.entry) && chip.entry.rowIndex != Preferences::rowIndex(m_collection))
        emit rowChangedInteractively(chip.entry.rowIndex);
}

// Every chip shown can be dragged, a side card's too: the input helper keeps the chip as it
// was pressed, before the press rolled the deck.
std::optional<ChipViewChip> CardRollerWidget::inputChipAt(const QPoint &point) const
{
    const std::optional<CardRollerChip> chip = m_state.chipAt(m_layout, point);
    if (!chip || m_state.isHidden(chip->entry))
        return std::nullopt;
    const QUuid collection = m_collection;
    const DB::ColorEntry entry = chip->entry;
    return ChipViewChip{
        chip->rect, entry.id, [collection, entry] { return chipToolTip(collection, entry.id); },
        [collection, entry] {
            return std::optional(collectionChipDrag(ChipOrigin::CardRoller, collection, entry));
        }};
}

void CardRollerWidget::wheelTurned(int notches)
{
    // Each notch rolls one card; away from the user goes back through the deck.
    for (int step = 0; step < std::abs(notches); ++step)
        emit roll(notches > 0 ? Backward : Forward);
}

void CardRollerWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        emit roll(Backward);
        break;
    case Qt::Key_Right:
        emit roll(Forward);
        break;
    case Qt::Key_Up:
        stepSelectedChip(-1);
        break;
    case Qt::Key_Down:
        stepSelectedChip(1);
        break;
    case Qt::Key_Home:
        goToEndOfDeck(false);
        break;
    case Qt::Key_End:
        goToEndOfDeck(true);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// From the keyboard the menu is for the selected chip, from the mouse for the chip under it.
void CardRollerWidget::contextMenuEvent(QContextMenuEvent *event)
{
    const std::optional<CardRollerChip> chip = event->reason() == QContextMenuEvent::Mouse
                                                   ? m_state.chipAt(m_layout, event->pos())
                                                   : m_state.selectedChip(m_layout);
    if (!chip || m_state.isHidden(chip->entry)) {
        event->ignore();
        return;
    }
    event->accept();
    m_input->hideToolTip();
    const QPoint position = event->reason() == QContextMenuEvent::Mouse
                                ? event->globalPos()
                                : mapToGlobal(chip->rect.center());
    showSimilarColors(chip->entry, position);
}

void CardRollerWidget::showSimilarColors(const DB::ColorEntry &chip, const QPoint &globalPosition)
{
    delete m_similarColors;
    m_similarColors = new SimilarColorsMenu(m_collection, chip, this);
    connect(m_similarColors, &SimilarColorsMenu::similarColorChosen, this,
            &CardRollerWidget::similarColorChosenInteractively);
    connect(m_similarColors, &QMenu::aboutToHide, m_similarColors, &QObject::deleteLater);
    m_similarColors->popup(globalPosition);
}

void CardRollerWidget::stepSelectedChip(int steps)
{
    if (const std::optional<DB::ColorEntry> chip = m_state.neighbourOfSelected(steps))
        emit rowChangedInteractively(chip->rowIndex);
}

void CardRollerWidget::goToEndOfDeck(bool last)
{
    // From before the first card, forwards finds the first qualifying card and backwards
    // wraps round to the last one.
    const DeckFilter filter = DeckFilter::of(m_collection);
    DB::ColorPage page;
    if (DB::adjacentPage(m_collection, 0, last, filter.mood, filter.exterior, page) != DB::Ok)
        return;
    if (page.pageIndex != Preferences::pageIndex(m_collection))
        emit pageChangedInteractively(page.pageIndex);
}

void CardRollerWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (cardRollerAcceptsChip(chipOrigin(event->mimeData())))
        event->acceptProposedAction();
}

void CardRollerWidget::dragMoveEvent(QDragMoveEvent *event)
{
    event->ignore();
    if (cardRollerAcceptsChip(chipOrigin(event->mimeData())) &&
        m_layout.cardArea.contains(event->position().toPoint()))
        event->acceptProposedAction();
}

void CardRollerWidget::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    const std::optional<QVariantMap> payload = readChipPayload(event->mimeData());
    if (!payload || !cardRollerAcceptsChip(chipOrigin(*payload)))
        return;

    if (const std::optional<DroppedColorMatch> match =
            matchDroppedColor(*payload, m_collection, colorIndex()))
        emit chipChosenInteractively(match->collection, match->entry);
}

const QList<DB::LabSample> &CardRollerWidget::colorIndex()
{
    if (!m_colorIndex) {
        QList<DB::LabSample> samples;
        DB::rowLabTable(m_collection, samples);
        m_colorIndex = samples;
    }
    return *m_colorIndex;
}

} // namespace Corvo
