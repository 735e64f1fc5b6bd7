#include "ui/colorschemerwidget.h"

#include "engine/db/collectionlookups.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/chipviewinput.h"
#include "ui/interfacefonts.h"
#include "ui/startchipdrag.h"
#include "ui/themeimage.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace Corvo {

namespace {

constexpr int kCaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
constexpr int kMeasureHeight = 1000;

const QString kMarkerNormalKey = QStringLiteral("image.complementary.neutral.marker.normal");
const QString kMarkerSelectedKey = QStringLiteral("image.complementary.neutral.marker.selected");
const QString kMessageKey = QStringLiteral("harmonizer.drag.drop.message");

// The stem of a button's two theme images ("<stem>.normal", "<stem>.selected").
QString buttonImageStem(int kind)
{
    switch (kind) {
    case SchemeHarmonic:
        return QStringLiteral("image.scheme.harmonising");
    case SchemeContrast:
        return QStringLiteral("image.scheme.contrasting");
    case SchemeWideContrast:
        return QStringLiteral("image.scheme.wide.contrast");
    case SchemeDynamic:
        return QStringLiteral("image.scheme.dynamic");
    case SchemeDramatic:
        return QStringLiteral("image.scheme.dramatic");
    case SchemeNeutral:
        return QStringLiteral("image.scheme.tonal.neutral");
    }
    return QString();
}

QString captionKey(int kind)
{
    switch (kind) {
    case SchemeHarmonic:
        return QStringLiteral("harmonizer.palette.scheme.harmonic");
    case SchemeContrast:
        return QStringLiteral("harmonizer.palette.scheme.contrast");
    case SchemeWideContrast:
        return QStringLiteral("harmonizer.palette.scheme.wide.contrast");
    case SchemeDynamic:
        return QStringLiteral("harmonizer.palette.scheme.dynamic");
    case SchemeDramatic:
        return QStringLiteral("harmonizer.palette.scheme.dramatic");
    case SchemeTonalNeutral:
        return QStringLiteral("harmonizer.palette.scheme.tonal.neutral");
    case SchemeComplementaryNeutral:
        return QStringLiteral("harmonizer.palette.scheme.complementary.neutral");
    case SchemeNaturalNeutral:
        return QStringLiteral("harmonizer.palette.scheme.natural.neutral");
    }
    return QString();
}

} // namespace

ColorSchemerWidget::ColorSchemerWidget(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(InterfaceFonts::regular(InterfaceFonts::kBase));
    setAccessibleName(tr("Colour schemes"));
    m_input = new ChipViewInput(this, [this](const QPoint &point) { return inputChipAt(point); });
    addShortcuts();
    loadCollection(Preferences::uuidOfLastUsedCollection());
}

void ColorSchemerWidget::addShortcuts()
{
    void (ColorSchemerWidget::*const switches[kShortcutCount])() = {
        &ColorSchemerWidget::switchToScheme1, &ColorSchemerWidget::switchToScheme2,
        &ColorSchemerWidget::switchToScheme3, &ColorSchemerWidget::switchToScheme4,
        &ColorSchemerWidget::switchToScheme5, &ColorSchemerWidget::switchToScheme6,
        &ColorSchemerWidget::switchToScheme7, &ColorSchemerWidget::switchToScheme8,
        &ColorSchemerWidget::switchToScheme9};
    for (int number = 1; number <= kShortcutCount; ++number) {
        auto *action = new QAction(this);
        action->setShortcut(
            QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_S),
                         QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_0 + number))));
        connect(action, &QAction::triggered, this, switches[number - 1]);
        addAction(action);
    }
}

QString ColorSchemerWidget::chipToolTipText(const QUuid &collection, qint64 rowId)
{
    const QString text = chipToolTip(collection, rowId);
    if (text.isEmpty())
        return text;
    return QStringLiteral("<span style=\"font-size: 12px;\">%1</span>").arg(text);
}

void ColorSchemerWidget::selectedCollectionChanged(const QUuid &collection)
{
    loadCollection(collection);
}

void ColorSchemerWidget::switchToScheme1()
{
    switchToScheme(1);
}

void ColorSchemerWidget::switchToScheme2()
{
    switchToScheme(2);
}

void ColorSchemerWidget::switchToScheme3()
{
    switchToScheme(3);
}

