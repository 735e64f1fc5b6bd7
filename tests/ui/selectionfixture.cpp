#include "selectionfixture.h"

#include "fixturefiles.h"

#include <QList>

namespace {

struct Card
{
    int segment;
    int mood;
    bool exterior;
    QString chips; // one letter a chip: "c" an ordinary chip, "m" a made-to-order one
};

struct Deck
{
    qint64 id;
    QString uuid;
    QString name;
    QList<std::pair<QString, QString>> settings;
    QList<Card> cards;
};

const QString kTiny = QStringLiteral("{6a8f3c21-0b7e-4d52-9e61-3f2a9c5d7b11}");
const QString kMetal = QStringLiteral("{6a8f3c21-0b7e-4d52-9e61-3f2a9c5d7b12}");
const QString kPlain = QStringLiteral("{6a8f3c21-0b7e-4d52-9e61-3f2a9c5d7b13}");
const QString kNoExterior = QStringLiteral("{6a8f3c21-0b7e-4d52-9e61-3f2a9c5d7b14}");

QList<Deck> decks()
{
    const auto normal = std::pair{QStringLiteral("card.type"), QStringLiteral("normal")};
    return {
        {11,
         kTiny,
         QStringLiteral("Tiny"),
         {normal,
          {QStringLiteral("has.product.groups.page"), QStringLiteral("1")},
          {QStringLiteral("has.vistara.page"), QStringLiteral("1")}},
         {{1, 5, false, QStringLiteral("ccc")},
          {1, 1, true, QStringLiteral("ccc")},
          {2, 2, false, QStringLiteral("c")},
          {3, 6, true, QStringLiteral("cc")},
          {4, 1, false, QStringLiteral("ccc")},
          {5, 4, true, QStringLiteral("cc")},
          {6, 5, true, QStringLiteral("c")}}},
        {12,
         kMetal,
         QStringLiteral("Metal"),
         {{QStringLiteral("card.type"), QStringLiteral("lustrel")}},
         {{1, 6, false, QStringLiteral("cmm")},
          {1, 2, false, QStringLiteral("mc")},
          {2, 3, false, QStringLiteral("mm")},
          {3, 6, false, QStringLiteral("c")}}},
        {13,
         kPlain,
         QStringLiteral("Plain"),
         {normal, {QStringLiteral("mood.visible"), QStringLiteral("0")}},
         {{1, 5, false, QStringLiteral("cc")},
          {2, 1, false, QStringLiteral("c")},
          {2, 6, true, QStringLiteral("cc")}}},
        {14,
         kNoExterior,
         QStringLiteral("Inside"),
         {normal, {QStringLiteral("has.exterior.filter"), QStringLiteral("0")}},
         {{1, 1, false, QStringLiteral("cc")},
          {2, 2, false, QStringLiteral("c")},
          {3, 3, true, QStringLiteral("cc")}}},
    };
}

bool writeDeck(Tintwell::CollectionFileWriter &writer, const Deck &deck)
{
    for (const auto &[name, value] : deck.settings) {
        if (!writer.addSetting(deck.id, name, value))
            return false;
    }
    for (int index = 1; index <= deck.cards.size(); ++index) {
        const Card &card = deck.cards.at(index - 1);
        Tintwell::PageFields fields;
        fields.pageIndex = index;
        fields.segment = card.segment;
        fields.mood = card.mood;
        fields.exterior = card.exterior;
        fields.names = {QStringLiteral("%1 %2").arg(deck.name).arg(index)};
        const auto page = writer.addPage(deck.id, fields);
        if (!page)
            return false;
        for (int chip = 1; chip <= card.chips.size(); ++chip) {
            Tintwell::RowFields row;
            row.pageId = *page;
            row.rowIndex = chip;
            row.segment = card.segment;
            row.code = QStringLiteral("%1-%2-%3").arg(deck.name).arg(index).arg(chip);
            row.red = 20 * index + 3 * chip;
            row.green = 10 * deck.id;
            row.blue = 30 * chip;
            row.l = 10.0 * index + chip;
            row.a = deck.id;
            row.b = chip;
            row.isMto = card.chips.at(chip - 1) == QLatin1Char('m');
            if (!writer.addRow(deck.id, row))
                return false;
        }
    }
    return true;
}

} // namespace

bool SelectionFixture::write(const QString &path)
{
    QList<Tintwell::CollectionFields> collections;
    for (const Deck &deck : decks())
        collections.append(FixtureFiles::collection(deck.id, deck.uuid, deck.name.toUpper(),
                                                    int(deck.id), deck.name));
    return FixtureFiles::writeCollectionFile(path, collections, false,
                                             [](Tintwell::CollectionFileWriter &writer) {
                                                 for (const Deck &deck : decks()) {
                                                     if (!writeDeck(writer, deck))
                                                         return false;
                                                 }
                                                 return true;
                                             });
}

QUuid SelectionFixture::tiny()
{
    return QUuid(kTiny);
}

QUuid SelectionFixture::metal()
{
    return QUuid(kMetal);
}

QUuid SelectionFixture::plain()
{
    return QUuid(kPlain);
}

QUuid SelectionFixture::noExterior()
{
    return QUuid(kNoExterior);
}
