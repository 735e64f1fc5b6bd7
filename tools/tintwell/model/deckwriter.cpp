#include "tools/tintwell/model/deckwriter.h"

#include "engine/colour/colorscience.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstdio>

namespace Tintwell {

namespace {

constexpr qint64 kSharedCollectionId = 0;

QString temporaryPathBeside(const QString &path)
{
    const QFileInfo info(path);
    return info.absoluteDir().filePath(QStringLiteral(".%1.partial-%2")
                                           .arg(info.fileName())
                                           .arg(QCoreApplication::applicationPid()));
}

// Replaces the target in one step, so that a reader sees the old file or the new one.
bool replaceFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// PAGE.NAME must be unique in a collection; nothing reads it, so the card's first name
// serves when free, else its position.
QString uniquePageName(const QString &firstName, int pageIndex, QSet<QString> &taken)
{
    const QString base =
        firstName.trimmed().isEmpty() ? QStringLiteral("card %1").arg(pageIndex) : firstName;
    QString name = base;
    for (int attempt = 2; taken.contains(name.toLower()); ++attempt)
        name = QStringLiteral("%1 (%2)").arg(base).arg(attempt);
    taken.insert(name.toLower());
    return name;
}

RowFields rowSpecFor(const ChipModel &chip, const CardModel &card, qint64 pageId, int rowIndex)
{
    RowFields fields;
    fields.pageId = pageId;
    fields.rowIndex = rowIndex;
    fields.code = chip.code;
    fields.segment = chip.segment > 0 ? chip.segment : card.segment;
    fields.red = chip.rgb.red;
    fields.green = chip.rgb.green;
    fields.blue = chip.rgb.blue;
    const Corvo::Lab lab = Corvo::labFromColor(QColor(chip.rgb.red, chip.rgb.green, chip.rgb.blue));
    fields.l = lab.l;
    fields.a = lab.a;
    fields.b = lab.b;
    fields.neutral = chip.neutral;
    fields.white = chip.white;
    fields.mood = chip.mood;
    fields.schemePos = chip.schemePos;
    fields.nschemePos = chip.nschemePos;
    fields.names = chip.names;
    fields.extras = chip.extras;
    fields.isMto = chip.madeToOrder;
    return fields;
}

// Writes one collection; the IDs it hands out stay inside.
class CollectionPass
{
public:
    CollectionPass(CollectionFileWriter &file, const CollectionModel &model,
                   const QList<QList<qint64>> &productIds, const QList<qint64> &groupIds,
                   DeckFigures &figures)
        : m_file(file), m_model(model), m_productIds(productIds), m_groupIds(groupIds),
          m_figures(figures)
    {}

    QString run()
    {
        CollectionFields fields;
        fields.uuid = m_model.uuid;
        fields.systemId = m_model.systemId;
        fields.name = m_model.name;
        fields.order = m_model.order;
        fields.version = m_model.version;
        const std::optional<qint64> id = m_file.addCollection(fields);
        if (!id)
            return where(QStringLiteral("collection"));
        m_id = *id;
        for (const auto &step : {&CollectionPass::writeSettings, &CollectionPass::writeTexts,
                                 &CollectionPass::writeTheme, &CollectionPass::writeCards,
                                 &CollectionPass::writeSchemes, &CollectionPass::writeVistara,
                                 &CollectionPass::writeTextures}) {
            const QString problem = (this->*step)();
            if (!problem.isEmpty())
                return problem;
        }
        return QString();
    }

private:
    QString where(const QString &what) const
    {
        return QStringLiteral("%1 of collection %2: %3")
            .arg(what, m_model.systemId, m_file.lastError());
    }

    QString writeSettings()
    {
        for (const SettingModel &setting : m_model.settings) {
            if (!m_file.addSettingList(m_id, setting.first, setting.second))
                return where(QStringLiteral("setting \"%1\"").arg(setting.first));
            m_figures.settings += static_cast<int>(setting.second.size());
        }
        return QString();
    }

    QString writeTexts()
    {
        for (const TranslationModel &text : m_model.translations) {
            if (!m_file.addLocalizedString(m_id, text.first, text.second))
                return where(QStringLiteral("text \"%1\"").arg(text.first));
            ++m_figures.translations;
        }
        return QString();
    }

    QString writeTheme()
    {
        for (const ThemeItemModel &item : m_model.theme) {
            if (!m_file.addThemeItem(m_id, item.first, item.second))
                return where(QStringLiteral("theme item \"%1\"").arg(item.first));
            ++m_figures.themeItems;
        }
        return QString();
    }

