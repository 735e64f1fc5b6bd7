#include "palettefixture.h"

#include "tools/tintwell/authoring/collectionfilewriter.h"

namespace {

constexpr qint64 kCollectionId = 1;

struct Deck
{
    QUuid uuid;
    const char *systemId;
    const char *name;
    const char *file;
    int cards;
    int chipsPerCard;
    bool systemWide;
};

} // namespace

PaletteFixture::PaletteFixture(const TestEnvironment &environment)
{
    m_valid = build(environment);
}

QUuid PaletteFixture::nordlys()
{
    return QUuid(QStringLiteral("{4e4c0000-0000-4000-8000-000000000001}"));
}

QUuid PaletteFixture::terra()
{
    return QUuid(QStringLiteral("{54520000-0000-4000-8000-000000000002}"));
}

QUuid PaletteFixture::notInstalled()
{
    return QUuid(QStringLiteral("{99990000-0000-4000-8000-000000000009}"));
}

bool PaletteFixture::build(const TestEnvironment &environment)
{
    const Deck decks[] = {
        {nordlys(), "NL", "Nordlys & Co", "nordlys.db", 3, 4, true},
        {terra(), "TR", "Terra", "terra.db", 2, 3, false},
    };
    int colour = 20;
    for (const Deck &deck : decks) {
        Tintwell::CollectionFileWriter writer;
        auto failed = [&]() {
            m_error = writer.lastError();
            return false;
        };
        if (!writer.create(environment.collectionFile(QLatin1StringView(deck.file))) ||
            !writer.beginTransaction() || (deck.systemWide && !writer.addSystemWideCollection()))
            return failed();
        Tintwell::CollectionFields fields;
        fields.id = kCollectionId;
        fields.uuid = deck.uuid;
        fields.systemId = QLatin1StringView(deck.systemId);
        fields.name = QString::fromUtf8(deck.name);
        if (!writer.addCollection(fields) ||
            !writer.addSetting(kCollectionId, QStringLiteral("collection.enabled"),
                               QStringLiteral("1")))
            return failed();
        if (deck.systemWide &&
            (!writer.addSettingList(kCollectionId, QStringLiteral("row.name.display.order"),
                                    {QStringLiteral("1"), QStringLiteral("0")}) ||
             !writer.addSettingList(kCollectionId, QStringLiteral("row.name.search.order"),
                                    {QStringLiteral("0")}) ||
             !writer.addLocalizedString(kCollectionId,
                                        QStringLiteral("mypalette.note.instructions"),
                                        QStringLiteral("Drop chips here"))))
            return failed();
        const QString prefix = QLatin1StringView(deck.systemId);
        for (int card = 1; card <= deck.cards; ++card) {
            Tintwell::PageFields pageFields;
            pageFields.pageIndex = card;
            pageFields.segment = card;
            const auto pageId = writer.addPage(kCollectionId, pageFields);
            if (!pageId)
                return failed();
            pages.insert(prefix + QStringLiteral("-p%1").arg(card), *pageId);
            for (int chip = 1; chip <= deck.chipsPerCard; ++chip) {
                const QString number = QStringLiteral("%1%2").arg(card).arg(chip);
                Tintwell::RowFields row;
                row.pageId = *pageId;
                row.rowIndex = chip;
                row.code = prefix + QLatin1Char('-') + number;
                row.red = colour;
                row.green = colour + 1;
                row.blue = colour + 2;
                colour += 3;
                row.names = {QStringLiteral("Fjord ") + number,
                             card == 2 && chip == 3 ? QString() : QStringLiteral("Blå ") + number};
                const auto rowId = writer.addRow(kCollectionId, row);
                if (!rowId)
                    return failed();
                rows.insert(row.code, *rowId);
            }
        }
        if (!writer.commit() || !writer.close())
            return failed();
    }
    return true;
}
