#include "ui/mainwidget.h"

#include "engine/capsure/capsurewatch.h"
#include "engine/colour/colorvalue.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/colorpage.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/phrasesearch.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "platform/platform.h"
#include "ui/cardrollerwidget.h"
#include "ui/collectionselectwidget.h"
#include "ui/colorschemerlustrelwidget.h"
#include "ui/colorschemerwidget.h"
#include "ui/colorwheelwidget.h"
#include "ui/helpbutton.h"
#include "ui/helplink.h"
#include "ui/interfacefonts.h"
#include "ui/moodselectwidget.h"
#include "ui/mypalettefullwidget.h"
#include "ui/mypalettewidget.h"
#include "ui/palettefiledialogs.h"
#include "ui/productswidget.h"
#include "ui/searchwidget.h"
#include "ui/tabbarwidget.h"
#include "ui/taskbutton.h"
#include "ui/textureswidget.h"
#include "ui/themeimage.h"
#include "ui/vistarawidget.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEasingCurve>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace Corvo {

namespace {

constexpr int kBannerHeight = 70;
constexpr QColor kSeparatorColor(188, 188, 188);
constexpr char kCopyrightLink[] = "links/copyright";
constexpr char kMottoLink[] = "links/motto";
constexpr char kHeaderLink[] = "links/header";

QString text(const QUuid &collection, const char *key)
{
    return DB::localizedString(collection, QString::fromLatin1(key));
}

// The collection to show when a window opens: the last used while it can still be used,
// else the first of the list.
QUuid usableCollection()
{
    const QUuid last = Preferences::uuidOfLastUsedCollection();
    const QList<QUuid> collections = DB::orderedCollections();
    if (collections.contains(last) || collections.isEmpty())
        return last;
    Preferences::setUuidOfLastUsedCollection(collections.first());
    return collections.first();
}

// A search that stayed put either found what is shown already or found nothing; only the
// second earns a note. A blank phrase asks nothing, and a colour value always has a
// nearest chip.
bool findsNothing(const QUuid &collection, const QString &phrase)
{
    if (phrase.trimmed().isEmpty() || colorFromText(phrase))
        return false;
    DB::PhraseMatch match;
    return DB::findPhrase(collection, phrase, match) != 0;
}

QRect deviceRect(const QRect &rect, qreal ratio)
{
    return QRect(qRound(rect.x() * ratio), qRound(rect.y() * ratio), qRound(rect.width() * ratio),
                 qRound(rect.height() * ratio));
}

} // namespace

MainWidget::MainWidget(QWidget *parent)
    : QWidget(parent), m_saveDialog(PaletteFileDialogs::save),
      m_openDialog(PaletteFileDialogs::open)
{
    setObjectName(QStringLiteral("MainWidget"));
    setMouseTracking(true);
    setFixedSize(kSize);
    setFocusPolicy(Qt::StrongFocus);
    setFont(InterfaceFonts::regular(InterfaceFonts::kBase));
    setAccessibleName(tr("Colour picker"));

    createTaskButtons();
    m_collection = usableCollection();
    CollectionSettings::setCurrentCollection(m_collection);
    DB::loadNameOrders(m_collection);
    applyCollection();
    applyBackgroundPalette();
    createChildren();
    translateTaskButtons();
    createFooters();
    layOut();
    showPageWidget();
    m_capsureWatch = new CapsureWatch(this);
    connectChildren();
    m_capsureWatch->arm(m_collection);
    updateAccessibleDescription();
}

MainWidget::~MainWidget()
{
    // Hiding a widget on its way out moves the focus; no report may reach this half
    // destroyed widget.
    disconnect(qApp, nullptr, this, nullptr);
}

void MainWidget::setFileDialogs(FileDialog save, FileDialog open)
{
    m_saveDialog = std::move(save);
    m_openDialog = std::move(open);
}

