#include "ui/mypalettewidget.h"

#include "engine/db/collectionlookups.h"
#include "engine/palette/chipdragdata.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/preferences.h"
#include "ui/chipviewinput.h"
#include "ui/imagebutton.h"
#include "ui/interfacefonts.h"
#include "ui/themeimage.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace Corvo {

namespace {

const QString kStripKey = QStringLiteral("image.widget.bar.background");
const QString kQuestionIconKey = QStringLiteral("image.mypalette.clear.question.icon");
const QString kQuestionCaptionKey = QStringLiteral("common.confirmation.dialog.caption");
const QString kQuestionTextKey = QStringLiteral("mypalette.clearpalettebutton.question");
const QString kSaveCaptionKey = QStringLiteral("common.filedialog.palettefile.savedialogcaption");
constexpr QSize kStripTileSize(MyPaletteLayout::kStripHeight, MyPaletteLayout::kStripHeight);
constexpr QSize kButtonImageSize(16, 16);
constexpr QSize kQuestionIconSize(48, 48);
const QColor kDescriptionText(255, 255, 255);
const QColor kDescriptionPlaceholder(255, 255, 255, 128);

QString buttonImageKey(MyPaletteLayout::Button button)
{
    switch (button) {
    case MyPaletteLayout::ZoomButton:
        return QStringLiteral("image.mypalette.zoom");
    case MyPaletteLayout::EraserButton:
        return QStringLiteral("image.mypalette.eraser");
    case MyPaletteLayout::TrashButton:
        return QStringLiteral("image.mypalette.trash");
    default:
        return QStringLiteral("image.mypalette.grid.off");
    }
}

// The button's tool tip in the collection's language, and the English text a collection
// without it gets.
std::pair<QString, QString> buttonToolTip(MyPaletteLayout::Button button)
{
    switch (button) {
    case MyPaletteLayout::ZoomButton:
        return {QStringLiteral("tiptext.mypalette.zoom.button"),
                MyPaletteWidget::tr("Show the palette large")};
    case MyPaletteLayout::EraserButton:
        return {QStringLiteral("tiptext.mypalette.eraser.button"),
                MyPaletteWidget::tr("Erase the selected cells")};
    case MyPaletteLayout::TrashButton:
        return {QStringLiteral("tiptext.mypalette.trash.button"),
                MyPaletteWidget::tr("Clear the palette")};
    default:
        return {QStringLiteral("tiptext.mypalette.grid.button"),
                MyPaletteWidget::tr("Show or hide the cell outlines")};
    }
}

} // namespace

