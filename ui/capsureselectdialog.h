#pragma once

#include "engine/capsure/capsureimport.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <optional>

class QComboBox;
class QLabel;
class QWidget;

namespace Corvo {

class TaskButton;

// Lets the user pick the collection colour a Capsure measurement stands for: a list of
// the candidates' codes (with their difference from the measured colour when it carries
// one, marked when they are offered as its nearest colours, and with their collection's
// name when they come from several), a preview of the chosen colour and an OK button.
class CapsureSelectDialog : public QDialog
{
    Q_OBJECT
public:
    CapsureSelectDialog(const QList<CapsureCandidate> &candidates, QWidget *parent = nullptr);

    // The chosen candidate; none until an item is chosen.
    const std::optional<CapsureCandidate> &selectedCandidate() const { return m_selected; }
    QColor previewColour() const { return m_previewColour; }
    QComboBox *comboBox() const { return m_comboBox; }
    TaskButton *okButton() const { return m_okButton; }
    QWidget *preview() const { return m_preview; }
    QLabel *instructions() const { return m_instructions; }

    // "background-color: rgba(r, g, b, a);"
    static QString previewStyleSheet(const QColor &colour);
    // The item texts for the candidates, each row once, in order.
    static QStringList itemTexts(const QList<CapsureCandidate> &candidates);
    // The same texts, each fitted into `width` in `metrics`: a text too wide gives up the
    // end of its code and difference first, and the middle of its collection's name only
    // when the name alone is too wide.
    static QStringList fittedItemTexts(const QList<CapsureCandidate> &candidates,
                                       const QFontMetrics &metrics, int width);

public slots:
    void itemSelectionChanged(int itemIndex);
    void okBtnClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fillComboBox();
    // As wide as the longest entry needs, within the screen.
    void fitToEntries();
    void layOut();

    QList<CapsureCandidate> m_candidates;
    std::optional<CapsureCandidate> m_selected;
    QColor m_previewColour;
    QWidget *m_background;
    QComboBox *m_comboBox;
    QWidget *m_preview;
    TaskButton *m_okButton;
    QLabel *m_instructions;
};

} // namespace Corvo