void MainWidget::createTaskButtons()
{
    m_defaultButton = new TaskButton(this);
    m_defaultButton->setDefault(true);
    m_defaultButton->hide();
    const auto add = [this](int key, TaskButton *button) {
        m_taskButtons.insert(key, button);
        m_taskKeys.append(key);
    };
    add(kSaveButton, new TaskButton(this));
    add(kLoadButton, new TaskButton(this));
    add(kHelpButton, new HelpButton(this));
    connect(m_taskButtons.value(kSaveButton), &QPushButton::clicked, this,
            &MainWidget::saveButtonClicked);
    connect(m_taskButtons.value(kLoadButton), &QPushButton::clicked, this,
            &MainWidget::loadButtonClicked);
    connect(m_taskButtons.value(kHelpButton), &QPushButton::clicked, this,
            &MainWidget::helpButtonClicked);
}

int MainWidget::addTaskButton(int after, TaskButton *button)
{
    const int largest =
        m_taskKeys.isEmpty() ? 0 : *std::max_element(m_taskKeys.begin(), m_taskKeys.end());
    const int key = std::max(kFirstAddedButton - 1, largest) + 1;
    button->setParent(this);
    m_taskButtons.insert(key, button);
    const qsizetype position = after == 0 ? -1 : m_taskKeys.indexOf(after);
    if (position < 0)
        m_taskKeys.append(key);
    else
        m_taskKeys.insert(position + 1, key);
    button->show();
    layOut();
    return key;
}

TaskButton *MainWidget::taskButton(int key) const
{
    return m_taskButtons.value(key, m_defaultButton);
}

void MainWidget::createChildren()
{
    m_selector = new CollectionSelectWidget(this);
    m_wheel = new ColorWheelWidget(this);
    m_mood = new MoodSelectWidget(this);
    m_search = new SearchWidget(this);
    m_roller = new CardRollerWidget(this);
    m_tabBar = new TabBarWidget(this);
    m_schemer = new ColorSchemerWidget(this);
    m_lustrelSchemer = new ColorSchemerLustrelWidget(this);
    m_vistara = new VistaraWidget(this);
    m_textures = new TexturesWidget(this);
    m_products = new ProductsWidget(this);
    for (QWidget *page : pageWidgets())
        page->hide();
    m_paletteModel = new MyPaletteModel(this);
    m_paletteModel->reload(m_collection);
    m_palette = new MyPaletteWidget(m_paletteModel, this);
    // An empty palette has nothing to save.
    const auto enableSave = [this](const MyPaletteModel::ControlStates &states) {
        m_taskButtons.value(kSaveButton)->setEnabled(states.exportEnabled);
    };
    enableSave(m_paletteModel->controlStates());
    connect(m_paletteModel, &MyPaletteModel::controlStatesChanged, this, enableSave);
    m_fullPalette = new MyPaletteFullWidget(m_paletteModel, this);
    m_fullPalette->hide();
    m_zoomAnimation = new QPropertyAnimation(m_fullPalette, "pos", this);
    m_zoomAnimation->setDuration(kZoomMilliseconds);
    m_zoomAnimation->setEasingCurve(QEasingCurve::OutQuart);
}

void MainWidget::createFooters()
{
    const auto footer = [this] {
        auto *label = new QLabel(this);
        label->setFont(InterfaceFonts::regular(InterfaceFonts::kOneStepBelow));
        label->setTextFormat(Qt::RichText);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        label->setOpenExternalLinks(false);
        return label;
    };
    m_rightFooter = footer();
    m_leftFooter = footer();
    fillFooters();
}

