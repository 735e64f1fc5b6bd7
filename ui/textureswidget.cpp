#include "ui/textureswidget.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/texturequeries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/texturesviewport.h"
#include "ui/viewportscrollarea.h"

#include <QStringList>

#include <optional>

namespace Corvo {

namespace {

const QString kHeaderKey = QStringLiteral("textures.select.message");
// The tint when the selected chip cannot be found.
const QColor kMissingRowTint(255, 0, 0);

std::optional<DB::ColorEntry> rowOnPage(const DB::ColorPage &page, int rowIndex)
{
    for (const DB::ColorEntry &row : page.rows) {
        if (row.rowIndex == rowIndex)
            return row;
    }
    return std::nullopt;
}

} // namespace

TexturesWidget::TexturesWidget(QWidget *parent)
    : QWidget(parent), m_scrollArea(new ViewportScrollArea(this)), m_viewport(new TexturesViewport)
{
    setAccessibleName(tr("Textures"));
    m_viewport->setAccessibleName(accessibleName());
    m_scrollArea->setContent(m_viewport);
    connect(m_scrollArea, &ViewportScrollArea::viewportWidthChanged, m_viewport,
            &TexturesViewport::layoutForWidth);
    loadCollection(Preferences::uuidOfLastUsedCollection());
}

void TexturesWidget::selectedCollectionChanged(const QUuid &collection)
{
    loadCollection(collection);
    reloadWhenShown();
}

void TexturesWidget::selectedPageChanged()
{
    m_stale = true;
    reloadWhenShown();
}

void TexturesWidget::selectedRowChanged()
{
    m_stale = true;
    reloadWhenShown();
}

void TexturesWidget::layoutViewport()
{
    m_scrollArea->setGeometry(rect());
    m_viewport->layoutForWidth(m_scrollArea->viewport()->width());
}

void TexturesWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutViewport();
}

void TexturesWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    reloadWhenShown();
}

void TexturesWidget::loadCollection(const QUuid &collection)
{
    m_collection = collection;
    m_textures.clear();
    m_texturesLoaded = false;
    m_viewport->clearTileCache();
    m_viewport->setTileSize(CollectionSettings::textureSize(collection, kDefaultTextureSize));
    m_viewport->setHeader(DB::localizedString(collection, kHeaderKey));
    m_stale = true;
}

void TexturesWidget::reloadWhenShown()
{
    if (m_stale && isVisible())
        reload();
}

const QHash<qint64, DB::Texture> &TexturesWidget::collectionTextures()
{
    if (!m_texturesLoaded) {
        DB::textures(m_collection, m_textures);
        m_texturesLoaded = true;
    }
    return m_textures;
}

void TexturesWidget::reload()
{
    m_stale = false;
    QList<ShownTexture> shown;
    QColor tint = kMissingRowTint;
    QString code;
    DB::ColorPage page;
    QList<DB::TexturePlacement> placements;
    if (DB::pageAt(m_collection, Preferences::pageIndex(m_collection), page) == DB::Ok &&
        DB::texturePlacements(m_collection, page.id, placements) == DB::Ok) {
        if (const auto row = rowOnPage(page, Preferences::rowIndex(m_collection))) {
            tint = DB::chipColor(*row);
            code = row->code;
        }
        const QHash<qint64, DB::Texture> &textures = collectionTextures();
        for (const DB::TexturePlacement &placement : placements) {
            const DB::Texture texture = textures.value(placement.textureId);
            // A texture without a picture (missing, or bytes that do not decode) is left out.
            if (texture.image.isNull())
                continue;
            shown.append({placement.textureId, texture.image, placement.alpha,
                          placement.name.isEmpty() ? texture.name : placement.name});
        }
    }
    m_viewport->setTextures(shown, tint);
    layoutViewport();
    QStringList captions;
    for (const ShownTexture &texture : shown)
        captions.append(texture.caption);
    refreshAccessibleDescription(
        captions.isEmpty() ? tr("No textures for this card")
        : code.isEmpty()   ? captions.join(QStringLiteral(", "))
                           : tr("%1 in %2").arg(captions.join(QStringLiteral(", ")), code));
}

void TexturesWidget::refreshAccessibleDescription(const QString &description)
{
    if (accessibleDescription() == description)
        return;
    setAccessibleDescription(description);
    m_viewport->setAccessibleDescription(description);
}

} // namespace Corvo
