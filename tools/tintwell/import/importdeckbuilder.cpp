#include "tools/tintwell/import/importdeckbuilder.h"

#include "tools/tintwell/demo/cardplanner.h"
#include "tools/tintwell/demo/colournamer.h"
#include "tools/tintwell/import/importpresentation.h"
#include "tools/tintwell/import/importschemeplanner.h"
#include "tools/tintwell/model/standardsettings.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace Tintwell {

namespace {

constexpr qsizetype kMostCodeLength = 32;
constexpr qsizetype kCodePrefixLength = 12;
constexpr double kNeutralCardChroma = 8.0;
constexpr int kFirstOrder = 1000;
const QUuid kImportNamespace(QStringLiteral("{5D2A7C94-0E61-4B3F-A8D2-3C9F1E7B6A05}"));

ColourMath::Lch lchOf(const Rgb &rgb)
{
    return ColourMath::lchFromLab(ColourMath::labFromRgb(rgb));
}

QString lightReflectanceText(const SwatchEntry &entry)
{
    const double value = entry.lightReflectance.value_or(ColourMath::lightReflectance(entry.rgb));
    return QStringLiteral("LRV %1").arg(QString::number(value, 'g', 4));
}

QStringList distinctProducts(const QList<SwatchEntry> &entries)
{
    QStringList products;
    QSet<QString> seen;
    for (const SwatchEntry &entry : entries) {
        for (const QString &product : entry.products) {
            if (!seen.contains(product.toLower())) {
                seen.insert(product.toLower());
                products.append(product);
            }
        }
    }
    return products;
}

} // namespace

QUuid ImportDeckBuilder::uuidFor(const QString &systemId)
{
    return QUuid::createUuidV5(kImportNamespace, systemId.toUpper());
}

int ImportDeckBuilder::orderFor(const QString &systemId)
{
    return kFirstOrder + qChecksum(systemId.toUpper().toUtf8());
}

void ImportDeckBuilder::settleCodes(QList<SwatchEntry> &entries)
{
    const QString prefix = m_options.systemId.left(kCodePrefixLength);
    QHash<QString, QString> firstOrigin; // by code in lower case
    for (int i = 0; i < entries.size(); ++i) {
        SwatchEntry &entry = entries[i];
        if (entry.code.isEmpty())
            entry.code = QStringLiteral("%1-%2").arg(prefix).arg(i + 1, 4, 10, QLatin1Char('0'));
        if (entry.code.size() > kMostCodeLength) {
            m_notes.append(QStringLiteral("%1: code \"%2\" cut to %3 characters")
                               .arg(entry.origin, entry.code)
                               .arg(kMostCodeLength));
            entry.code = entry.code.left(kMostCodeLength);
        }
        const QString wanted = entry.code;
        for (int suffix = 2; firstOrigin.contains(entry.code.toLower()); ++suffix) {
            const QString tail = QStringLiteral("-%1").arg(suffix);
            entry.code = wanted.left(kMostCodeLength - tail.size()) + tail;
        }
        if (entry.code != wanted)
            m_notes.append(QStringLiteral("%1: code \"%2\" repeats %3; stored as \"%4\"")
                               .arg(entry.origin, wanted,
                                    firstOrigin.value(wanted.toLower(), wanted), entry.code));
        firstOrigin.insert(entry.code.toLower(), entry.origin);
    }
}

// Chunks of a card's length in the given order, each then graded light to dark.
void ImportDeckBuilder::appendChunks(QList<PlannedCard> &cards, const QString &name,
                                     QList<int> entries, const QList<SwatchEntry> &all) const
{
    const int size = m_options.chipsPerCard;
    const qsizetype chunks = (entries.size() + size - 1) / size;
    for (qsizetype chunk = 0; chunk < chunks; ++chunk) {
        QList<int> chips = entries.mid(chunk * size, size);
        std::stable_sort(chips.begin(), chips.end(), [&](int one, int other) {
            return ColourMath::labFromRgb(all.at(one).rgb).l >
                   ColourMath::labFromRgb(all.at(other).rgb).l;
        });
        const QString cardName =
            chunks > 1 ? QStringLiteral("%1 %2").arg(name).arg(chunk + 1) : name;
        cards.append({cardName, chips});
    }
}

QList<ImportDeckBuilder::PlannedCard>
ImportDeckBuilder::cardsByGroup(const QList<SwatchEntry> &entries) const
{
    QStringList order;
    QHash<QString, QList<int>> members;
    for (int i = 0; i < entries.size(); ++i) {
        const QString group =
            entries.at(i).group.isEmpty() ? QStringLiteral("Other colours") : entries.at(i).group;
        if (!members.contains(group))
            order.append(group);
        members[group].append(i);
    }
    QList<PlannedCard> cards;
    for (const QString &group : order)
        appendChunks(cards, group, members.value(group), entries);
    return cards;
}