void MainWidget::connectChildren()
{
    connect(m_selector, &CollectionSelectWidget::collectionSelectedInteractively, this,
            &MainWidget::collectionChangedInteractively);
    connect(this, &MainWidget::onCapsureFileChanged, m_selector,
            &CollectionSelectWidget::capsureFileChanged);
    connect(m_wheel, &ColorWheelWidget::segmentChangedInteractively, this,
            &MainWidget::segmentChangedInteractivelyByWheel);
    connect(m_mood, &MoodSelectWidget::moodFilterChangedInteractively, this,
            &MainWidget::moodFilterChangedInteractively);
    connect(m_mood, &MoodSelectWidget::exteriorFilterChangedInteractively, this,
            &MainWidget::exteriorFilterChangedInteractively);
    connect(m_mood, &MoodSelectWidget::showMtoChangedInteractively, this,
            &MainWidget::showMtoChangedInteractively);
    connect(m_roller, &CardRollerWidget::roll, this, &MainWidget::rollCards);
    connect(m_roller, &CardRollerWidget::pageChangedInteractively, this,
            &MainWidget::pageChangedInteractively);
    connect(m_roller, &CardRollerWidget::rowChangedInteractively, this,
            &MainWidget::rowChangedInteractively);
    connect(m_search, &SearchWidget::roll, this, &MainWidget::rollCards);
    connect(m_search, &SearchWidget::searchForPhrase, this, &MainWidget::searchForPhrase);
    connect(m_tabBar, &TabBarWidget::tabPageSelected, this, &MainWidget::tabPageSelected);
    connect(m_schemer, &ColorSchemerWidget::schemeKindChangedInteractively, this,
            &MainWidget::schemeKindChangedInteractively);
    connect(m_schemer, &ColorSchemerWidget::schemeNeutralSubKindChangedInteractively, this,
            &MainWidget::schemeNeutralSubKindChangedInteractively);
    connect(this, &MainWidget::savePaletteTo, m_palette, &MyPaletteWidget::savePaletteTo);
    connect(this, &MainWidget::loadPaletteFrom, m_palette, &MyPaletteWidget::loadPaletteFrom);
    connect(m_palette, &MyPaletteWidget::myPaletteChanged, this, &MainWidget::onMyPaletteChanged);
    connect(m_palette, &MyPaletteWidget::myPaletteSelectionChanged, this,
            &MainWidget::onMyPaletteSelectionChanged);
    connect(m_palette, &MyPaletteWidget::zoomMyPaletteClicked, this,
            &MainWidget::zoomMyPaletteClicked);
    connect(m_fullPalette, &MyPaletteFullWidget::backButtonClicked, this,
            &MainWidget::unzoomMyPaletteClicked);
    connect(this, &MainWidget::selectedCollectionChanged, m_selector,
            &CollectionSelectWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_wheel,
            &ColorWheelWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_mood,
            &MoodSelectWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_roller,
            &CardRollerWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_search,
            &SearchWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_tabBar,
            &TabBarWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_schemer,
            &ColorSchemerWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_lustrelSchemer,
            &ColorSchemerLustrelWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_vistara,
            &VistaraWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_textures,
            &TexturesWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_products,
            &ProductsWidget::selectedCollectionChanged);
    connect(this, &MainWidget::selectedCollectionChanged, m_palette,
            &MyPaletteWidget::selectedCollectionChanged);
    connect(m_selector, &CollectionSelectWidget::capsureItemSelectedInteractively, this,
            &MainWidget::capsureItemSelectedInteractively);
    // A similar colour or a dropped chip goes there the way a Capsure colour does.
    connect(m_roller, &CardRollerWidget::similarColorChosenInteractively, this,
            &MainWidget::capsureItemSelectedInteractively);
    connect(m_roller, &CardRollerWidget::chipChosenInteractively, this,
            &MainWidget::capsureItemSelectedInteractively);
    connect(m_rightFooter, &QLabel::linkActivated, this, &MainWidget::linkActivated);
    connect(m_leftFooter, &QLabel::linkActivated, this, &MainWidget::linkActivated);
    connect(qApp, &QApplication::focusChanged, this, &MainWidget::onKeyboardFocusChanged);
    connect(m_capsureWatch, &CapsureWatch::onCapsureFileChanged, this,
            &MainWidget::onCapsureFileChanged);
}

