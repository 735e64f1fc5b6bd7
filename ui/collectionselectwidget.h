#pragma once

#include "engine/db/colorentry.h"
#include "ui/collectionselectlayout.h"
#include "ui/collectionselectpainter.h"

#include <QList>
#include <QListWidget>
#include <QPointer>
#include <QString>
#include <QUuid>
#include <QWidget>

namespace Corvo {

class DropDownButton;
class ImageButton;

// The bar naming the current collection. Its drop-down list offers every collection; the
// Capsure button, shown while a measurement file is there, offers the colours the
// measurement may stand for. It only asks: the main widget switches the collection or
// jumps to the colour.
//
// The list is a child of the selector's parent, so that it can open over the widgets
// below the bar.
class CollectionSelectWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize kCapsureImageSize{16, 16};

    explicit CollectionSelectWidget(QWidget *parent = nullptr);
    ~CollectionSelectWidget() override;

    QSize sizeHint() const override { return CollectionSelectLayout::kSize; }
    const CollectionSelectLayout &selectorLayout() const { return m_layout; }
    QListWidget *listWidget() const { return m_list; }
    // None with fewer than two collections.
    DropDownButton *dropDownButton() const { return m_dropDown; }
    ImageButton *capsureButton() const { return m_capsureButton; }
    QString collectionName() const { return m_look.name; }
    // The measurement file last found usable.
    QString pendingCapsureFile() const { return m_pendingFile; }

    // The "background-color: qlineargradient(...)" sheet of the list for its two stops.
    static QString listStyleSheet(const QColor &bottom, const QColor &top);
    // Exists and can be read; it is never opened for writing.
    static bool isUsableCapsureFile(const QString &path);

signals:
    void collectionSelectedInteractively(const QUuid &collection);
    void capsureItemSelectedInteractively(const QUuid &collection,
                                          const Corvo::DB::ColorEntry &entry);

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    void capsureFileChanged(const QString &fileName);

private slots:
    void dropDownButtonClicked();
    void capsureButtonClicked();
    void listWidgetItemActivated(QListWidgetItem *item);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createList();
    void loadCollection(const QUuid &collection);
    void rebuildLayout();
    void showList();
    void hideList();
    void placeList();
    void setCapsureButtonShown(bool shown);
    void refreshAccessibleText();

    QUuid m_collection;
    QList<QUuid> m_collections;
    CollectionSelectLook m_look;
    CollectionSelectLayout m_layout;
    QPointer<QListWidget> m_list;
    // The list as the event filter sees it, compared without a cast.
    QObject *m_listObject = nullptr;
    DropDownButton *m_dropDown = nullptr;
    ImageButton *m_capsureButton;
    QUuid m_chosen;
    QString m_pendingFile;
    // A measurement waits to be looked at: the button pulses once it can be seen.
    bool m_capsureWaiting = false;
};

} // namespace Corvo
