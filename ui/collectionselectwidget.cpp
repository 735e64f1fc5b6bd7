#include "ui/collectionselectwidget.h"

#include "engine/capsure/capsureimport.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/settings/preferences.h"
#include "ui/capsureselectdialog.h"
#include "ui/chiplook.h"
#include "ui/dropdownbutton.h"
#include "ui/imagebutton.h"
#include "ui/interfacefonts.h"
#include "ui/themeimage.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>

namespace Corvo {

namespace {

const QColor kListBottomStop(204, 204, 204, 255);
const QColor kListTopStop(238, 238, 238, 255);
// Readable on the bar when the collection names no text colour.
const QColor kFallbackTextColour(242, 242, 242);

const QString kListStyleSheet =
    QStringLiteral("background-color: qlineargradient(spread:pad,                 "
                   "x1:0.35, y1:1,                 "
                   "x2:0.65, y2:0,                 "
                   "stop:0 rgba(%1, %2, %3, %4),                 "
                   "stop:1 rgba(%5, %6, %7, %8)); ");

QColor themeColour(const QUuid &collection, const QString &key, const QColor &fallback)
{
    QByteArray bytes;
    if (DB::themeItem(collection, key, bytes) != DB::Ok)
        return fallback;
    const QColor colour = QColor::fromString(QString::fromUtf8(bytes).trimmed());
    return colour.isValid() ? colour : fallback;
}

bool opensTheList(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F4:
        return true;
    case Qt::Key_Down:
        return event.modifiers().testFlag(Qt::AltModifier);
    default:
        return false;
    }
}

} // namespace

CollectionSelectWidget::CollectionSelectWidget(QWidget *parent)
    : QWidget(parent), m_capsureButton(new ImageButton(QPixmap(), this))
{
    setFixedSize(CollectionSelectLayout::kSize);
    setFocusPolicy(Qt::StrongFocus);
    setFont(InterfaceFonts::regular(InterfaceFonts::kOneStepAbove));
    m_collections = DB::orderedCollections();
    if (m_collections.size() >= 2) {
        m_dropDown = new DropDownButton(this);
        connect(m_dropDown, &QPushButton::clicked, this,
                &CollectionSelectWidget::dropDownButtonClicked);
    }
    m_capsureButton->setFixedSize(CollectionSelectLayout::kButtonSize);
    m_capsureButton->setAccessibleName(tr("Capsure measurement"));
    m_capsureButton->setAccessibleDescription(
        tr("Shows the collection colours the measured colour matches"));
    m_capsureButton->hide();
    connect(m_capsureButton, &QPushButton::clicked, this,
            &CollectionSelectWidget::capsureButtonClicked);
    createList();
    loadCollection(Preferences::uuidOfLastUsedCollection());
}

CollectionSelectWidget::~CollectionSelectWidget()
{
    // The list belongs to the parent, which may outlive the selector. Its destruction must
    // not reach the filter of a selector that is going away.
    if (m_list) {
        m_list->removeEventFilter(this);
        delete m_list;
    }
}

QString CollectionSelectWidget::listStyleSheet(const QColor &bottom, const QColor &top)
{
    return kListStyleSheet.arg(bottom.red())
        .arg(bottom.green())
        .arg(bottom.blue())
        .arg(bottom.alpha())
        .arg(top.red())
        .arg(top.green())
        .arg(top.blue())
        .arg(top.alpha());
}

bool CollectionSelectWidget::isUsableCapsureFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

void CollectionSelectWidget::createList()
{
    m_list = new QListWidget(parentWidget() ? parentWidget() : this);
    m_list->hide();
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setFont(InterfaceFonts::regular(InterfaceFonts::kOneStepAbove));
    m_list->setStyleSheet(listStyleSheet(kListBottomStop, kListTopStop));
    m_list->setAccessibleName(tr("Collections"));
    for (const QUuid &collection : m_collections) {
        auto *item = new QListWidgetItem(DB::collectionName(collection), m_list);
        item->setData(Qt::UserRole, collection.toString());
        item->setSizeHint(QSize(width(), CollectionSelectLayout::kListItemHeight));
    }
    connect(m_list, &QListWidget::itemActivated, this,
            &CollectionSelectWidget::listWidgetItemActivated);
    connect(m_list, &QListWidget::itemClicked, this,
            &CollectionSelectWidget::listWidgetItemActivated);
    m_list->installEventFilter(this);
    m_listObject = m_list;
}

void CollectionSelectWidget::selectedCollectionChanged(const QUuid &collection)
{
    loadCollection(collection);
}

void CollectionSelectWidget::loadCollection(const QUuid &collection)
{
    m_collection = collection;
    m_look.name = DB::collectionName(collection);
    m_look.textColour = themeColour(
        collection, QStringLiteral("color.widget.collectionselector.text"), kFallbackTextColour);
    m_capsureButton->setImage(themePixmap(collection, QStringLiteral("image.capsure.button.normal"),
                                          kCapsureImageSize, devicePixelRatioF()));
    if (m_dropDown)
        m_dropDown->selectedCollectionChanged(collection);
    rebuildLayout();
}