void MainWidget::applyCollection()
{
    m_background = themePixmap(m_collection, QStringLiteral("image.widget.main.background"), size(),
                               devicePixelRatioF());
    m_banner = themePixmap(m_collection, QStringLiteral("image.banner"),
                           QSize(width(), kBannerHeight), devicePixelRatioF());
    m_headerLink = CollectionSettings::headerLink(m_collection);
    m_selection.applyCollection(m_collection);
    if (m_rightFooter)
        fillFooters();
}

void MainWidget::applyBackgroundPalette()
{
    QPalette shades = palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        shades.setBrush(group, QPalette::Window, QBrush(m_background));
        shades.setBrush(group, QPalette::Base, QBrush(m_background));
    }
    setPalette(shades);
}

void MainWidget::fillFooters()
{
    m_rightFooter->setText(footerLinkHtml(QLatin1String(kCopyrightLink),
                                          text(m_collection, "color.palette.copyright")));
    m_leftFooter->setText(
        footerLinkHtml(QLatin1String(kMottoLink), text(m_collection, "color.palette.motto")));
}

void MainWidget::translateTaskButtons()
{
    m_taskButtons.value(kSaveButton)->setText(text(m_collection, "mypalette.palette.save"));
    m_taskButtons.value(kLoadButton)->setText(text(m_collection, "mypalette.palette.load"));
}

void MainWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void MainWidget::layOut()
{
    if (!m_selector)
        return;
    MainWidgetLayout::Inputs in;
    in.size = size();
    in.selector = m_selector->sizeHint();
    in.wheel = m_wheel->size();
    in.mood = m_mood->sizeHint();
    in.moodVisible = CollectionSettings::moodVisible(m_collection);
    in.search = m_search->size();
    const QFontMetrics footerMetrics(m_rightFooter->font());
    in.rightFooterText =
        footerMetrics.size(Qt::TextSingleLine, text(m_collection, "color.palette.copyright"));
    in.leftFooterText =
        footerMetrics.size(Qt::TextSingleLine, text(m_collection, "color.palette.motto"));
    in.lineHeight = footerMetrics.height();
    for (const int key : m_taskKeys)
        in.taskButtons.append({key, key == kHelpButton || key == kAboutButton});
    m_layout = MainWidgetLayout::compute(in);

    m_rightFooter->setGeometry(m_layout.rightFooter);
    m_leftFooter->setGeometry(m_layout.leftFooter);
    m_selector->setGeometry(m_layout.selector);
    m_wheel->setGeometry(m_layout.wheel);
    m_mood->setVisible(in.moodVisible);
    if (in.moodVisible)
        m_mood->setGeometry(m_layout.mood);
    m_search->setGeometry(m_layout.search);
    m_search->setBackground(
        m_background.copy(deviceRect(m_layout.search, m_background.devicePixelRatio())));
    m_roller->setGeometry(m_layout.roller);
    m_tabBar->setGeometry(m_layout.tabBar);
    for (QWidget *page : pageWidgets())
        page->setGeometry(m_layout.schemer);
    m_palette->setGeometry(m_layout.palette);
    if (m_zoomAnimation->state() != QAbstractAnimation::Running)
        m_fullPalette->resize(m_layout.fullPalette.size());
    for (int i = 0; i < m_taskKeys.size(); ++i)
        m_taskButtons.value(m_taskKeys.at(i))->setGeometry(m_layout.taskButtons.at(i));
    update();
}

// The five views that share the tab pages' place; one of them is shown at a time.
QList<QWidget *> MainWidget::pageWidgets() const
{
    return {m_schemer, m_lustrelSchemer, m_vistara, m_textures, m_products};
}

QWidget *MainWidget::schemerForCardType() const
{
    switch (CollectionSettings::cardType(m_collection)) {
    case CardType::Normal:
        return m_schemer;
    case CardType::Lustrel:
        return m_lustrelSchemer;
    default:
        return nullptr;
    }
}