void ColorSchemerWidget::switchToScheme4()
{
    switchToScheme(4);
}

void ColorSchemerWidget::switchToScheme5()
{
    switchToScheme(5);
}

void ColorSchemerWidget::switchToScheme6()
{
    switchToScheme(6);
}

void ColorSchemerWidget::switchToScheme7()
{
    switchToScheme(7);
}

void ColorSchemerWidget::switchToScheme8()
{
    switchToScheme(8);
}

void ColorSchemerWidget::switchToScheme9()
{
    switchToScheme(9);
}

void ColorSchemerWidget::loadCollection(const QUuid &collection)
{
    m_collection = collection;
    m_kinds = schemeButtonKinds(CollectionSettings::schemes(collection));
    const qreal ratio = devicePixelRatioF();
    m_looks.clear();
    for (const int kind : m_kinds) {
        const QString stem = buttonImageStem(kind);
        m_looks.append(
            {themePixmap(collection, stem + QStringLiteral(".normal"), kSchemeButtonSize, ratio),
             themePixmap(collection, stem + QStringLiteral(".selected"), kSchemeButtonSize, ratio),
             DB::localizedString(collection, captionKey(kind))});
    }
    m_subKindCaptions.clear();
    for (int subKind = kTonalNeutralScheme; subKind <= kNaturalNeutralScheme; ++subKind)
        m_subKindCaptions.insert(subKind, DB::localizedString(collection, captionKey(subKind)));
    m_markerNormal = themePixmap(collection, kMarkerNormalKey, kSchemeMarkerSize, ratio);
    m_markerSelected = themePixmap(collection, kMarkerSelectedKey, kSchemeMarkerSize, ratio);
    m_message = DB::localizedString(collection, kMessageKey);
    m_source = schemeSourceFor(collection);
    m_key.reset();
    m_chips.clear();
    m_input->hideToolTip();
    rebuildLayout();
    update();
}

SchemeCaptionMetrics ColorSchemerWidget::measureCaptions() const
{
    const QFontMetrics metrics = fontMetrics();
    const auto heightOf = [&](const QString &text, int width) {
        const QRect room(0, 0, width, kMeasureHeight);
        return std::max(metrics.height(), metrics.boundingRect(room, kCaptionFlags, text).height());
    };
    SchemeCaptionMetrics captions;
    const int width = ColorSchemerLayout::captionWidth(kSchemeButtonSize);
    for (int index = 0; index < m_kinds.size(); ++index) {
        if (m_kinds.at(index) != kNeutralSchemeGroup)
            captions.captionHeight =
                std::max(captions.captionHeight, heightOf(m_looks.at(index).caption, width));
    }
    const int neutralWidth = ColorSchemerLayout::neutralCaptionWidth(kSchemeButtonSize);
    int subKindHeight = 0;
    for (const QString &caption : m_subKindCaptions)
        subKindHeight = std::max(subKindHeight, heightOf(caption, neutralWidth));
    captions.neutralCaptionHeight =
        subKindHeight + ColorSchemerLayout::kMarkerGap + kSchemeMarkerSize.height();
    return captions;
}

void ColorSchemerWidget::rebuildLayout()
{
    m_layout = ColorSchemerLayout(size(), m_kinds, kSchemeButtonSize, measureCaptions());
}

int ColorSchemerWidget::currentKind() const
{
    return schemeGroupOf(Preferences::schemeKind(m_collection));
}

void ColorSchemerWidget::refreshScheme()
{
    const int kind = currentKind();
    ComputationKey key{m_source.collection, kind, 0, Preferences::pageIndex(m_collection),
                       Preferences::rowIndex(m_collection)};
    if (kind == kNeutralSchemeGroup)
        key.neutralSubKind = Preferences::schemeNeutralSubKind(m_collection);
    if (m_key && *m_key == key)
        return;
    m_key = key;
    m_chips.clear();
    m_neutralSubKind = Preferences::schemeNeutralSubKind(m_collection);
    m_offersAlternativeNeutral = false;
    m_input->hideToolTip();
    if (!m_kinds.contains(kind))
        return;
    const std::optional<SchemeInput> input =
        schemeInputFor(m_source, m_collection, key.pageIndex, key.rowIndex);
    if (!input)
        return;
    const SchemeResult result = computeScheme(m_source, *input, kind, m_neutralSubKind);
    m_chips = result.chips;
    m_neutralSubKind = result.neutralSubKind;
    m_offersAlternativeNeutral = result.offersComplementaryNeutral;
}