    QString writeCards()
    {
        QSet<QString> pageNames;
        for (int c = 0; c < m_model.cards.size(); ++c) {
            const CardModel &card = m_model.cards.at(c);
            PageFields page;
            page.pageIndex = c + 1;
            page.segment = card.segment;
            page.exterior = card.exterior;
            page.mood = card.mood;
            page.names = card.names;
            page.extras = card.extras;
            page.name = uniquePageName(card.names.value(0), c + 1, pageNames);
            const std::optional<qint64> pageId = m_file.addPage(m_id, page);
            if (!pageId)
                return where(QStringLiteral("card %1").arg(c + 1));
            m_pageIds.append(*pageId);
            m_rowIds.append(QList<qint64>());
            for (int r = 0; r < card.chips.size(); ++r) {
                const ChipModel &chip = card.chips.at(r);
                const std::optional<qint64> rowId =
                    m_file.addRow(m_id, rowSpecFor(chip, card, *pageId, r + 1));
                if (!rowId)
                    return where(QStringLiteral("chip %1 of card %2").arg(r + 1).arg(c + 1));
                m_rowIds.last().append(*rowId);
                const QString problem = writeProducts(chip, *rowId);
                if (!problem.isEmpty())
                    return problem;
            }
            m_figures.chips += static_cast<int>(card.chips.size());
        }
        m_figures.cards += static_cast<int>(m_model.cards.size());
        return QString();
    }

    QString writeProducts(const ChipModel &chip, qint64 rowId)
    {
        QSet<int> groups;
        for (const ProductRef &product : chip.products) {
            if (!m_file.mapRowProduct(m_id, rowId,
                                      m_productIds.at(product.group).at(product.product)))
                return where(QStringLiteral("products of chip %1").arg(chip.code));
            groups.insert(product.group);
        }
        QList<int> ordered(groups.cbegin(), groups.cend());
        std::sort(ordered.begin(), ordered.end());
        for (int group : ordered) {
            if (!m_file.mapRowProductGroup(m_id, rowId, m_groupIds.at(group)))
                return where(QStringLiteral("product groups of chip %1").arg(chip.code));
        }
        return QString();
    }

    qint64 rowId(const ChipRef &ref) const { return m_rowIds.at(ref.card).at(ref.chip); }

    QString writeSchemes()
    {
        for (const RowSchemeModel &scheme : m_model.rowSchemes) {
            for (int group = 0; group < scheme.groups.size(); ++group) {
                const QList<ChipRef> &chips = scheme.groups.at(group);
                for (int position = 0; position < chips.size(); ++position) {
                    if (!m_file.addRowScheme(m_id, rowId(scheme.chip), scheme.kind,
                                             rowId(chips.at(position)), group, position + 1))
                        return where(QStringLiteral("scheme %1 of chip %2")
                                         .arg(scheme.kind)
                                         .arg(m_model.chip(scheme.chip).code));
                    ++m_figures.rowSchemeEntries;
                }
            }
        }
        for (const PageSchemeModel &scheme : m_model.pageSchemes) {
            for (int order = 0; order < scheme.cards.size(); ++order) {
                if (!m_file.addPageScheme(m_id, m_pageIds.at(scheme.card),
                                          m_pageIds.at(scheme.cards.at(order)), scheme.kind, order))
                    return where(QStringLiteral("card scheme %1 of card %2")
                                     .arg(scheme.kind)
                                     .arg(scheme.card + 1));
                ++m_figures.pageSchemeEntries;
            }
        }
        for (const ChipPageSchemeModel &scheme : m_model.chipPageSchemes) {
            for (int order = 0; order < scheme.cards.size(); ++order) {
                if (!m_file.addRowToPageScheme(m_id, rowId(scheme.chip), scheme.kind,
                                               m_pageIds.at(scheme.cards.at(order)), order))
                    return where(QStringLiteral("card scheme %1 of chip %2")
                                     .arg(scheme.kind)
                                     .arg(m_model.chip(scheme.chip).code));
                ++m_figures.chipPageSchemeEntries;
            }
        }
        return QString();
    }