void MainWidget::showPageWidget()
{
    for (QWidget *page : pageWidgets())
        page->hide();
    QWidget *shown = nullptr;
    switch (Preferences::tabPageIndex(m_collection)) {
    case PageOfColorSchemes:
        shown = schemerForCardType();
        break;
    case PageOfProducts:
        shown = m_products;
        break;
    case PageOfVistara:
        shown = m_vistara;
        break;
    case PageOfTextures:
        shown = m_textures;
        break;
    default:
        break;
    }
    if (shown)
        shown->show();
}

// The one table from what changed to the views that show it. Views hidden behind another
// tab are told as well: they catch up when they are shown.
void MainWidget::showChanges(SelectionController::Changes changes)
{
    using C = SelectionController;
    if (changes & C::SegmentChanged)
        m_wheel->selectionChanged();
    if (changes & C::FiltersChanged)
        m_mood->selectionChanged();
    if (changes & (C::FiltersChanged | C::CardChanged | C::ChipChanged))
        m_roller->selectionChanged();
    if (changes & (C::FiltersChanged | C::ChipChanged))
        m_lustrelSchemer->selectionChanged();
    if (changes & (C::ChipChanged | C::SchemeChanged))
        m_schemer->selectionChanged();
    if (changes & C::ChipChanged) {
        m_products->selectedColorChanged();
        m_textures->selectedPageChanged();
    }
    if (changes & C::TabChanged) {
        m_tabBar->selectionChanged();
        showPageWidget();
    }
    dropStaleColorNote();
    updateAccessibleDescription();
}

void MainWidget::onMyPaletteChanged()
{
    emit myPaletteChanged();
}

void MainWidget::onMyPaletteSelectionChanged()
{
    emit myPaletteSelectionChanged();
}

void MainWidget::collectionChangedInteractively(const QUuid &collection)
{
    if (collection == m_collection || !DB::orderedCollections().contains(collection))
        return;
    const Preferences::Batch batch;
    m_capsureWatch->arm(QUuid());
    Preferences::setUuidOfLastUsedCollection(collection);
    m_collection = collection;
    CollectionSettings::setCurrentCollection(collection);
    DB::loadNameOrders(collection);
    applyCollection();
    applyBackgroundPalette();
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setUpdatesEnabled(false);
    emit selectedCollectionChanged(collection);
    showPageWidget();
    translateTaskButtons();
    layOut();
    m_capsureWatch->arm(collection);
    setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    dropStaleColorNote();
    updateAccessibleDescription();
}

void MainWidget::segmentChangedInteractivelyByWheel(int segment)
{
    showChanges(m_selection.changeSegment(segment));
}

void MainWidget::moodFilterChangedInteractively(Mood mood)
{
    showChanges(m_selection.changeMoodFilter(mood));
}

void MainWidget::exteriorFilterChangedInteractively(bool exterior)
{
    showChanges(m_selection.changeExteriorFilter(exterior));
}

void MainWidget::showMtoChangedInteractively(bool show)
{
    showChanges(m_selection.changeShowMto(show));
}

void MainWidget::rollCards(Direction direction)
{
    showChanges(m_selection.roll(direction));
}

void MainWidget::pageChangedInteractively(int pageIndex)
{
    showChanges(m_selection.changePage(pageIndex));
}

void MainWidget::rowChangedInteractively(int rowIndex)
{
    showChanges(m_selection.changeRow(rowIndex));
}

void MainWidget::searchForPhrase(const QString &phrase)
{
    const SelectionController::Changes changes = m_selection.search(phrase, &m_colorSearchHit);
    if (m_colorSearchHit)
        m_search->showColorNote(m_colorSearchHit->asked, m_colorSearchHit->chip.deltaE);
    else if (changes == SelectionController::NoChange && findsNothing(m_collection, phrase))
        m_search->showNoMatchNote(phrase);
    else
        m_search->clearColorNote();
    showChanges(changes);
}

