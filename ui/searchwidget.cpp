#include "ui/searchwidget.h"

#include "engine/db/collectionlookups.h"
#include "engine/db/phrasesearch.h"
#include "engine/settings/preferences.h"
#include "ui/chiplook.h"
#include "ui/interfacefonts.h"
#include "ui/rollbutton.h"
#include "ui/searchpainter.h"
#include "ui/themeimage.h"
#include "ui/touppercasevalidator.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace Corvo {

namespace {

const QColor kEditText(255, 255, 255);
const QColor kPlaceholderText(255, 255, 255, 150);
// The edit's height is measured on a capital with an accent and a descender.
const QString kLineSample = QStringLiteral("\u00C1g");
constexpr int kMagnifierInset = 2;
constexpr int kNoteDecimals = 2;

QString searchHelp()
{
    return SearchWidget::tr(
        "Type a colour name, code, card name or a colour such as #A0522D and press Return");
}

} // namespace

SearchWidget::SearchWidget(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_validator(new ToUpperCaseValidator(this)),
      m_backward(new RollButton(Backward, this)), m_forward(new RollButton(Forward, this))
{
    setFixedSize(kSearchWidgetSize);
    setAccessibleName(tr("Colour search"));
    setAccessibleDescription(searchHelp());
    m_edit->setObjectName(QStringLiteral("searchLineEdit"));
    m_edit->setFrame(false);
    m_edit->setTextMargins(0, 0, 0, 0);
    m_edit->setValidator(m_validator);
    m_edit->installEventFilter(this);
    m_backward->setObjectName(QStringLiteral("rollBackwardButton"));
    m_backward->setAccessibleName(tr("Previous card"));
    m_forward->setObjectName(QStringLiteral("rollForwardButton"));
    m_forward->setAccessibleName(tr("Next card"));
    applyEditPalette();
    updateEditFont(false);
    connect(m_edit, &QLineEdit::returnPressed, this, &SearchWidget::searchPhraseReturnPressed);
    connect(m_edit, &QLineEdit::textChanged, this, [this] { updateEditFont(m_edit->hasFocus()); });
    // A note that nothing was found is about the text as it was.
    connect(m_edit, &QLineEdit::textEdited, this, [this] {
        if (!m_noteColor.isValid())
            clearColorNote();
    });
    connect(m_forward, &RollButton::clicked, this, &SearchWidget::rollForwardButtonClicked);
    connect(m_backward, &RollButton::clicked, this, &SearchWidget::rollBackwardButtonClicked);
    loadCollection(Preferences::uuidOfLastUsedCollection());
}

QSize SearchWidget::sizeHint() const
{
    return kSearchWidgetSize;
}

void SearchWidget::setBackground(const QPixmap &background)
{
    m_background = background;
    applyEditPalette();
}

void SearchWidget::showColorNote(const QColor &asked, double deltaE)
{
    m_noteColor = asked;
    m_noteText = QStringLiteral("\u0394E %1").arg(QString::number(deltaE, 'f', kNoteDecimals));
    const QString told =
        tr("Nearest chip to %1: difference %2")
            .arg(asked.name().toUpper(), QString::number(deltaE, 'f', kNoteDecimals));
    tell(told);
}

void SearchWidget::showNoMatchNote(const QString &phrase)
{
    const bool colourValue = phrase.startsWith(QLatin1Char('#'));
    m_noteColor = QColor();
    m_noteText = colourValue ? tr("Not a colour") : tr("No match");
    const QString told = colourValue ? tr("%1 is not a colour value such as #A0522D").arg(phrase)
                                     : tr("No colour named %1").arg(phrase);
    m_edit->setText(phrase);
    tell(told);
}

// The note goes to the field too: a screen reader reads the field that has the focus.
void SearchWidget::tell(const QString &note)
{
    setToolTip(note);
    setAccessibleDescription(note.isEmpty() ? searchHelp() : note);
    m_edit->setAccessibleDescription(note);
    rebuildLayout();
}

void SearchWidget::clearColorNote()
{
    if (m_noteText.isEmpty())
        return;
    m_noteText.clear();
    tell(QString());
}

QFont SearchWidget::noteFont() const
{
    return InterfaceFonts::regular(InterfaceFonts::kOneStepBelow);
}

void SearchWidget::selectedCollectionChanged(const QUuid &collection)
{
    m_backward->selectedCollectionChanged(collection);
    m_forward->selectedCollectionChanged(collection);
    loadCollection(collection);
}

void SearchWidget::rollForwardButtonClicked()
{
    emit roll(Forward);
}

void SearchWidget::rollBackwardButtonClicked()
{
    emit roll(Backward);
}

void SearchWidget::searchPhraseReturnPressed()
{
    const QString phrase = m_edit->text().trimmed();
    m_edit->clear();
    leaveEdit();
    emit searchForPhrase(phrase);
}

void SearchWidget::loadCollection(const QUuid &collection)
{
    loadMagnifier(collection);
    const QString placeholder =
        DB::localizedString(collection, QStringLiteral("color.palette.enter.search.text"));
    m_edit->setPlaceholderText(placeholder);
    m_edit->setAccessibleName(placeholder.trimmed().isEmpty() ? tr("Search") : placeholder);
    QStringList suggestions;
    DB::searchSuggestions(collection, suggestions);
    installSuggestions(suggestions);
    rebuildLayout();
}

// A magnifier taller than the bar is scaled down to fit inside the frame.
void SearchWidget::loadMagnifier(const QUuid &collection)
{
    const QString key = QStringLiteral("image.widget.search.magnifying.glass");
    QSize size = themeImage(collection, key).size();
    const QSize room(width(), height() - 2 * kMagnifierInset);
    if (size.height() > room.height())
        size = size.scaled(room, Qt::KeepAspectRatio);
    m_magnifier = themePixmap(collection, key, size, devicePixelRatioF());
}

// A collection without suggestions gets no completer: the previous collection's names
// must not be offered for it.
void SearchWidget::installSuggestions(const QStringList &suggestions)
{
    QCompleter *previous = m_completer;
    m_completer = nullptr;
    if (!suggestions.isEmpty()) {
        m_completer = new QCompleter(suggestions, this);
        m_completer->setCompletionMode(QCompleter::InlineCompletion);
        m_completer->setCaseSensitivity(Qt::CaseInsensitive);
        // No sorting hint: the completer's binary search compares as QString does, which
        // differs from the collection's sort for letters such as "İ" and would never find
        // them. The list stays in the collection's order, so the first completion offered
        // is still the first in that order.
    }
    m_edit->setCompleter(m_completer);
    delete previous;
}

void SearchWidget::rebuildLayout()
{
    const int lineHeight = QFontMetrics(InterfaceFonts::regular(InterfaceFonts::kBase))
                               .size(Qt::TextSingleLine, kLineSample)
                               .height();
    const int noteWidth =
        m_noteText.isEmpty() ? 0 : QFontMetrics(noteFont()).horizontalAdvance(m_noteText);
    m_layout =
        SearchLayout(size(), m_magnifier.deviceIndependentSize().toSize(), m_backward->size(),
                     m_forward->size(), lineHeight, noteWidth, m_noteColor.isValid());
    m_backward->setGeometry(m_layout.backwardButton());
    m_forward->setGeometry(m_layout.forwardButton());
    m_edit->setGeometry(m_layout.lineEdit());
    applyEditPalette();
    update();
}

void SearchWidget::applyEditPalette()
{
    const QBrush behind = m_background.isNull() || m_layout.lineEdit().isEmpty()
                              ? QBrush(Qt::transparent)
                              : QBrush(ChipLook::pieceUnder(m_background, m_layout.lineEdit()));
    QPalette shades = m_edit->palette();
    shades.setBrush(QPalette::Window, behind);
    shades.setBrush(QPalette::Base, behind);
    shades.setColor(QPalette::Text, kEditText);
    shades.setColor(QPalette::PlaceholderText, kPlaceholderText);
    m_edit->setPalette(shades);
}

void SearchWidget::updateEditFont(bool focused)
{
    const bool upright = focused || !m_edit->text().isEmpty();
    m_edit->setFont(upright ? InterfaceFonts::regular(InterfaceFonts::kBase)
                            : InterfaceFonts::italic(InterfaceFonts::kBase));
}

void SearchWidget::leaveEdit()
{
    setFocus(Qt::OtherFocusReason);
}

bool SearchWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        switch (event->type()) {
        case QEvent::FocusIn:
            updateEditFont(true);
            break;
        case QEvent::FocusOut:
            updateEditFont(false);
            break;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
                m_edit->clear();
                leaveEdit();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SearchWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSearch(painter, m_layout, m_magnifier);
    painter.setFont(noteFont());
    paintSearchNote(painter, m_layout, m_noteColor, m_noteText, kEditText);
}

void SearchWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLayout();
}

} // namespace Corvo