    QString writeVistara()
    {
        for (int g = 0; g < m_model.vistaraGroups.size(); ++g) {
            const VistaraGroupModel &group = m_model.vistaraGroups.at(g);
            const qint64 owner = group.shared ? kSharedCollectionId : m_id;
            const std::optional<qint64> groupId =
                m_file.addVistaraGroup(owner, group.name, group.defaultOpen, g + 1);
            if (!groupId)
                return where(QStringLiteral("trend group \"%1\"").arg(group.name));
            for (int e = 0; e < group.entries.size(); ++e) {
                const VistaraEntryModel &entry = group.entries.at(e);
                VistaraEntryFields fields;
                fields.groupId = *groupId;
                if (entry.chip)
                    fields.rowId = rowId(*entry.chip);
                fields.name1 = entry.name1;
                fields.name2 = entry.name2;
                fields.red = entry.rgb.red;
                fields.green = entry.rgb.green;
                fields.blue = entry.rgb.blue;
                fields.order = e + 1;
                if (!m_file.addVistaraEntry(owner, fields))
                    return where(QStringLiteral("entry %1 of trend group \"%2\"")
                                     .arg(e + 1)
                                     .arg(group.name));
                ++m_figures.vistaraEntries;
            }
        }
        return QString();
    }

    QString writeTextures()
    {
        for (const TextureModel &texture : m_model.textures) {
            TextureFields fields;
            fields.collectionId = m_id;
            fields.name = texture.name;
            fields.image = texture.image;
            fields.baseAlpha = texture.baseAlpha;
            const std::optional<qint64> textureId = m_file.addTexture(fields);
            if (!textureId)
                return where(QStringLiteral("texture \"%1\"").arg(texture.name));
            for (const TexturePlacementModel &placement : texture.placements) {
                if (!m_file.mapTexture(*textureId, m_pageIds.at(placement.card), placement.alpha,
                                       placement.name))
                    return where(QStringLiteral("texture \"%1\" on card %2")
                                     .arg(texture.name)
                                     .arg(placement.card + 1));
            }
            ++m_figures.textures;
        }
        return QString();
    }

    CollectionFileWriter &m_file;
    const CollectionModel &m_model;
    const QList<QList<qint64>> &m_productIds;
    const QList<qint64> &m_groupIds;
    DeckFigures &m_figures;
    qint64 m_id = -1;
    QList<qint64> m_pageIds;
    QList<QList<qint64>> m_rowIds;
};

} // namespace

bool DeckWriter::fail(const QString &what)
{
    m_lastError = what;
    return false;
}

bool DeckWriter::write(const DeckModel &deck, const QString &path)
{
    m_figures = DeckFigures();
    const QString temporary = temporaryPathBeside(path);
    CollectionFileWriter file;
    const auto abandon = [&](const QString &what) {
        file.close();
        QFile::remove(temporary);
        return fail(what);
    };
    if (!QFileInfo(path).absoluteDir().exists())
        return fail(QStringLiteral("the folder of %1 does not exist").arg(path));
    if (!file.create(temporary) || !file.beginTransaction())
        return abandon(file.lastError());
    if (!file.addSystemWideCollection())
        return abandon(file.lastError());
    for (const SettingModel &setting : deck.systemWideSettings) {
        if (!file.addSettingList(kSharedCollectionId, setting.first, setting.second))
            return abandon(QStringLiteral("system-wide setting \"%1\": %2")
                               .arg(setting.first, file.lastError()));
    }
    QList<QList<qint64>> productIds;
    QList<qint64> groupIds;
    for (const ProductGroupModel &group : deck.productGroups) {
        const std::optional<qint64> groupId = file.addProductGroup(group.name);
        if (!groupId)
            return abandon(file.lastError());
        groupIds.append(*groupId);
        productIds.append(QList<qint64>());
        for (const ProductModel &product : group.products) {
            const std::optional<qint64> productId = file.addProduct(product.name, product.code);
            if (!productId ||
                !file.exec(QStringLiteral("INSERT INTO PRODUCT_PRODUCT_GROUP_MAP "
                                          "(PRODUCT_GROUP_ID, PRODUCT_ID) VALUES (?, ?)"),
                           {*groupId, *productId}))
                return abandon(file.lastError());
            productIds.last().append(*productId);
            ++m_figures.products;
        }
    }
    for (const CollectionModel &collection : deck.collections) {
        CollectionPass pass(file, collection, productIds, groupIds, m_figures);
        const QString problem = pass.run();
        if (!problem.isEmpty())
            return abandon(problem);
        ++m_figures.collections;
    }
    if (!file.commit() || !file.close())
        return abandon(file.lastError());
    if (!replaceFile(temporary, path)) {
        QFile::remove(temporary);
        return fail(QStringLiteral("cannot move the new file to %1").arg(path));
    }
    return true;
}

} // namespace Tintwell