void MainWidget::dropStaleColorNote()
{
    if (!m_colorSearchHit)
        return;
    const DB::NearestChip &chip = m_colorSearchHit->chip;
    if (chip.collection == m_collection && chip.pageIndex == Preferences::pageIndex(m_collection) &&
        chip.entry.rowIndex == Preferences::rowIndex(m_collection))
        return;
    m_colorSearchHit.reset();
    m_search->clearColorNote();
}

void MainWidget::tabPageSelected(TabBarPage page)
{
    showChanges(m_selection.changeTab(page));
}

void MainWidget::schemeKindChangedInteractively(SchemeKind kind)
{
    showChanges(m_selection.changeSchemeKind(kind));
}

void MainWidget::schemeNeutralSubKindChangedInteractively(SchemeKind kind)
{
    showChanges(m_selection.changeSchemeNeutralSubKind(kind));
}

QString MainWidget::paletteFilter() const
{
    return QStringLiteral("%1 (*.palette)")
        .arg(text(m_collection, "common.filedialog.palettefile.filtername"));
}

QString MainWidget::textFilter() const
{
    return QStringLiteral("%1 (*.txt)")
        .arg(text(m_collection, "common.filedialog.textfile.filtername"));
}

// The file last saved or opened while it is still there, else the default name in the
// user's documents.
QString MainWidget::dialogStartPath() const
{
    const QString last = Preferences::myPaletteLastSavePath();
    const QFileInfo file(last);
    if (!last.isEmpty() && file.exists() && file.dir().exists())
        return last;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QDir::separator() +
           text(m_collection, "common.filedialog.palettefile.defaultfilename");
}

QList<PaletteFileDialogs::SaveFilter> MainWidget::saveFilters(bool textAllowed) const
{
    QList<PaletteFileDialogs::SaveFilter> filters{{paletteFilter(), PaletteFileFormat::Xml}};
    if (textAllowed)
        filters.append({textFilter(), PaletteFileFormat::Text});
    return filters + PaletteFileDialogs::interchangeFilters();
}