// Segment by segment round the wheel, each segment's colours light to dark; then the
// neutrals, light to dark.
QList<ImportDeckBuilder::PlannedCard>
ImportDeckBuilder::cardsByHue(const QList<SwatchEntry> &entries) const
{
    QList<QList<int>> bySegment(m_options.segments);
    QList<int> neutrals;
    for (int i = 0; i < entries.size(); ++i) {
        const ColourMath::Lch lch = lchOf(entries.at(i).rgb);
        if (lch.c < kNeutralCardChroma)
            neutrals.append(i);
        else
            bySegment[ImportPresentation::segmentOfHue(lch.h, m_options.segments) - 1].append(i);
    }
    const auto lighterFirst = [&](int one, int other) {
        return lchOf(entries.at(one).rgb).l > lchOf(entries.at(other).rgb).l;
    };
    QList<PlannedCard> cards;
    for (int segment = 0; segment < m_options.segments; ++segment) {
        QList<int> members = bySegment.at(segment);
        std::stable_sort(members.begin(), members.end(), lighterFirst);
        const double hue = segment * 360.0 / m_options.segments;
        appendChunks(cards, ColourNamer::hueWord(hue), members, entries);
    }
    std::stable_sort(neutrals.begin(), neutrals.end(), lighterFirst);
    appendChunks(cards, QStringLiteral("Neutrals"), neutrals, entries);
    return cards;
}

ChipModel ImportDeckBuilder::chipOf(const SwatchEntry &entry, const QStringList &products)
{
    const ColourMath::Lch lch = lchOf(entry.rgb);
    const QString described = ColourNamer::describe(lch);
    ChipModel chip;
    chip.code = entry.code;
    chip.rgb = entry.rgb;
    chip.names = {entry.name.isEmpty() ? described : entry.name,
                  !entry.description.isEmpty() ? entry.description
                  : entry.name.isEmpty()       ? QString()
                                               : described};
    chip.extras = {lightReflectanceText(entry)};
    chip.neutral = ColourMath::isNeutral(lch);
    chip.white = ColourMath::isWhite(lch);
    for (const QString &product : entry.products) {
        const auto same = [&](const QString &known) {
            return known.compare(product, Qt::CaseInsensitive) == 0;
        };
        const auto found = std::find_if(products.cbegin(), products.cend(), same);
        chip.products.append({0, static_cast<int>(found - products.cbegin())});
    }
    return chip;
}

CardModel ImportDeckBuilder::cardOf(const PlannedCard &planned, const QList<SwatchEntry> &entries,
                                    const QStringList &products) const
{
    CardModel card;
    QList<ColourMath::Lch> colours;
    bool exterior = true;
    for (int index : planned.entries) {
        const SwatchEntry &entry = entries.at(index);
        card.chips.append(chipOf(entry, products));
        colours.append(lchOf(entry.rgb));
        exterior = exterior && entry.exterior.value_or(false);
    }
    card.segment =
        ImportPresentation::segmentOfHue(ColourMath::meanHue(colours), m_options.segments);
    card.mood = moodOfColours(colours);
    for (ChipModel &chip : card.chips)
        chip.mood = card.mood;
    card.exterior = exterior;
    card.names = {planned.name};
    card.extras = {exterior ? QStringLiteral("Interior & exterior") : QStringLiteral("Interior")};
    return card;
}

DeckModel ImportDeckBuilder::build(QList<SwatchEntry> entries)
{
    settleCodes(entries);
    const bool grouped =
        std::any_of(entries.cbegin(), entries.cend(),
                    [](const SwatchEntry &entry) { return !entry.group.isEmpty(); });
    const QList<PlannedCard> planned = grouped ? cardsByGroup(entries) : cardsByHue(entries);
    const QStringList products = distinctProducts(entries);

    CollectionModel collection;
    collection.uuid = uuidFor(m_options.systemId);
    collection.systemId = m_options.systemId;
    collection.name = m_options.name;
    collection.order = m_options.order > 0 ? m_options.order : orderFor(m_options.systemId);
    for (const PlannedCard &card : planned)
        collection.cards.append(cardOf(card, entries, products));
    const bool hasExterior = std::any_of(collection.cards.cbegin(), collection.cards.cend(),
                                         [](const CardModel &card) { return card.exterior; });
    collection.settings = ImportPresentation::settings(m_options, hasExterior, !products.isEmpty());
    collection.translations =
        ImportPresentation::translations(m_options.name, static_cast<int>(entries.size()),
                                         static_cast<int>(collection.cards.size()));
    collection.theme = ThemePainter::themeItems(
        ImportPresentation::themeStyle(m_options.name, collection.cards, m_options.segments));
    collection.rowSchemes =
        ImportSchemePlanner(collection.cards, m_options.chipsPerCard, m_options.segments)
            .chipSchemes();

    DeckModel deck;
    deck.systemWideSettings = StandardSettings::systemWide();
    if (!products.isEmpty()) {
        ProductGroupModel group{QStringLiteral("%1 products").arg(m_options.name), {}};
        for (const QString &product : products)
            group.products.append({product, std::nullopt});
        deck.productGroups = {group};
    }
    deck.collections = {collection};
    return deck;
}

} // namespace Tintwell
