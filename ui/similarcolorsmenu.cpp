#include "ui/similarcolorsmenu.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/nearestchips.h"
#include "engine/settings/chiplabels.h"

#include <QPainter>
#include <QPixmap>

namespace Corvo {

namespace {

constexpr int kSwatchSide = 16;
constexpr int kShownDecimals = 2;
const QColor kSwatchOutline(0, 0, 0, 96);

QIcon swatchIcon(const QColor &color)
{
    QPixmap swatch(kSwatchSide, kSwatchSide);
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.setPen(kSwatchOutline);
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    return QIcon(swatch);
}

QString collectionTitle(const QUuid &collection)
{
    const QString name = DB::collectionName(collection);
    return name.trimmed().isEmpty() ? collection.toString(QUuid::WithBraces) : name;
}

// A menu text shows a lone "&" as a mnemonic mark.
QString menuText(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The collection, the chip and, after a tab so that it lines up at the right, the difference.
QString entryText(const DB::NearestChip &chip)
{
    return menuText(collectionTitle(chip.collection) + QStringLiteral(": ") +
                    chipLabel(chip.collection, chip.entry)) +
           QStringLiteral("\t\u0394E ") + QString::number(chip.deltaE, 'f', kShownDecimals);
}

} // namespace

SimilarColorsMenu::SimilarColorsMenu(const QUuid &collection, const DB::ColorEntry &chip,
                                     QWidget *parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("similarColorsMenu"));
    setTitle(tr("Similar colours"));
    const Lab reference{chip.l, chip.a, chip.b};
    for (const QUuid &other : DB::orderedCollections()) {
        if (other == collection)
            continue;
        const QList<DB::NearestChip> nearest = DB::nearestChips({other}, reference, 1);
        if (nearest.isEmpty())
            continue;
        const DB::NearestChip found = nearest.first();
        QAction *action = addAction(swatchIcon(DB::chipColor(found.entry)), entryText(found));
        connect(action, &QAction::triggered, this,
                [this, found] { emit similarColorChosen(found.collection, found.entry); });
    }
    if (actions().isEmpty())
        addAction(tr("No other collection to compare with"))->setEnabled(false);
}

} // namespace Corvo