QList<QRect> ColorSchemerWidget::chipRects() const
{
    return m_layout.chipRects(static_cast<int>(m_chips.size()), m_source.chipsPerRow);
}

void ColorSchemerWidget::switchToScheme(int number)
{
    if (!isVisible() || number < 1 || number > m_kinds.size())
        return;
    refreshScheme();
    const int kind = m_kinds.at(number - 1);
    if (kind != currentKind()) {
        emit schemeKindChangedInteractively(static_cast<SchemeKind>(kind));
        return;
    }
    if (kind != kNeutralSchemeGroup)
        return;
    const bool toComplementary =
        m_offersAlternativeNeutral && m_neutralSubKind == kTonalNeutralScheme;
    emit schemeNeutralSubKindChangedInteractively(toComplementary ? SchemeComplementaryNeutral
                                                                  : SchemeTonalNeutral);
}

void ColorSchemerWidget::pressKind(int kind)
{
    refreshScheme();
    if (kind != currentKind()) {
        emit schemeKindChangedInteractively(static_cast<SchemeKind>(kind));
        return;
    }
    if (kind == kNeutralSchemeGroup && m_offersAlternativeNeutral)
        emit schemeNeutralSubKindChangedInteractively(
            static_cast<SchemeKind>(alternativeNeutralSubKind(m_neutralSubKind)));
}

ColorSchemerState ColorSchemerWidget::paintState() const
{
    ColorSchemerState state;
    state.buttons = m_looks;
    state.currentKind = currentKind();
    state.subKindCaptions = m_subKindCaptions;
    state.neutralSubKind = m_neutralSubKind;
    state.offersAlternativeNeutral = m_offersAlternativeNeutral;
    state.markerNormal = m_markerNormal;
    state.markerSelected = m_markerSelected;
    for (const DB::ColorEntry &chip : m_chips)
        state.chipColours.append(DB::chipColor(chip));
    state.chipsPerRow = m_source.chipsPerRow;
    state.message = m_message;
    return state;
}

void ColorSchemerWidget::paintEvent(QPaintEvent *)
{
    refreshScheme();
    QPainter painter(this);
    paintColorSchemer(painter, m_layout, paintState());
    refreshAccessibleText();
}

void ColorSchemerWidget::selectionChanged()
{
    if (isVisible()) {
        refreshScheme();
        refreshAccessibleText();
    }
    update();
}

void ColorSchemerWidget::refreshAccessibleText()
{
    const int kind = currentKind();
    QString description;
    if (!m_kinds.contains(kind)) {
        description = tr("No scheme selected");
    } else {
        const QString caption = kind == kNeutralSchemeGroup
                                    ? m_subKindCaptions.value(m_neutralSubKind)
                                    : m_looks.at(m_kinds.indexOf(kind)).caption;
        const int shown = static_cast<int>(chipRects().size());
        description = shown == 0 ? tr("%1, no colours").arg(caption)
                                 : tr("%1, %n colour(s)", nullptr, shown).arg(caption);
    }
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void ColorSchemerWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLayout();
}

void ColorSchemerWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rebuildLayout();
}

void ColorSchemerWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (const int kind = m_layout.kindAt(event->position().toPoint()))
        pressKind(kind);
}

std::optional<ChipViewChip> ColorSchemerWidget::inputChipAt(const QPoint &point) const
{
    const QList<QRect> rects = chipRects();
    const int index = chipIndexAt(rects, point);
    if (index < 0)
        return std::nullopt;
    return schemeChip(m_source.collection, m_chips.at(index), rects.at(index));
}

ChipViewChip ColorSchemerWidget::schemeChip(const QUuid &collection, const DB::ColorEntry &entry,
                                            const QRect &rect)
{
    return {rect, entry.id, [collection, entry] { return chipToolTipText(collection, entry.id); },
            [collection, entry] {
                return std::optional(collectionChipDrag(ChipOrigin::ChipView, collection, entry));
            }};
}

} // namespace Corvo
