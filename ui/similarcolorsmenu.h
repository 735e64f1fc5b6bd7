#pragma once

#include "engine/db/colorentry.h"

#include <QMenu>
#include <QUuid>

namespace Corvo {

// For a chip, the nearest chip of every other offered collection, one entry each with a
// swatch, the collection, code, name and difference; collections without chips are left
// out. Choosing an entry only reports it: the main widget goes there.
class SimilarColorsMenu : public QMenu
{
    Q_OBJECT
public:
    SimilarColorsMenu(const QUuid &collection, const DB::ColorEntry &chip,
                      QWidget *parent = nullptr);

signals:
    void similarColorChosen(const QUuid &collection, const Corvo::DB::ColorEntry &entry);
};

} // namespace Corvo
