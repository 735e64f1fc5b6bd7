#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/selectiontypes.h"
#include "engine/palette/palettefileformat.h"
#include "ui/mainwidgetlayout.h"
#include "ui/palettefiledialogs.h"
#include "ui/selectioncontroller.h"

#include <QList>
#include <QMap>
#include <QPixmap>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPropertyAnimation;
class QTemporaryFile;

namespace Corvo {

class CapsureWatch;
class CardRollerWidget;
class CollectionSelectWidget;
class ColorSchemerLustrelWidget;
class ColorSchemerWidget;
class ColorWheelWidget;
class MoodSelectWidget;
class MyPaletteFullWidget;
class MyPaletteModel;
class MyPaletteWidget;
class ProductsWidget;
class SearchWidget;
class TabBarWidget;
class TaskButton;
class TexturesWidget;
class VistaraWidget;

// The picker's one widget: it owns every view, lays them out, and is the only place where
// the user's selection changes. Views ask through their ...Interactively signals; the main
// widget checks the request, stores it in the preferences and redraws exactly the views
// that show it.
class MainWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kSize{800, 600};
    static constexpr int kSaveButton = 1;
    static constexpr int kLoadButton = 2;
    static constexpr int kHelpButton = 3;
    static constexpr int kAboutButton = 4;
    static constexpr int kFirstAddedButton = 1000;
    static constexpr int kZoomMilliseconds = 350;

    // A file dialog: caption, start path, filters joined by ";;", and the selected filter
    // in and out; an empty path when the user cancelled. Tests put their own in place.
    using FileDialog =
        std::function<QString(QWidget *parent, const QString &caption, const QString &start,
                              const QString &filters, QString *selectedFilter)>;

    explicit MainWidget(QWidget *parent = nullptr);
    ~MainWidget() override;

    QSize sizeHint() const override { return kSize; }

    // A task button after the one with key `after` (0: at the end); its key is one above
    // the largest key in use, at least kFirstAddedButton.
    int addTaskButton(int after, TaskButton *button);
    // The button of the key, or a hidden default button.
    TaskButton *taskButton(int key) const;

    MyPaletteModel *paletteModel() const { return m_paletteModel; }
    const MainWidgetLayout &currentLayout() const { return m_layout; }
    void setFileDialogs(FileDialog save, FileDialog open);

signals:
    void selectedCollectionChanged(const QUuid &collection);
    void savePaletteTo(Corvo::PaletteFileFormat format, const QString &path);
    void loadPaletteFrom(Corvo::PaletteFileFormat format, const QString &path);
    void onCapsureFileChanged(const QString &path);
    void myPaletteChanged();
    void myPaletteSelectionChanged();
    void anEditBoxGotFocus();
    void anEditBoxLostFocus();

public slots:
    void onMyPaletteChanged();
    void onMyPaletteSelectionChanged();
    void collectionChangedInteractively(const QUuid &collection);
    void segmentChangedInteractivelyByWheel(int segment);
    void moodFilterChangedInteractively(Corvo::Mood mood);
    void exteriorFilterChangedInteractively(bool exterior);
    void showMtoChangedInteractively(bool show);
    void rollCards(Corvo::Direction direction);
    void pageChangedInteractively(int pageIndex);
    void rowChangedInteractively(int rowIndex);
    void searchForPhrase(const QString &phrase);
    void tabPageSelected(Corvo::TabBarPage page);
    void schemeKindChangedInteractively(Corvo::SchemeKind kind);
    void schemeNeutralSubKindChangedInteractively(Corvo::SchemeKind kind);
    void saveButtonClicked();
    void loadButtonClicked();
    void helpButtonClicked();
    void capsureItemSelectedInteractively(const QUuid &collection,
                                          const Corvo::DB::ColorEntry &entry);
    void linkActivated(const QString &link);
    void zoomMyPaletteClicked();
    void unzoomMyPaletteClicked();
    void unzoomMyPaletteAnimationFinished();
    void onKeyboardFocusChanged(QWidget *old, QWidget *now);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createTaskButtons();
    void createChildren();
    void createFooters();
    void connectChildren();
    void applyCollection();
    void applyBackgroundPalette();
    void fillFooters();
    void translateTaskButtons();
    void layOut();
    void showPageWidget();
    void showChanges(SelectionController::Changes changes);
    QList<QWidget *> pageWidgets() const;
    QWidget *schemerForCardType() const;
    QString paletteFilter() const;
    QString textFilter() const;
    QList<PaletteFileDialogs::SaveFilter> saveFilters(bool textAllowed) const;
    QString dialogStartPath() const;
    void openTemporaryPage(const QString &link);
    void updateAccessibleDescription();
    // The search bar's note on a typed colour lasts while its chip stays selected.
    void dropStaleColorNote();

    QUuid m_collection;
    SelectionController m_selection;
    std::optional<ColorSearchHit> m_colorSearchHit;
    MyPaletteModel *m_paletteModel = nullptr;
    QPixmap m_background;
    QPixmap m_banner;
    QString m_headerLink;
    MainWidgetLayout m_layout;

    TaskButton *m_defaultButton = nullptr;
    QMap<int, TaskButton *> m_taskButtons;
    QList<int> m_taskKeys;
    QLabel *m_rightFooter = nullptr;
    QLabel *m_leftFooter = nullptr;
    QMap<QString, QTemporaryFile *> m_temporaryPages;

    CollectionSelectWidget *m_selector = nullptr;
    ColorWheelWidget *m_wheel = nullptr;
    MoodSelectWidget *m_mood = nullptr;
    SearchWidget *m_search = nullptr;
    CardRollerWidget *m_roller = nullptr;
    TabBarWidget *m_tabBar = nullptr;
    ColorSchemerWidget *m_schemer = nullptr;
    ColorSchemerLustrelWidget *m_lustrelSchemer = nullptr;
    VistaraWidget *m_vistara = nullptr;
    TexturesWidget *m_textures = nullptr;
    ProductsWidget *m_products = nullptr;
    MyPaletteWidget *m_palette = nullptr;
    MyPaletteFullWidget *m_fullPalette = nullptr;
    QPropertyAnimation *m_zoomAnimation = nullptr;
    QMetaObject::Connection m_hideWhenFinished;
    CapsureWatch *m_capsureWatch = nullptr;

    FileDialog m_saveDialog;
    FileDialog m_openDialog;
};

} // namespace Corvo
