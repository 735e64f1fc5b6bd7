#include "ui/mypalettefullwidget.h"

#include "engine/palette/mypalettemodel.h"
#include "engine/settings/preferences.h"
#include "ui/imagebutton.h"
#include "ui/interfacefonts.h"
#include "ui/mypalettefullpainter.h"
#include "ui/themeimage.h"
#include "ui/velmoracustomstyle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>

#include <algorithm>

namespace Corvo {

namespace {

const QString kStripKey = QStringLiteral("image.widget.bar.background");
const QString kBackKey = QStringLiteral("image.mypalettefull.back");
const QString kSliderBackgroundKey = QStringLiteral("image.mypalettefull.slider.background");
const QString kSliderMaskKey = QStringLiteral("image.mypalettefull.slider.background.mask");
const QString kSliderThumbKey = QStringLiteral("image.mypalettefull.slider.thumb");
constexpr QSize kStripTileSize(MyPaletteFullLayout::kStripHeight,
                               MyPaletteFullLayout::kStripHeight);
constexpr QSize kBackImageSize(16, 16);
constexpr QSize kSliderImageSize(21, 7);
constexpr int kGreyMaximum = 255;
// Room to grab the thin slider.
constexpr int kSliderMinimumHeight = 16;

int storedGrey()
{
    return std::clamp(Preferences::myPaletteFullBackgroundColor(), 0, kGreyMaximum);
}

} // namespace

MyPaletteFullWidget::MyPaletteFullWidget(const MyPaletteModel *model, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    Q_ASSERT(m_model);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(InterfaceFonts::regular(InterfaceFonts::kOneStepAbove));
    setAccessibleName(tr("My Palette, large"));
    m_back = new ImageButton(QPixmap(), this);
    m_back->setAccessibleName(tr("Back"));
    connect(m_back, &QPushButton::clicked, this, &MyPaletteFullWidget::backClicked);
    createSlider();
    // A picked colour stands for a chip of the palette; once the palette changed, that chip
    // may be gone.
    connect(m_model, &MyPaletteModel::myPaletteChanged, this, &MyPaletteFullWidget::dropPicked);
    connect(m_model, &MyPaletteModel::reloaded, this, &MyPaletteFullWidget::dropPicked);
    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

void MyPaletteFullWidget::createSlider()
{
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setStyle(VelmoraCustomStyle::instance());
    m_slider->setRange(0, kGreyMaximum);
    m_slider->setInvertedAppearance(true);
    m_slider->setPageStep(kSliderPageStep);
    m_slider->setValue(storedGrey());
    m_slider->setAccessibleName(tr("Background grey"));
    connect(m_slider, &QSlider::valueChanged, this,
            &MyPaletteFullWidget::backgroundColorSliderValueChanged);
}

void MyPaletteFullWidget::selectedCollectionChanged(const QUuid &collection)
{
    m_collection = collection;
    loadImages();
    rebuildLayout();
    update();
}

void MyPaletteFullWidget::loadImages()
{
    const qreal ratio = devicePixelRatioF();
    m_strip = themePixmap(m_collection, kStripKey, kStripTileSize, ratio);
    m_back->setImage(themePixmap(m_collection, kBackKey, kBackImageSize, ratio));
    VelmoraCustomStyle::SliderImages images;
    images.background = themePixmap(m_collection, kSliderBackgroundKey, kSliderImageSize, ratio);
    images.mask = themePixmap(m_collection, kSliderMaskKey, kSliderImageSize, ratio);
    images.thumb = themePixmap(m_collection, kSliderThumbKey, kSliderImageSize, ratio);
    VelmoraCustomStyle::instance()->setSliderImages(images);
    m_slider->updateGeometry();
    m_slider->update();
}

void MyPaletteFullWidget::rebuildLayout()
{
    const int sliderHeight = std::max(m_slider->sizeHint().height(), kSliderMinimumHeight);
    m_layout = MyPaletteFullLayout::forSize(size(), m_back->sizeHint(), sliderHeight);
    m_back->setGeometry(m_layout.backButton);
    m_slider->setGeometry(m_layout.slider);
    updateAccessibleText();
}

void MyPaletteFullWidget::paintEvent(QPaintEvent *)
{
    MyPaletteFullPaintState state;
    state.grey = m_slider->value();
    state.strip = m_strip;
    state.cells = m_model->cells();
    state.picked = m_picked;
    QPainter painter(this);
    paintMyPaletteFull(painter, m_layout, state);
    updateAccessibleText();
}

void MyPaletteFullWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLayout();
}

void MyPaletteFullWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Another window may have moved the slider since this one was last shown.
    m_slider->setValue(storedGrey());
}

void MyPaletteFullWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    dropPicked();
}

void MyPaletteFullWidget::dropPicked()
{
    if (!m_picked)
        return;
    m_picked.reset();
    update();
}

void MyPaletteFullWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressCell(m_layout.cellAt(event->position().toPoint()));
}

void MyPaletteFullWidget::pressCell(const QPoint &cell)
{
    if (m_picked) {
        m_picked.reset();
    } else {
        const PaletteCell contents = m_model->cell(cell);
        if (contents.isFilled())
            m_picked = contents.color;
    }
    update();
}

void MyPaletteFullWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        backClicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MyPaletteFullWidget::backClicked()
{
    emit backButtonClicked();
}

void MyPaletteFullWidget::backgroundColorSliderValueChanged(int value)
{
    Preferences::setMyPaletteFullBackgroundColor(value);
    update();
}

void MyPaletteFullWidget::updateAccessibleText()
{
    const QList<PaletteCell> &cells = m_model->cells();
    const auto filled = std::count_if(cells.cbegin(), cells.cend(),
                                      [](const PaletteCell &c) { return c.isFilled(); });
    QString description = tr("%1 of %2 cells filled, background grey %3")
                              .arg(filled)
                              .arg(cells.size())
                              .arg(m_slider->value());
    if (m_picked)
        description += tr(", showing %1").arg(m_picked->name(QColor::HexRgb).toUpper());
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

} // namespace Corvo
