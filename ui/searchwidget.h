#pragma once

#include "engine/db/selectiontypes.h"
#include "ui/searchlayout.h"

#include <QColor>
#include <QPixmap>
#include <QStringList>
#include <QUuid>
#include <QWidget>

class QCompleter;
class QLineEdit;

namespace Corvo {

class RollButton;
class ToUpperCaseValidator;

// The search box under the card roller: a line edit for a colour name, code or card name,
// completed from the collection's names and codes, and two buttons that roll the deck.
// It only asks: the main widget searches and rolls.
class SearchWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SearchWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QLineEdit *lineEdit() const { return m_edit; }
    const SearchLayout &searchLayout() const { return m_layout; }
    // The main widget's background under this widget, so that the edit blends into it.
    void setBackground(const QPixmap &background);
    // How near the chip a typed colour went to is: a swatch of the colour and the
    // difference, shown at the edit's end until cleared.
    void showColorNote(const QColor &asked, double deltaE);
    // A phrase that found nothing: it goes back into the edit, and a short note without a
    // swatch says so until the next edit.
    void showNoMatchNote(const QString &phrase);
    // Clears either note.
    void clearColorNote();
    QString colorNote() const { return m_noteText; }

signals:
    void roll(Corvo::Direction direction);
    void searchForPhrase(const QString &phrase);

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    void rollForwardButtonClicked();
    void rollBackwardButtonClicked();
    void searchPhraseReturnPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void loadCollection(const QUuid &collection);
    void loadMagnifier(const QUuid &collection);
    void installSuggestions(const QStringList &suggestions);
    void rebuildLayout();
    void applyEditPalette();
    // The italic face shows the placeholder; typed text is upright.
    void updateEditFont(bool focused);
    void leaveEdit();
    QFont noteFont() const;
    // Shows a note's full text as the tool tip and the accessible description; empty for none.
    void tell(const QString &note);

    QLineEdit *m_edit = nullptr;
    ToUpperCaseValidator *m_validator = nullptr;
    RollButton *m_backward = nullptr;
    RollButton *m_forward = nullptr;
    QCompleter *m_completer = nullptr;
    QPixmap m_magnifier;
    QPixmap m_background;
    QColor m_noteColor;
    QString m_noteText;
    SearchLayout m_layout;
};

} // namespace Corvo