MyPaletteWidget::MyPaletteWidget(MyPaletteModel *model, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    Q_ASSERT(m_model);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setAccessibleName(tr("My Palette"));
    m_input = new ChipViewInput(this, [this](const QPoint &point) { return inputChipAt(point); });
    createButtons();
    createDescriptionEdit();
    // After the children: a font change lays them out.
    setFont(InterfaceFonts::regular(InterfaceFonts::kOneStepAbove));
    connectModel();
    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

void MyPaletteWidget::createButtons()
{
    for (int index = 0; index < MyPaletteLayout::kButtonCount; ++index)
        m_buttons[index] = new ImageButton(QPixmap(), this);
    ImageButton *zoom = m_buttons[MyPaletteLayout::ZoomButton];
    ImageButton *eraser = m_buttons[MyPaletteLayout::EraserButton];
    ImageButton *trash = m_buttons[MyPaletteLayout::TrashButton];
    ImageButton *grid = m_buttons[MyPaletteLayout::GridButton];
    zoom->setAccessibleName(tr("Show the palette large"));
    eraser->setAccessibleName(tr("Erase the selected cells"));
    trash->setAccessibleName(tr("Clear the palette"));
    grid->setAccessibleName(tr("Cell outlines"));
    grid->setCheckable(true);
    grid->setChecked(true);
    connect(zoom, &QPushButton::clicked, this, &MyPaletteWidget::zoomClicked);
    connect(eraser, &QPushButton::clicked, this, &MyPaletteWidget::eraseClicked);
    connect(trash, &QPushButton::clicked, this, &MyPaletteWidget::clearClicked);
    connect(grid, &QPushButton::clicked, this, &MyPaletteWidget::gridClicked);
}

void MyPaletteWidget::createDescriptionEdit()
{
    m_description = new QLineEdit(this);
    m_description->setFrame(false);
    m_description->setTextMargins(0, 0, 0, 0);
    m_description->setAccessibleName(tr("Palette description"));
    // Transparent, so that the main background shows under the text wherever the panel
    // stands.
    QPalette colors = m_description->palette();
    colors.setBrush(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Text, kDescriptionText);
    colors.setColor(QPalette::PlaceholderText, kDescriptionPlaceholder);
    m_description->setPalette(colors);
    connect(m_description, &QLineEdit::textEdited, m_model, &MyPaletteModel::setDescription);
    connect(m_description, &QLineEdit::editingFinished, this,
            &MyPaletteWidget::paletteDescriptionEditFinished);
}

void MyPaletteWidget::connectModel()
{
    connect(m_model, &MyPaletteModel::myPaletteChanged, this, &MyPaletteWidget::myPaletteChanged);
    connect(m_model, &MyPaletteModel::myPaletteSelectionChanged, this,
            &MyPaletteWidget::myPaletteSelectionChanged);
    const auto repaint = [this] {
        update();
        updateAccessibleText();
    };
    connect(m_model, &MyPaletteModel::myPaletteChanged, this, repaint);
    connect(m_model, &MyPaletteModel::myPaletteSelectionChanged, this, repaint);
    connect(m_model, &MyPaletteModel::dropTargetChanged, this, [this] { update(); });
    connect(m_model, &MyPaletteModel::controlStatesChanged, this,
            &MyPaletteWidget::applyControlStates);
    connect(m_model, &MyPaletteModel::gridVisibleChanged, this, [this](bool visible) {
        m_buttons[MyPaletteLayout::GridButton]->setChecked(visible);
        update();
    });
    connect(m_model, &MyPaletteModel::descriptionChanged, this, [this](const QString &text) {
        if (m_description->text() != text)
            m_description->setText(text);
    });
    connect(m_model, &MyPaletteModel::reloaded, this, &MyPaletteWidget::showModel);
}

void MyPaletteWidget::selectedCollectionChanged(const QUuid &collection)
{
    m_collection = collection;
    m_input->hideToolTip();
    loadImages();
    rebuildLayout();
    m_model->reload(collection);
}

void MyPaletteWidget::loadImages()
{
    const qreal ratio = devicePixelRatioF();
    m_strip = themePixmap(m_collection, kStripKey, kStripTileSize, ratio);
    for (int index = 0; index < MyPaletteLayout::kButtonCount; ++index) {
        const auto button = MyPaletteLayout::Button(index);
        m_buttons[index]->setImage(
            themePixmap(m_collection, buttonImageKey(button), kButtonImageSize, ratio));
        const auto [key, english] = buttonToolTip(button);
        const QString text = DB::localizedString(m_collection, key);
        m_buttons[index]->setToolTip(text == key || text.trimmed().isEmpty() ? english : text);
    }
}

void MyPaletteWidget::showModel()
{
    m_description->setPlaceholderText(m_model->descriptionPlaceholder());
    if (m_description->text() != m_model->description())
        m_description->setText(m_model->description());
    m_buttons[MyPaletteLayout::GridButton]->setChecked(m_model->gridVisible());
    applyControlStates(m_model->controlStates());
    update();
    updateAccessibleText();
}

void MyPaletteWidget::applyControlStates(const MyPaletteModel::ControlStates &states)
{
    m_buttons[MyPaletteLayout::ZoomButton]->setEnabled(states.zoomEnabled);
    m_buttons[MyPaletteLayout::EraserButton]->setEnabled(states.eraserEnabled);
    m_buttons[MyPaletteLayout::TrashButton]->setEnabled(states.clearEnabled);
    m_buttons[MyPaletteLayout::GridButton]->setEnabled(states.gridEnabled);
}

void MyPaletteWidget::rebuildLayout()
{
    m_layout = MyPaletteLayout::forSize(size(), m_buttons[MyPaletteLayout::ZoomButton]->sizeHint(),
                                        m_description->sizeHint().height());
    for (int index = 0; index < MyPaletteLayout::kButtonCount; ++index)
        m_buttons[index]->setGeometry(m_layout.buttons.at(index));
    m_description->setGeometry(m_layout.description);
}

void MyPaletteWidget::paintEvent(QPaintEvent *)
{
    MyPalettePaintState state;
    state.strip = m_strip;
    state.focusCell = hasFocus() ? m_focusCell : MyPaletteLayout::noCell();
    QPainter painter(this);
    paintMyPalette(painter, m_layout, *m_model, state);
}

void MyPaletteWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLayout();
}

void MyPaletteWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rebuildLayout();
}

void MyPaletteWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void MyPaletteWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void MyPaletteWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint cell = m_layout.cellAt(event->position().toPoint());
    if (!MyPaletteLayout::containsCell(cell))
        return;
    m_focusCell = cell;
    m_model->select(cell, event->modifiers());
}

// While a cell is shown enlarged, the whole grid is that cell.
std::optional<ChipViewChip> MyPaletteWidget::inputChipAt(const QPoint &point) const
{
    QPoint cell = m_layout.cellAt(point);
    if (!MyPaletteLayout::containsCell(cell))
        return std::nullopt;
    if (m_model->isZoomed())
        cell = m_model->zoomedCell();
    const PaletteCell contents = m_model->cell(cell);
    if (!contents.isFilled())
        return std::nullopt;
    const QRect shown = m_model->isZoomed() ? m_layout.grid : m_layout.cellRect(cell);
    const MyPaletteModel *model = m_model;
    return ChipViewChip{shown, contents.rowId,
                        [contents] { return chipToolTip(contents.collection, contents.rowId); },
                        [model, cell]() -> std::optional<ChipDrag> {
                            QUuid collection;
                            DB::ColorEntry entry;
                            if (!model->chipToDrag(cell, collection, entry))
                                return std::nullopt;
                            return collectionChipDrag(ChipOrigin::Palette, collection, entry);
                        }};
}

void MyPaletteWidget::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!plain)
            break;
        moveFocusCell(event->key() == Qt::Key_Left    ? -1
                      : event->key() == Qt::Key_Right ? 1
                                                      : 0,
                      event->key() == Qt::Key_Up     ? -1
                      : event->key() == Qt::Key_Down ? 1
                                                     : 0);
        return;
    case Qt::Key_Space:
        if (!plain && modifiers != Qt::ControlModifier)
            break;
        m_model->select(m_focusCell, modifiers);
        return;
    case Qt::Key_Delete:
        if (!plain)
            break;
        // As the eraser: only while it can be used.
        if (m_model->controlStates().eraserEnabled)
            m_model->erase();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void MyPaletteWidget::moveFocusCell(int columns, int rows)
{
    const QPoint moved(std::clamp(m_focusCell.x() + columns, 0, MyPaletteLayout::kColumns - 1),
                       std::clamp(m_focusCell.y() + rows, 0, MyPaletteLayout::kRows - 1));
    if (moved == m_focusCell)
        return;
    m_focusCell = moved;
    update();
    updateAccessibleText();
}

void MyPaletteWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_model->acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_model->setDropTarget(m_layout.cellAt(event->position().toPoint()));
}

void MyPaletteWidget::dragMoveEvent(QDragMoveEvent *event)
{
    const QPoint cell = m_layout.cellAt(event->position().toPoint());
    if (!m_model->acceptsDrag(event->mimeData()) || !MyPaletteLayout::containsCell(cell)) {
        m_model->setDropTarget(MyPaletteLayout::noCell());
        event->ignore();
        return;
    }
    m_model->setDropTarget(cell);
    event->acceptProposedAction();
}

void MyPaletteWidget::dragLeaveEvent(QDragLeaveEvent *event)
{
    m_model->setDropTarget(MyPaletteLayout::noCell());
    QWidget::dragLeaveEvent(event);
}