void MainWidget::saveButtonClicked()
{
    const bool textAllowed = CollectionSettings::savePaletteTextFormat(m_collection, false);
    const QList<PaletteFileDialogs::SaveFilter> filters = saveFilters(textAllowed);
    QString selected = PaletteFileDialogs::filterOf(
        filters, PaletteFileDialogs::rememberedSaveFormat(textAllowed));
    QStringList offered;
    for (const PaletteFileDialogs::SaveFilter &filter : filters)
        offered.append(filter.filter);
    const QString start = dialogStartPath();
    const QString path =
        m_saveDialog(this, text(m_collection, "common.filedialog.palettefile.savedialogcaption"),
                     start, offered.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return;
    const PaletteFileFormat format = PaletteFileDialogs::formatFor(filters, selected, path);
    emit savePaletteTo(format, path);
    PaletteFileDialogs::rememberSaveFormat(format);
    Preferences::setMyPaletteLastSavePath(path);
}

void MainWidget::loadButtonClicked()
{
    QString selected = paletteFilter();
    const QString start = dialogStartPath();
    const QString path =
        m_openDialog(this, text(m_collection, "common.filedialog.palettefile.opendialogcaption"),
                     start, paletteFilter(), &selected);
    if (path.isEmpty())
        return;
    emit loadPaletteFrom(PaletteFileFormat::Xml, path);
    PaletteFileDialogs::rememberSaveFormat(PaletteFileFormat::Xml);
    Preferences::setMyPaletteLastSavePath(path);
}

void MainWidget::helpButtonClicked()
{
    const QString moduleFolder = QFileInfo(Platform::currentModuleFileName()).canonicalPath();
    const QUrl url = helpUrl(CollectionSettings::helpLink(m_collection), moduleFolder);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

void MainWidget::capsureItemSelectedInteractively(const QUuid &collection,
                                                  const DB::ColorEntry &entry)
{
    DB::ColorPage page;
    if (DB::pageById(collection, entry.pageId, true, page) != 0)
        return;
    if (collection != m_collection)
        collectionChangedInteractively(collection);
    if (collection != m_collection)
        return;
    showChanges(m_selection.jumpTo(page, entry));
}

void MainWidget::linkActivated(const QString &link)
{
    if (link == QLatin1String(kHeaderLink)) {
        QDesktopServices::openUrl(QUrl(m_headerLink));
        return;
    }
    if (link == QLatin1String(kCopyrightLink) || link == QLatin1String(kMottoLink))
        openTemporaryPage(link);
}

// The footer's pages are written afresh on every activation, so they always show the
// current collection's text.
void MainWidget::openTemporaryPage(const QString &link)
{
    QTemporaryFile *&page = m_temporaryPages[link];
    if (!page) {
        page = new QTemporaryFile(QDir::toNativeSeparators(QDir::tempPath() + QDir::separator() +
                                                           QStringLiteral("qt_temp_XXXXXX.html")),
                                  this);
    }
    const char *key = link == QLatin1String(kCopyrightLink) ? "license.copyright" : "motto";
    if (page->open()) {
        page->resize(0);
        page->write(text(m_collection, key).toUtf8());
        page->close();
    }
    if (QFileInfo::exists(page->fileName()))
        QDesktopServices::openUrl(QUrl::fromLocalFile(page->fileName()));
}

void MainWidget::zoomMyPaletteClicked()
{
    // A slide-out still running must not hide the palette once it has come back.
    if (m_hideWhenFinished)
        disconnect(m_hideWhenFinished);
    m_zoomAnimation->stop();
    m_fullPalette->resize(size());
    m_fullPalette->raise();
    m_fullPalette->move(width(), 0);
    m_fullPalette->show();
    m_zoomAnimation->setStartValue(QPoint(width(), 0));
    m_zoomAnimation->setEndValue(QPoint(0, 0));
    m_zoomAnimation->start();
    m_fullPalette->setFocus(Qt::OtherFocusReason);
}

void MainWidget::unzoomMyPaletteClicked()
{
    if (m_hideWhenFinished)
        disconnect(m_hideWhenFinished);
    m_zoomAnimation->stop();
    m_fullPalette->raise();
    m_zoomAnimation->setStartValue(m_fullPalette->pos());
    m_zoomAnimation->setEndValue(QPoint(-width(), 0));
    m_hideWhenFinished = connect(m_zoomAnimation, &QPropertyAnimation::finished, this,
                                 &MainWidget::unzoomMyPaletteAnimationFinished);
    m_zoomAnimation->start();
}

void MainWidget::unzoomMyPaletteAnimationFinished()
{
    disconnect(m_hideWhenFinished);
    m_hideWhenFinished = {};
    m_fullPalette->hide();
    m_palette->setFocus(Qt::OtherFocusReason);
}

void MainWidget::onKeyboardFocusChanged(QWidget *, QWidget *now)
{
    if (now && (now == m_search->lineEdit() || now == m_palette->descriptionEdit()))
        emit anEditBoxGotFocus();
    else
        emit anEditBoxLostFocus();
}

void MainWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    if (!m_banner.isNull()) {
        const QSizeF banner = m_banner.deviceIndependentSize();
        painter.drawPixmap(
            QPointF((width() - banner.width()) / 2, (kBannerHeight - banner.height()) / 2),
            m_banner);
    }
    painter.setPen(kSeparatorColor);
    painter.drawLine(m_layout.separator);
}

void MainWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !m_headerLink.isEmpty() &&
        m_layout.header.contains(event->position().toPoint())) {
        linkActivated(QLatin1String(kHeaderLink));
        return;
    }
    QWidget::mousePressEvent(event);
}

void MainWidget::updateAccessibleDescription()
{
    DB::ColorEntry entry;
    const bool chip = DB::rowAt(m_collection, Preferences::pageIndex(m_collection),
                                Preferences::rowIndex(m_collection), entry) == 0;
    setAccessibleDescription(chip ? tr("Selected colour %1").arg(entry.code)
                                  : tr("No colour selected"));
}

} // namespace Corvo
