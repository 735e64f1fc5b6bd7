#include "ui/capsureselectdialog.h"

#include "engine/db/collectionlookups.h"
#include "engine/settings/preferences.h"
#include "ui/capsureselectlayout.h"
#include "ui/interfacefonts.h"
#include "ui/taskbutton.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSet>

namespace Corvo {

namespace {

const QString kBackgroundStyle = QStringLiteral("background-color: rgb(123, 123, 123);");
const QString kInitialPreviewStyle = QStringLiteral("background-color: rgb(255, 0, 0);");
const QString kInstructionsStyle =
    QStringLiteral("color:rgb(240,240,240);border-color:rgb(255,255,255);");
const QString kItemWithCollection = QStringLiteral("%1 (%2)");
const QString kItemWithDifference = QStringLiteral("%1 \u2014 \u0394E %2");
const QString kItemNearest = QStringLiteral("%1 \u2014 nearest, \u0394E %2");
constexpr int kDifferenceDecimals = 2;
constexpr int kListTextMargin = 16;
// Room left to the screen's edges around the widest dialog.
constexpr int kScreenMargin = 32;

Qt::WindowFlags dialogFlags(Qt::WindowFlags flags)
{
    flags &= ~(Qt::WindowContextHelpButtonHint | Qt::WindowMinimizeButtonHint |
               Qt::WindowMaximizeButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    return flags | Qt::CustomizeWindowHint;
}

bool fromSeveralCollections(const QList<CapsureCandidate> &candidates)
{
    for (const CapsureCandidate &candidate : candidates) {
        if (candidate.entry.collectionId != candidates.first().entry.collectionId)
            return true;
    }
    return false;
}

// Each row once, the first candidate naming it standing for all.
QList<const CapsureCandidate *> listedCandidates(const QList<CapsureCandidate> &candidates)
{
    QList<const CapsureCandidate *> listed;
    QSet<qint64> rows;
    for (const CapsureCandidate &candidate : candidates) {
        if (rows.contains(candidate.entry.id))
            continue;
        rows.insert(candidate.entry.id);
        listed.append(&candidate);
    }
    return listed;
}

bool offersNearest(const QList<CapsureCandidate> &candidates)
{
    return !candidates.isEmpty() && candidates.first().nearest;
}

// The code, with how far the chip lies from the measured colour when that is known.
QString codeWithDifference(const CapsureCandidate &candidate)
{
    if (!candidate.deltaE)
        return candidate.entry.code;
    const QString difference = QString::number(*candidate.deltaE, 'f', kDifferenceDecimals);
    return (candidate.nearest ? kItemNearest : kItemWithDifference)
        .arg(candidate.entry.code, difference);
}

} // namespace

CapsureSelectDialog::CapsureSelectDialog(const QList<CapsureCandidate> &candidates, QWidget *parent)
    : QDialog(parent), m_candidates(candidates), m_background(new QWidget(this)),
      m_comboBox(new QComboBox(this)), m_preview(new QWidget(this)),
      m_okButton(new TaskButton(QStringLiteral("OK"), this)), m_instructions(new QLabel(this))
{
    const QUuid current = Preferences::uuidOfLastUsedCollection();
    setWindowTitle(DB::localizedString(current, QStringLiteral("capsure.dialog.caption")));
    setWindowFlags(dialogFlags(windowFlags()));
    setWindowOpacity(1.0);
    setFont(InterfaceFonts::regular(InterfaceFonts::kBase));

    m_background->setAttribute(Qt::WA_StyledBackground);
    m_background->setStyleSheet(kBackgroundStyle);
    m_comboBox->setFont(font());
    m_comboBox->setEditable(false);
    m_comboBox->setInsertPolicy(QComboBox::InsertAtBottom);
    m_comboBox->setAccessibleName(offersNearest(candidates) ? tr("Nearest colours")
                                                            : tr("Matching colours"));
    m_preview->setAttribute(Qt::WA_StyledBackground);
    m_preview->setStyleSheet(kInitialPreviewStyle);
    m_preview->setAccessibleName(tr("Colour preview"));
    m_okButton->setEnabled(false);
    m_okButton->setDefault(true);
    m_instructions->setText(DB::localizedString(current, QStringLiteral("capsure.dialog.todo")));
    m_instructions->setAlignment(Qt::AlignCenter);
    m_instructions->setStyleSheet(kInstructionsStyle);
    m_instructions->setFrameStyle(QFrame::Box | QFrame::Plain);

    fillComboBox();
    itemSelectionChanged(m_comboBox->currentIndex());
    connect(m_comboBox, &QComboBox::currentIndexChanged, this,
            &CapsureSelectDialog::itemSelectionChanged);
    connect(m_okButton, &QPushButton::clicked, this, &CapsureSelectDialog::okBtnClicked);
    fitToEntries();
    layOut();
}

QString CapsureSelectDialog::previewStyleSheet(const QColor &colour)
{
    return QStringLiteral("background-color: rgba(%1, %2, %3, %4);")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(colour.alpha());
}

QStringList CapsureSelectDialog::itemTexts(const QList<CapsureCandidate> &candidates)
{
    const bool withCollection = fromSeveralCollections(candidates);
    QStringList texts;
    for (const CapsureCandidate *candidate : listedCandidates(candidates)) {
        const QString code = codeWithDifference(*candidate);
        texts.append(withCollection ? kItemWithCollection.arg(code, candidate->collectionName)
                                    : code);
    }
    return texts;
}

QStringList CapsureSelectDialog::fittedItemTexts(const QList<CapsureCandidate> &candidates,
                                                 const QFontMetrics &metrics, int width)
{
    const bool withCollection = fromSeveralCollections(candidates);
    const QString ellipsis(QChar(0x2026));
    QStringList texts;
    for (const CapsureCandidate *candidate : listedCandidates(candidates)) {
        QString code = codeWithDifference(*candidate);
        QString name = candidate->collectionName;
        const QString whole = withCollection ? kItemWithCollection.arg(code, name) : code;
        if (metrics.horizontalAdvance(whole) <= width) {
            texts.append(whole);
            continue;
        }
        if (!withCollection) {
            texts.append(metrics.elidedText(code, Qt::ElideRight, width));
            continue;
        }
        // The collection's name tells the candidates apart: the code gives way first, and
        // only a name that cannot fit even then loses its middle.
        const int codeRoom =
            width - metrics.horizontalAdvance(kItemWithCollection.arg(QString(), name));
        if (codeRoom >= metrics.horizontalAdvance(ellipsis)) {
            code = metrics.elidedText(code, Qt::ElideRight, codeRoom);
        } else {
            code = ellipsis;
            name = metrics.elidedText(
                name, Qt::ElideMiddle,
                width - metrics.horizontalAdvance(kItemWithCollection.arg(code, QString())));
        }
        texts.append(kItemWithCollection.arg(code, name));
    }
    return texts;
}

void CapsureSelectDialog::fillComboBox()
{
    const QStringList texts = itemTexts(m_candidates);
    const QList<const CapsureCandidate *> listed = listedCandidates(m_candidates);
    for (qsizetype i = 0; i < listed.size(); ++i)
        m_comboBox->addItem(texts.at(i), QVariant::fromValue(listed.at(i)->entry.id));
    // The box is narrow for a code with its collection's name; the open list shows them whole.
    m_comboBox->view()->setMinimumWidth(m_comboBox->view()->sizeHintForColumn(0) + kListTextMargin);
}

void CapsureSelectDialog::fitToEntries()
{
    const QScreen *screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() - kScreenMargin
                                   : CapsureSelectLayout::kDialogSize.width();
    const int wanted = m_comboBox->sizeHint().width();
    const int width = capsureSelectDialogWidth(wanted, screenWidth);
    setFixedSize(width, CapsureSelectLayout::kDialogSize.height());
    const int comboWidth = width - 2 * CapsureSelectLayout::kComboInset;
    if (wanted <= comboWidth)
        return;
    // The box's frame and arrow take what the texts do not.
    const QStringList texts = itemTexts(m_candidates);
    int longest = 0;
    for (const QString &text : texts)
        longest = std::max(longest, m_comboBox->fontMetrics().horizontalAdvance(text));
    const QStringList fitted =
        fittedItemTexts(m_candidates, m_comboBox->fontMetrics(), comboWidth - (wanted - longest));
    for (int i = 0; i < fitted.size() && i < m_comboBox->count(); ++i) {
        m_comboBox->setItemText(i, fitted.at(i));
        m_comboBox->setItemData(i, texts.at(i), Qt::ToolTipRole);
    }
}

void CapsureSelectDialog::itemSelectionChanged(int itemIndex)
{
    m_selected.reset();
    m_previewColour = QColor(0, 0, 0, 0);
    if (itemIndex >= 0) {
        const qint64 rowId = m_comboBox->itemData(itemIndex).toLongLong();
        for (const CapsureCandidate &candidate : m_candidates) {
            if (candidate.entry.id == rowId) {
                m_selected = candidate;
                m_previewColour = DB::chipColor(candidate.entry);
                break;
            }
        }
    }
    m_preview->setStyleSheet(previewStyleSheet(m_previewColour));
    m_okButton->setEnabled(itemIndex >= 0);
}

void CapsureSelectDialog::okBtnClicked()
{
    accept();
}

void CapsureSelectDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOut();
}

void CapsureSelectDialog::layOut()
{
    const CapsureSelectLayout layout =
        capsureSelectLayout(size(), fontMetrics().height(), m_comboBox->minimumSizeHint().height());
    m_background->setGeometry(layout.background);
    m_comboBox->setGeometry(layout.comboBox);
    m_preview->setGeometry(layout.preview);
    m_okButton->setGeometry(layout.okButton);
    m_instructions->setGeometry(layout.label);
}

} // namespace Corvo