void MyPaletteWidget::dropEvent(QDropEvent *event)
{
    if (!m_model->acceptsDrag(event->mimeData())) {
        m_model->setDropTarget(MyPaletteLayout::noCell());
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_model->setDropTarget(m_layout.cellAt(event->position().toPoint()));
    m_model->drop(event->mimeData());
}

QMessageBox *MyPaletteWidget::clearQuestion()
{
    if (!m_clearQuestion) {
        m_clearQuestion = new QMessageBox(this);
        m_clearQuestion->setWindowModality(Qt::WindowModal);
        m_clearQuestion->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        m_clearQuestion->setDefaultButton(QMessageBox::Yes);
        m_clearQuestion->setEscapeButton(QMessageBox::No);
        connect(m_clearQuestion, &QDialog::finished, this,
                &MyPaletteWidget::clearPaletteQuestionFinished);
    }
    // In the language and theme of the collection shown now.
    const QPixmap icon =
        themePixmap(m_collection, kQuestionIconKey, kQuestionIconSize, devicePixelRatioF());
    if (icon.isNull())
        m_clearQuestion->setIcon(QMessageBox::Question);
    else
        m_clearQuestion->setIconPixmap(icon);
    m_clearQuestion->setWindowTitle(DB::localizedString(m_collection, kQuestionCaptionKey));
    m_clearQuestion->setText(DB::localizedString(m_collection, kQuestionTextKey));
    m_clearQuestion->setInformativeText(QString());
    return m_clearQuestion;
}

void MyPaletteWidget::zoomClicked()
{
    emit zoomMyPaletteClicked();
}

void MyPaletteWidget::eraseClicked()
{
    m_model->erase();
}

void MyPaletteWidget::clearClicked()
{
    clearQuestion()->open();
}

void MyPaletteWidget::clearPaletteQuestionFinished(int answer)
{
    if (answer == QMessageBox::Yes)
        m_model->clear();
}

void MyPaletteWidget::paletteDescriptionEditFinished()
{
    m_model->setDescription(m_description->text());
    m_model->storeDescription();
}

void MyPaletteWidget::gridClicked(bool checked)
{
    m_model->setGridVisible(checked);
    update();
}

void MyPaletteWidget::savePaletteTo(PaletteFileFormat format, const QString &path)
{
    if (!m_model->savePaletteTo(format, path))
        reportSaveFailure(path);
}

// The user believes the palette is on disk unless told otherwise; the previous file is
// still there, so only the failure needs saying.
void MyPaletteWidget::reportSaveFailure(const QString &path)
{
    auto *box = new QMessageBox(
        QMessageBox::Warning, DB::localizedString(m_collection, kSaveCaptionKey),
        tr("The palette could not be saved to %1.").arg(QDir::toNativeSeparators(path)),
        QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

void MyPaletteWidget::loadPaletteFrom(PaletteFileFormat, const QString &path)
{
    // Every palette file read is XML, whatever format the dialog remembered.
    m_model->loadPaletteFrom(path);
}

QString MyPaletteWidget::cellDescription(const QPoint &cell) const
{
    const QString place = tr("row %1 column %2").arg(cell.y() + 1).arg(cell.x() + 1);
    const PaletteCell contents = m_model->cell(cell);
    if (!contents.isFilled())
        return tr("%1 empty").arg(place);
    return QStringLiteral("%1 %2").arg(place, contents.label);
}

void MyPaletteWidget::updateAccessibleText()
{
    const QList<PaletteCell> &cells = m_model->cells();
    const auto filled = std::count_if(cells.cbegin(), cells.cend(),
                                      [](const PaletteCell &c) { return c.isFilled(); });
    QStringList parts;
    parts.append(tr("%1 of %2 cells filled").arg(filled).arg(cells.size()));
    if (m_model->isZoomed())
        parts.append(tr("shown large: %1").arg(cellDescription(m_model->zoomedCell())));
    QStringList selected;
    for (const QPoint &cell : m_model->selection())
        selected.append(cellDescription(cell));
    parts.append(selected.isEmpty() ? tr("nothing selected")
                                    : tr("selected: %1").arg(selected.join(QStringLiteral(", "))));
    parts.append(tr("focus on %1").arg(cellDescription(m_focusCell)));
    const QString description = parts.join(QStringLiteral("; "));
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

} // namespace Corvo
