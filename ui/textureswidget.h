#pragma once

#include "engine/db/texture.h"

#include <QHash>
#include <QUuid>
#include <QWidget>

namespace Corvo {

class TexturesViewport;
class ViewportScrollArea;

// The textures view: the surfaces offered for the current card, tinted with the selected
// colour, under the collection's header line. It reloads only while shown; a change while
// hidden is picked up when it is shown again.
class TexturesWidget : public QWidget
{
    Q_OBJECT
public:
    // The tile size when neither the collection nor the system-wide collection sets one.
    static constexpr QSize kDefaultTextureSize{148, 96};

    explicit TexturesWidget(QWidget *parent = nullptr);

    TexturesViewport *texturesViewport() const { return m_viewport; }
    ViewportScrollArea *scrollArea() const { return m_scrollArea; }

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    void selectedPageChanged();
    void selectedRowChanged();
    // Lays the viewport out for the visible width (the main widget calls it when the tab
    // is shown).
    void layoutViewport();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void loadCollection(const QUuid &collection);
    void reloadWhenShown();
    void reload();
    const QHash<qint64, DB::Texture> &collectionTextures();
    void refreshAccessibleDescription(const QString &description);

    QUuid m_collection;
    // Decoded once per collection, when first needed.
    QHash<qint64, DB::Texture> m_textures;
    bool m_texturesLoaded = false;
    // An input changed while the view was hidden.
    bool m_stale = true;
    ViewportScrollArea *m_scrollArea = nullptr;
    TexturesViewport *m_viewport = nullptr;
};

} // namespace Corvo
