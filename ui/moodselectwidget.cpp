#include "ui/moodselectwidget.h"

#include "engine/db/collectionlookups.h"
#include "engine/settings/preferences.h"
#include "ui/interfacefonts.h"
#include "ui/themeimage.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace Corvo {

namespace {

// By mood - 1, as the theme and text keys spell the moods.
const char *const kMoodNames[kMoodCount] = {"fresh", "warm", "calm", "rich", "offwhite", "neutral"};

const QString kToolTipFormat = QStringLiteral("<span style=\"font-size: 12px;\">%1</span>");

QString moodKey(const char *pattern, int mood)
{
    return QString::fromLatin1(pattern).arg(QLatin1String(kMoodNames[mood - 1]));
}

} // namespace

MoodSelectWidget::MoodSelectWidget(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(InterfaceFonts::regular(InterfaceFonts::kBase));
    loadCollection(Preferences::uuidOfLastUsedCollection());
}

QSize MoodSelectWidget::sizeHint() const
{
    return m_layout.size();
}

void MoodSelectWidget::selectedCollectionChanged(const QUuid &collection)
{
    loadCollection(collection);
}

void MoodSelectWidget::loadCollection(const QUuid &collection)
{
    m_collection = collection;
    m_cardType = CollectionSettings::cardType(collection);
    m_hasExteriorFilter =
        m_cardType != CardType::Lustrel && CollectionSettings::hasExteriorFilter(collection);
    const qreal ratio = devicePixelRatioF();
    for (int mood = 1; mood <= kMoodCount; ++mood) {
        m_hasExteriorPage[mood - 1] =
            m_hasExteriorFilter && CollectionSettings::hasPageWithExteriorMood(collection, mood);
        m_images.normal[mood - 1] =
            themePixmap(collection, moodKey("image.mood.%1.normal", mood), kMoodIconSize, ratio);
        m_images.selected[mood - 1] =
            themePixmap(collection, moodKey("image.mood.%1.selected", mood), kMoodIconSize, ratio);
        m_toolTips[mood - 1] =
            DB::localizedString(collection, moodKey("tiptext.mood.%1.button", mood));
    }
    m_images.checkMark =
        themePixmap(collection, QStringLiteral("image.tick.normal"), kCheckMarkSize, ratio);
    m_images.disabledMark =
        themePixmap(collection, QStringLiteral("image.mood.disabled"), kDisabledMarkSize, ratio);
    m_texts.allMoods = DB::localizedString(collection, QStringLiteral("mood.filter.all.moods"));
    m_texts.exteriorColors =
        DB::localizedString(collection, QStringLiteral("mood.filter.exterior.colors"));
    m_texts.doNotShowMto = DB::localizedString(collection, QStringLiteral("do.not.show.mto"));
    m_focused = MoodSelectLayout::NoItem;
    rebuildLayout();
}

void MoodSelectWidget::rebuildLayout()
{
    const MoodSelectTextMetrics metrics = MoodSelectTextMetrics::measure(
        fontMetrics(), m_texts.allMoods, m_texts.exteriorColors, m_texts.doNotShowMto);
    m_layout = MoodSelectLayout(m_cardType, m_hasExteriorFilter, MoodSelectImageSizes(), metrics);
    if (!m_layout.contains(m_focused))
        m_focused = MoodSelectLayout::NoItem;
    setFixedSize(m_layout.size());
    updateGeometry();
    refreshAccessibleText(currentState());
    update();
}

MoodSelectState MoodSelectWidget::currentState() const
{
    MoodSelectState state;
    state.mood = Preferences::moodFilter(m_collection);
    // A stored exterior filter means nothing in a collection that offers none; honouring it
    // would disable moods with no way to switch the filter off.
    state.exterior = m_hasExteriorFilter && Preferences::exteriorColors(m_collection);
    state.showMto = Preferences::showMto(m_collection);
    state.hasExteriorPage = m_hasExteriorPage;
    state.focused = hasFocus() && m_focusVisible ? m_focused : MoodSelectLayout::NoItem;
    return state;
}

void MoodSelectWidget::press(Item item)
{
    const MoodSelectState state = currentState();
    if (m_layout.isLustrel()) {
        if (item == MoodSelectLayout::MadeToOrderItem)
            emit showMtoChangedInteractively(!state.showMto);
        return;
    }
    pressNormal(item, state);
}

void MoodSelectWidget::pressNormal(Item item, const MoodSelectState &state)
{
    int mood = state.mood;
    bool exterior = state.exterior;
    if (MoodSelectLayout::isMoodIcon(item)) {
        if (state.isMoodAvailable(item))
            mood = item;
    } else if (item == MoodSelectLayout::AllMoodsItem) {
        mood = MoodAll;
    } else if (item == MoodSelectLayout::ExteriorItem && m_hasExteriorFilter) {
        exterior = !exterior;
        if (exterior && mood != MoodAll && !m_hasExteriorPage[mood - 1])
            mood = MoodAll;
    }
    // The mood goes first, so that the deck is never asked for a mood the new exterior
    // filter rules out.
    if (mood != state.mood)
        emit moodFilterChangedInteractively(static_cast<Mood>(mood));
    if (exterior != state.exterior)
        emit exteriorFilterChangedInteractively(exterior);
}

