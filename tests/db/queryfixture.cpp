#include "queryfixture.h"

#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QBuffer>
#include <QImage>

namespace {

constexpr qint64 kA = 1;
constexpr qint64 kB = 2;
constexpr qint64 kC = 3;
constexpr qint64 kD = 4;
constexpr qint64 kE = 5;

struct CardPlan
{
    int pageIndex;
    int segment;
    int mood;
    bool exterior;
};

// Cards of collection A: index, segment, mood, exterior. Stored in this order, not by index.
const CardPlan kCardsOfA[] = {
    {3, 5, 5, true},  {1, 2, 1, false}, {2, 2, 2, true},
    {6, 3, 4, false}, {4, 7, 6, false}, {5, 9, 1, true},
};

QByteArray pngBytes()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

QueryFixture::QueryFixture(const TestEnvironment &environment)
    : path(environment.collectionFile(QStringLiteral("deck.db")))
{
    m_valid = build();
}

QUuid QueryFixture::uuidA()
{
    return QUuid(QStringLiteral("{0A000000-0000-4000-8000-00000000000A}"));
}

QUuid QueryFixture::uuidB()
{
    return QUuid(QStringLiteral("{0B000000-0000-4000-8000-00000000000B}"));
}

QUuid QueryFixture::uuidC()
{
    return QUuid(QStringLiteral("{0C000000-0000-4000-8000-00000000000C}"));
}

QUuid QueryFixture::uuidD()
{
    return QUuid(QStringLiteral("{0D000000-0000-4000-8000-00000000000D}"));
}

QUuid QueryFixture::uuidE()
{
    return QUuid(QStringLiteral("{0E000000-0000-4000-8000-00000000000E}"));
}

bool QueryFixture::alter(const QString &sql, std::initializer_list<QVariant> values) const
{
    Tintwell::CollectionFileWriter writer;
    return writer.open(path) && writer.exec(sql, values) && writer.close();
}

bool QueryFixture::build()
{
    Tintwell::CollectionFileWriter writer;
    auto failed = [&]() {
        m_error = writer.lastError();
        return false;
    };
    if (!writer.create(path) || !writer.beginTransaction() || !writer.addSystemWideCollection())
        return failed();

    const struct
    {
        qint64 id;
        QUuid uuid;
        const char *systemId;
        const char *name;
        int order;
        const char *enabled;
    } collections[] = {
        {kA, uuidA(), "A", "Alpha & Co", 1, "1"}, {kB, uuidB(), "B", "Beta", 2, "1"},
        {kC, uuidC(), "C", "Gamma", 3, "2"},      {kD, uuidD(), "D", "Delta", 4, "0"},
        {kE, uuidE(), "E", "Empty", 5, "1"},
    };
    for (const auto &c : collections) {
        Tintwell::CollectionFields fields;
        fields.id = c.id;
        fields.uuid = c.uuid;
        fields.systemId = QString::fromLatin1(c.systemId);
        fields.name = QString::fromUtf8(c.name);
        fields.order = c.order;
        if (!writer.addCollection(fields) ||
            !writer.addSetting(c.id, QStringLiteral("collection.enabled"),
                               QString::fromLatin1(c.enabled)))
            return failed();
    }

    // Name orders of A: cards searched by NAME0, chips by NAME0 and NAME1; tool tips show
    // NAME2 before NAME0. B searches an order with entries outside 0 to 9.
    const bool settingsWritten =
        writer.addSettingList(kA, QStringLiteral("page.name.search.order"), {"0"}) &&
        writer.addSettingList(kA, QStringLiteral("row.name.search.order"), {"0", "1"}) &&
        writer.addSettingList(kA, QStringLiteral("page.name.display.order"), {"0"}) &&
        writer.addSettingList(kA, QStringLiteral("row.name.display.order"), {"2", "0"}) &&
        writer.addSettingList(kA, QStringLiteral("row.extra.display.order"), {"0"}) &&
        writer.addSettingList(kB, QStringLiteral("row.name.search.order"), {"10", "-1", "0"}) &&
        writer.addSettingList(kB, QStringLiteral("row.name.display.order"), {"0"}) &&
        writer.addSetting(kA, QStringLiteral("capsure.enabled"), QStringLiteral("1")) &&
        writer.addSetting(kA, QStringLiteral("capsure.priority"), QStringLiteral("2")) &&
        writer.addSetting(kB, QStringLiteral("capsure.enabled"), QStringLiteral("1")) &&
        writer.addSetting(kB, QStringLiteral("capsure.priority"), QStringLiteral("1")) &&
        writer.addSetting(kC, QStringLiteral("capsure.enabled"), QStringLiteral("1"));
    if (!settingsWritten)
        return failed();

    int colour = 10;
    auto addCard = [&](qint64 collection, const QString &name, const CardPlan &plan,
                       const QStringList &cardNames) -> bool {
        Tintwell::PageFields page;
        page.pageIndex = plan.pageIndex;
        page.segment = plan.segment;
        page.mood = plan.mood;
        page.exterior = plan.exterior;
        page.names = cardNames;
        const auto pageId = writer.addPage(collection, page);
        if (!pageId)
            return false;
        pages.insert(name, *pageId);
        // Stored out of order on purpose: 3, 1, 2.
        for (const int rowIndex : {3, 1, 2}) {
            const QString rowName = name + QStringLiteral("r%1").arg(rowIndex);
            Tintwell::RowFields row;
            row.pageId = *pageId;
            row.rowIndex = rowIndex;
            row.code = rowName.toUpper();
            row.segment = plan.segment;
            row.red = colour;
            row.green = colour + 1;
            row.blue = colour + 2;
            row.l = colour / 3.0;
            row.a = 1.5;
            row.b = -2.5;
            row.mood = plan.mood;
            row.names = {QStringLiteral("Name %1").arg(rowName),
                         QStringLiteral("Alt %1").arg(rowName),
                         rowIndex == 2 ? QString() : QStringLiteral("Third %1").arg(rowName)};
            row.extras = {QStringLiteral("Extra %1").arg(rowName)};
            colour += 3;
            const auto rowId = writer.addRow(collection, row);
            if (!rowId)
                return false;
            rows.insert(rowName, *rowId);
        }
        return true;
    };
    for (const CardPlan &plan : kCardsOfA) {
        const QString name = QStringLiteral("p%1").arg(plan.pageIndex);
        if (!addCard(kA, name, plan, {QStringLiteral("Card %1").arg(plan.pageIndex)}))
            return failed();
    }
    if (!addCard(kB, QStringLiteral("p7"), {7, 4, 3, false}, {QStringLiteral("Card B7")}) ||
        !writer.mapPage(kB, page(QStringLiteral("p6"))) ||
        !addCard(kC, QStringLiteral("p8"), {1, 1, 1, false}, {QStringLiteral("Card C1")}) ||
        !addCard(kD, QStringLiteral("p9"), {1, 1, 1, false}, {QStringLiteral("Card D1")}))
        return failed();

    // Chips with texts from outside: a quote, non-ASCII letters, HTML, no code at all.
    const bool textsWritten =
        writer.exec(QStringLiteral("UPDATE \"ROW\" SET CODE = 'O''BRIEN 1' WHERE ID = ?"),
                    {row(QStringLiteral("p1r3"))}) &&
        writer.exec(QStringLiteral("UPDATE \"ROW\" SET NAME0 = 'Blå', NAME1 = 'Rødgrå' WHERE "
                                   "ID = ?"),
                    {row(QStringLiteral("p2r1"))}) &&
        writer.exec(QStringLiteral("UPDATE \"ROW\" SET NAME0 = 'Black & Tan <b>', CODE = '', "
                                   "NEUTRAL = 1 WHERE ID = ?"),
                    {row(QStringLiteral("p4r2"))}) &&
        writer.exec(QStringLiteral("UPDATE PAGE SET NAME0 = 'Fjäll' WHERE ID = ?"),
                    {page(QStringLiteral("p5"))}) &&
        writer.exec(QStringLiteral("UPDATE \"ROW\" SET RED = 250, GREEN = 1, BLUE = 2 WHERE ID "
                                   "= ?"),
                    {row(QStringLiteral("p8r1"))});
    if (!textsWritten)
        return failed();

    // Schemes around chip p1r1 (and the neutral p4r2, the rich p6r1).
    const qint64 chip = row(QStringLiteral("p1r1"));
    const bool schemesWritten =
        writer.addRowScheme(kA, chip, 1, row(QStringLiteral("p2r1")), 1, 2) &&
        writer.addRowScheme(kA, chip, 1, row(QStringLiteral("p2r2")), 0, 5) &&
        writer.addRowScheme(kA, chip, 1, row(QStringLiteral("p2r3")), 0, 1) &&
        writer.addRowScheme(kA, chip, 5, row(QStringLiteral("p3r1")), 0, 1) &&
        writer.addRowScheme(kA, row(QStringLiteral("p4r2")), 5, row(QStringLiteral("p3r2")), 0,
                            1) &&
        writer.addRowScheme(kA, chip, 8, row(QStringLiteral("p3r3")), 0, 1) &&
        writer.addRowScheme(kA, row(QStringLiteral("p6r1")), 8, row(QStringLiteral("p5r1")), 0,
                            1) &&
        writer.addRowScheme(kA, chip, 2, row(QStringLiteral("p5r1")), 0, 1) &&
        writer.addRowScheme(kA, chip, 2, row(QStringLiteral("p5r2")), 1, 1) &&
        writer.addRowScheme(kA, chip, 3, row(QStringLiteral("p5r3")), 2, 1) &&
        writer.addRowScheme(kA, chip, 3, row(QStringLiteral("p6r1")), 1, 1) &&
        writer.addRowScheme(kA, chip, 3, row(QStringLiteral("p6r2")), 0, 1) &&
        writer.addRowScheme(kA, row(QStringLiteral("p1r2")), 2, row(QStringLiteral("p6r3")), 1,
                            1) &&
        writer.addRowScheme(kA, row(QStringLiteral("p1r2")), 2, row(QStringLiteral("p6r2")), 0,
                            1) &&
        writer.addRowScheme(kB, chip, 1, row(QStringLiteral("p7r1")), 0, 1) &&
        writer.addRowToPageScheme(kA, chip, 4, page(QStringLiteral("p3")), 2) &&
        writer.addRowToPageScheme(kA, chip, 4, page(QStringLiteral("p2")), 1) &&
        writer.addPageScheme(kA, page(QStringLiteral("p1")), page(QStringLiteral("p4")), 6, 0) &&
        writer.addPageScheme(kA, page(QStringLiteral("p1")), page(QStringLiteral("p7")), 6, 1) &&
        writer.addPageScheme(kA, page(QStringLiteral("p1")), page(QStringLiteral("p5")), 6, 2) &&
        writer.addPageScheme(kA, page(QStringLiteral("p1")), page(QStringLiteral("p6")), 8, 0);
    if (!schemesWritten)
        return failed();

    // Trend groups: one of A, one shared by the file (COLLECTION_ID 0), one of B.
    const auto groupA = writer.addVistaraGroup(kA, QStringLiteral("Spring"), true, 2);
    const auto groupShared = writer.addVistaraGroup(0, QStringLiteral("Year"), false, 1);
    const auto groupB = writer.addVistaraGroup(kB, QStringLiteral("Beta only"), false, 0);
    if (!groupA || !groupShared || !groupB)
        return failed();
    for (const int order : {3, 1, 2}) {
        Tintwell::VistaraEntryFields entry;
        entry.groupId = *groupA;
        entry.order = order;
        entry.name1 = QStringLiteral("Entry %1").arg(order);
        entry.red = order;
        if (order == 1)
            entry.rowId = chip;
        if (!writer.addVistaraEntry(kA, entry))
            return failed();
    }

    // Products of chip p1r1: with a code, without one (NULL), with an empty one.
    const auto matt = writer.addProduct(QStringLiteral("Matt"), QStringLiteral("M1"));
    const auto gloss = writer.addProduct(QStringLiteral("Gloss"));
    const auto satin = writer.addProduct(QStringLiteral("Satin"), QString());
    const auto interior = writer.addProductGroup(QStringLiteral("Interior"));
    const auto unnamed = writer.addProductGroup(QString());
    if (!matt || !gloss || !satin || !interior || !unnamed ||
        !writer.mapRowProduct(kA, chip, *matt) || !writer.mapRowProduct(kA, chip, *gloss) ||
        !writer.mapRowProduct(kA, chip, *satin) ||
        !writer.mapRowProductGroup(kA, chip, *interior) ||
        !writer.mapRowProductGroup(kA, chip, *unnamed))
        return failed();

    // Textures: shared, A's (not an image), B's; two placements on card 1.
    Tintwell::TextureFields shared{0, QStringLiteral("Plaster"), pngBytes(), 0.5};
    Tintwell::TextureFields ofA{kA, QStringLiteral("Broken"), QByteArray("not an image"), 1.0};
    Tintwell::TextureFields ofB{kB, QStringLiteral("Wood"), pngBytes(), 1.0};
    const auto sharedTexture = writer.addTexture(shared);
    const auto textureOfA = writer.addTexture(ofA);
    if (!sharedTexture || !textureOfA || !writer.addTexture(ofB) ||
        !writer.mapTexture(*sharedTexture, page(QStringLiteral("p1")), 0.25,
                           QStringLiteral("Plaster wall")) ||
        !writer.mapTexture(*textureOfA, page(QStringLiteral("p1")), 1.0, QStringLiteral("Raw")))
        return failed();
    textures.insert(QStringLiteral("shared"), *sharedTexture);
    textures.insert(QStringLiteral("ofA"), *textureOfA);

    return writer.commit() || failed();
}