void CollectionSelectWidget::rebuildLayout()
{
    m_layout =
        CollectionSelectLayout(size(), m_dropDown != nullptr, m_capsureButton->isVisibleTo(this));
    m_look.background = themePixmap(m_collection, QStringLiteral("image.widget.bar.background"),
                                    size(), devicePixelRatioF());
    if (m_dropDown) {
        m_dropDown->setGeometry(m_layout.dropDownRect());
        m_dropDown->setBackground(ChipLook::pieceUnder(m_look.background, m_layout.dropDownRect()));
    }
    if (!m_layout.capsureRect().isEmpty())
        m_capsureButton->setGeometry(m_layout.capsureRect());
    if (m_list && m_list->isVisible())
        placeList();
    refreshAccessibleText();
    update();
}

void CollectionSelectWidget::dropDownButtonClicked()
{
    if (m_list->isVisible())
        hideList();
    else
        showList();
}

void CollectionSelectWidget::showList()
{
    placeList();
    m_list->show();
    m_list->raise();
    m_list->setCurrentItem(nullptr);
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem *item = m_list->item(row);
        if (QUuid(item->data(Qt::UserRole).toString()) == m_collection) {
            m_list->setCurrentItem(item);
            m_list->scrollToItem(item);
        }
    }
    m_list->setFocus(Qt::OtherFocusReason);
}

void CollectionSelectWidget::hideList()
{
    // Back to the bar, rather than to whatever widget follows the list in the focus chain.
    if (m_list->hasFocus())
        setFocus(Qt::OtherFocusReason);
    m_list->hide();
}

void CollectionSelectWidget::placeList()
{
    QWidget *host = m_list->parentWidget();
    const QRect here =
        host == this ? rect() : QRect(host->mapFromGlobal(mapToGlobal(QPoint(0, 0))), size());
    m_list->setGeometry(CollectionSelectLayout::listRect(here));
}

void CollectionSelectWidget::listWidgetItemActivated(QListWidgetItem *item)
{
    // One click reports both a click and an activation: only the first one counts.
    if (item == nullptr || !m_list->isVisible())
        return;
    const QUuid chosen(item->data(Qt::UserRole).toString());
    hideList();
    if (!chosen.isNull())
        emit collectionSelectedInteractively(chosen);
}

void CollectionSelectWidget::capsureFileChanged(const QString &fileName)
{
    const bool usable = isUsableCapsureFile(fileName);
    if (usable)
        m_pendingFile = fileName;
    m_capsureWaiting = usable;
    if (usable != m_capsureButton->isVisibleTo(this))
        setCapsureButtonShown(usable);
    if (usable)
        m_capsureButton->startPulsing();
}

void CollectionSelectWidget::setCapsureButtonShown(bool shown)
{
    m_capsureButton->setVisible(shown);
    rebuildLayout();
}

void CollectionSelectWidget::capsureButtonClicked()
{
    m_capsureButton->stopPulsing();
    const CapsureMeasurement measurement = readCapsureMeasurement(m_pendingFile);
    m_capsureWaiting = false;
    // A file that is no measurement (or one still being written) stops asking for
    // attention; the device's next write is a watcher event that starts the pulse again.
    if (measurement.isEmpty())
        return;
    const QList<CapsureCandidate> candidates =
        capsureCandidates(measurement.names, measurement.colour);
    if (candidates.isEmpty())
        return;
    const QPointer<CollectionSelectWidget> alive(this);
    auto *dialog = new CapsureSelectDialog(candidates, this);
    dialog->setWindowModality(Qt::WindowModal);
    const int result = dialog->exec();
    // Closing the picker during the dialog takes the selector, and the dialog, with it.
    if (!alive)
        return;
    const std::optional<CapsureCandidate> chosen = dialog->selectedCandidate();
    delete dialog;
    if (result == QDialog::Accepted && chosen)
        emit capsureItemSelectedInteractively(chosen->collection, chosen->entry);
    if (alive)
        m_capsureButton->stopPulsing();
}

void CollectionSelectWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    paintCollectionSelector(painter, m_layout, m_look, hasFocus());
}

void CollectionSelectWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLayout();
}

void CollectionSelectWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A measurement reported before the picker was shown could not pulse yet.
    if (m_capsureWaiting)
        m_capsureButton->startPulsing();
}

void CollectionSelectWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ParentChange || !m_list)
        return;
    QWidget *host = parentWidget() ? parentWidget() : this;
    if (m_list->parentWidget() != host)
        m_list->setParent(host);
}

void CollectionSelectWidget::keyPressEvent(QKeyEvent *event)
{
    if (m_dropDown && opensTheList(*event)) {
        dropDownButtonClicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CollectionSelectWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (m_list.isNull() || watched != m_listObject)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        if (m_dropDown)
            m_dropDown->setListShown(event->type() == QEvent::Show);
        break;
    case QEvent::FocusOut: {
        // Clicking the arrow closes the list through the arrow itself.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        QWidget *next = QApplication::focusWidget();
        if (reason != Qt::PopupFocusReason && next != m_dropDown && !m_list->isAncestorOf(next))
            m_list->hide();
        break;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            hideList();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CollectionSelectWidget::refreshAccessibleText()
{
    setAccessibleName(m_look.name.isEmpty() ? tr("No collection") : m_look.name);
    QStringList description{tr("Current collection")};
    if (m_dropDown)
        description.append(tr("press Space to choose another"));
    if (m_capsureButton->isVisibleTo(this))
        description.append(tr("a Capsure measurement is ready"));
    setAccessibleDescription(description.join(QStringLiteral("; ")));
}

} // namespace Corvo