bool MoodSelectWidget::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (MoodSelectLayout::isMoodIcon(m_layout.itemAt(help->pos())))
            return showToolTip(help);
    }
    return QWidget::event(event);
}

bool MoodSelectWidget::showToolTip(QHelpEvent *event)
{
    const Item item = m_layout.itemAt(event->pos());
    const QString text = m_toolTips[item - 1];
    if (text.trimmed().isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return false;
    }
    const QRect icon = m_layout.rect(item);
    QToolTip::showText(mapToGlobal(icon.topRight()), kToolTipFormat.arg(text.toHtmlEscaped()), this,
                       icon);
    return true;
}

void MoodSelectWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintMoodSelect(painter, m_layout, m_images, m_texts, currentState());
}

void MoodSelectWidget::selectionChanged()
{
    refreshAccessibleText(currentState());
    update();
}

void MoodSelectWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (size() != m_layout.size())
        rebuildLayout();
}

void MoodSelectWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rebuildLayout();
}

void MoodSelectWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_focusVisible = false;
    const Item item = m_layout.itemAt(event->position().toPoint());
    if (item != MoodSelectLayout::NoItem) {
        m_focused = item;
        press(item);
    }
    update();
}

void MoodSelectWidget::mouseMoveEvent(QMouseEvent *event)
{
    const bool overItem = m_layout.itemAt(event->position().toPoint()) != MoodSelectLayout::NoItem;
    const Qt::CursorShape shape = overItem ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
    QWidget::mouseMoveEvent(event);
}

void MoodSelectWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        moveFocus(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        moveFocus(+1);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (const QList<Item> items = pressableItems(); !items.isEmpty())
            showFocusOn(event->key() == Qt::Key_Home ? items.first() : items.last());
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        m_focusVisible = true;
        if (m_layout.contains(m_focused))
            press(m_focused);
        update();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MoodSelectWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (!m_layout.contains(m_focused))
        focusCurrentSelection();
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        m_focusVisible = reason != Qt::MouseFocusReason;
    update();
}

void MoodSelectWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

QList<MoodSelectLayout::Item> MoodSelectWidget::pressableItems() const
{
    const MoodSelectState state = currentState();
    QList<Item> pressable;
    for (Item item : m_layout.items())
        if (!MoodSelectLayout::isMoodIcon(item) || state.isMoodAvailable(item))
            pressable.append(item);
    return pressable;
}

void MoodSelectWidget::moveFocus(int step)
{
    const QList<Item> pressable = pressableItems();
    if (pressable.isEmpty())
        return;
    const qsizetype at = pressable.indexOf(m_focused);
    showFocusOn(at < 0 ? pressable.first()
                       : pressable.at(std::clamp<qsizetype>(at + step, 0, pressable.size() - 1)));
}

void MoodSelectWidget::showFocusOn(Item item)
{
    m_focused = item;
    m_focusVisible = true;
    update();
}

void MoodSelectWidget::focusCurrentSelection()
{
    const MoodSelectState state = currentState();
    if (m_layout.isLustrel())
        m_focused = MoodSelectLayout::MadeToOrderItem;
    else if (state.mood != MoodAll && state.isMoodAvailable(state.mood))
        m_focused = static_cast<Item>(state.mood);
    else
        m_focused = MoodSelectLayout::AllMoodsItem;
}

void MoodSelectWidget::refreshAccessibleText(const MoodSelectState &state)
{
    const auto onOff = [](const QString &what, bool on) {
        return on ? tr("%1: on").arg(what) : tr("%1: off").arg(what);
    };
    QString name;
    QString description;
    if (m_layout.isLustrel()) {
        name = tr("Made-to-order colours");
        description = onOff(m_texts.doNotShowMto, !state.showMto);
    } else {
        name = tr("Mood filter");
        const bool oneMood = state.mood != MoodAll && state.isMoodAvailable(state.mood);
        const QString tip = oneMood ? m_toolTips[state.mood - 1].trimmed() : QString();
        const QString mood = !oneMood        ? m_texts.allMoods
                             : tip.isEmpty() ? QString::fromLatin1(kMoodNames[state.mood - 1])
                                             : tip;
        description = tr("Mood: %1").arg(mood);
        if (m_hasExteriorFilter)
            description += QStringLiteral("; ") + onOff(m_texts.exteriorColors, state.exterior);
    }
    if (accessibleName() != name)
        setAccessibleName(name);
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

} // namespace Corvo
