#include "addon/projectcolourswindow.h"

#include "addon/projectcolouroutputs.h"
#include "addon/projectcolourtexts.h"
#include "addon/windowicon.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "ui/interfacefonts.h"
#include "ui/taskbutton.h"
#include "ui/velmoracustomstyle.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace Corvo {

namespace {

using ProjectColourTexts::text;

constexpr int kMargin = 16;
constexpr int kRowHeight = 24;
constexpr int kNameColumnWidth = 160;

QList<ProjectColourRow> rowsOf(const QList<ProjectAttributes::Attribute> &attributes)
{
    QList<ProjectColourRow> rows;
    for (const ProjectAttributes::Attribute &attribute : attributes)
        rows.append({attribute, {}, ProjectColourRow::State::Unchanged, false});
    return rows;
}

// The text of `key` with the count, or of `oneKey` when the count is 1 ("1 row changed").
QString counted(const char *oneKey, const char *key, int count)
{
    const QString format = text(count == 1 ? oneKey : key);
    if (format.contains(QLatin1String("%1")))
        return format.arg(count);
    return count == 1 ? format : format + QLatin1Char(' ') + QString::number(count);
}

} // namespace

ProjectColoursWindow::ProjectColoursWindow(const QList<ProjectAttributes::Attribute> &attributes,
                                           QWidget *parent)
    : QDialog(parent, addOnWindowFlags()), m_matcher(DB::orderedCollections())
{
#ifdef Q_OS_WIN
    setAttribute(Qt::WA_NativeWindow);
#endif
    setWindowIcon(windowIcon());
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(kSize);
    setFont(InterfaceFonts::regular(InterfaceFonts::kBase));
    ProjectColourTexts::forget();
    setWindowTitle(text("project.colors.caption"));
    m_table = new ProjectColourTableModel(this);
    m_table->setRows(rowsOf(attributes));
    createBackground();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    createFilters();
    createTable();
    createButtons();
    matchAll();
    connect(m_table, &QAbstractItemModel::dataChanged, this, &ProjectColoursWindow::updateButtons);
}

void ProjectColoursWindow::createBackground()
{
    auto *widget = new QWidget(this);
    widget->setStyleSheet(addOnBackgroundStyle());
    widget->setGeometry(QRect(QPoint(), kSize));
    widget->lower();
}

void ProjectColoursWindow::createFilters()
{
    auto *row = new QHBoxLayout;
    m_scope = new QComboBox(this);
    m_scope->addItem(text("project.colors.all.collections"), QUuid());
    for (const QUuid &collection : m_matcher.collections())
        m_scope->addItem(DB::collectionName(collection), collection);
    m_scope->setAccessibleDescription(text("project.colors.match.against"));
    m_verdict = new QComboBox(this);
    m_verdict->addItem(text("project.colors.all.verdicts"), ProjectColourFilter::kAnyVerdict);
    for (int verdict = 0; verdict < kColourVerdictCount; ++verdict)
        m_verdict->addItem(ProjectColourTexts::verdict(ColourVerdict(verdict)), verdict);
    m_verdict->setAccessibleName(text("project.colors.column.verdict"));
    // Where a combo box is named by its current text, these still say what it chooses.
    m_verdict->setAccessibleDescription(text("project.colors.column.verdict"));
    m_name = new QLineEdit(this);
    m_name->setPlaceholderText(text("project.colors.filter.name"));
    m_name->setAccessibleName(text("project.colors.filter.name"));
    m_name->setClearButtonEnabled(true);
    auto *scopeLabel = new QLabel(text("project.colors.match.against"), this);
    scopeLabel->setBuddy(m_scope);
    row->addWidget(scopeLabel);
    row->addWidget(m_scope);
    row->addWidget(m_verdict);
    row->addWidget(m_name, 1);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    connect(m_scope, &QComboBox::currentIndexChanged, this, &ProjectColoursWindow::matchAll);
    connect(m_verdict, &QComboBox::currentIndexChanged, this, [this] {
        m_filter->setVerdict(m_verdict->currentData().toInt());
        updateButtons();
    });
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString &typed) {
        m_filter->setText(typed);
        updateButtons();
    });
}

void ProjectColoursWindow::createTable()
{
    m_filter = new ProjectColourFilter(this);
    m_filter->setSourceModel(m_table);
    m_view = new QTableView(this);
    m_view->setModel(m_filter);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(-1, Qt::AscendingOrder);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(kRowHeight);
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(ProjectColourTableModel::Attribute, QHeaderView::Stretch);
    // Names can be long: these keep a width of their own, and the text is cut.
    for (const int column :
         {ProjectColourTableModel::ChipName, ProjectColourTableModel::Collection}) {
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, kNameColumnWidth);
    }
    m_view->verticalScrollBar()->setStyle(VelmoraCustomStyle::instance());
    m_view->setAccessibleName(text("project.colors.caption"));
    m_view->installEventFilter(this);
    m_empty = new QLabel(text("project.colors.empty"), this);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    const bool empty = m_table->rowCount() == 0;
    m_view->setVisible(!empty);
    m_empty->setVisible(empty);
    for (QWidget *filter : std::initializer_list<QWidget *>{m_scope, m_verdict, m_name})
        filter->setEnabled(!empty);
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    layout->addWidget(m_view, 1);
    layout->addWidget(m_empty, 1);
}

void ProjectColoursWindow::createButtons()
{
    m_footer = new QLabel(this);
    m_status = new QLabel(this);
    // A description only: an accessible name would hide the status itself.
    m_status->setAccessibleDescription(text("project.colors.status"));
    m_makeExact = new TaskButton(text("project.colors.make.exact"), this);
    m_addToPalette = new TaskButton(text("project.colors.add.to.palette"), this);
    m_saveSchedule = new TaskButton(text("project.colors.save.schedule"), this);
    m_close = new TaskButton(text("project.colors.close"), this);
    auto *labels = new QHBoxLayout;
    labels->addWidget(m_footer, 1);
    labels->addWidget(m_status);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (TaskButton *button : {m_makeExact, m_addToPalette, m_saveSchedule, m_close})
        buttons->addWidget(button);
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    layout->addLayout(labels);
    layout->addLayout(buttons);
    connect(m_makeExact, &QPushButton::clicked, this, &ProjectColoursWindow::makeExact);
    connect(m_addToPalette, &QPushButton::clicked, this, &ProjectColoursWindow::addToPalette);
    connect(m_saveSchedule, &QPushButton::clicked, this, &ProjectColoursWindow::saveSchedule);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void ProjectColoursWindow::matchAll()
{
    const QUuid only = m_scope->currentData().toUuid();
    QList<ProjectColourRow> rows = m_table->rows();
    for (ProjectColourRow &row : rows)
        row.match = m_matcher.match(row.attribute.colour, only);
    m_table->setRows(rows);
    updateFooter();
    updateButtons();
}

// Only rows the filters show: an action never reaches a row the user cannot see.
QList<int> ProjectColoursWindow::tickedRows() const
{
    QList<int> ticked;
    for (int i = 0; i < m_table->rowCount(); ++i) {
        const bool shown = m_filter->mapFromSource(m_table->index(i, 0)).isValid();
        if (shown && m_table->row(i).ticked)
            ticked.append(i);
    }
    return ticked;
}

void ProjectColoursWindow::tickVerdicts(const QList<ColourVerdict> &verdicts)
{
    for (int i = 0; i < m_table->rowCount(); ++i) {
        const bool tick = verdicts.contains(m_table->row(i).match.verdict);
        m_table->setData(m_table->index(i, ProjectColourTableModel::Attribute),
                         tick ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
}

bool ProjectColoursWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tickKey = key->key() == Qt::Key_Space || key->key() == Qt::Key_Select;
        if (tickKey && key->modifiers() == Qt::NoModifier && toggleCurrentRow())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The whole row looks selected, so Space ticks it whichever of its cells is current.
bool ProjectColoursWindow::toggleCurrentRow()
{
    const QModelIndex current = m_filter->mapToSource(m_view->currentIndex());
    if (!current.isValid())
        return false;
    const bool ticked = m_table->row(current.row()).ticked;
    m_table->setData(m_table->index(current.row(), ProjectColourTableModel::Attribute),
                     ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return true;
}

void ProjectColoursWindow::makeExact()
{
    const QList<int> ticked = tickedRows();
    QList<ProjectAttributes::Change> changes;
    QList<int> changing;
    for (const int i : ticked) {
        const ProjectColourRow &row = m_table->row(i);
        if (!row.match.found())
            continue;
        changes.append(
            {row.attribute, row.match.chipColour, ProjectColourOutputs::exportName(row.match)});
        changing.append(i);
    }
    const QList<std::optional<ProjectAttributes::Attribute>> results =
        ProjectAttributes::apply(changes);
    int changed = 0;
    for (int k = 0; k < changing.size(); ++k) {
        ProjectColourRow row = m_table->row(changing.at(k));
        if (results.at(k)) {
            row.attribute = *results.at(k);
            row.match = m_matcher.match(row.attribute.colour, m_scope->currentData().toUuid());
            row.state = ProjectColourRow::State::Changed;
            row.ticked = false;
            ++changed;
        } else {
            row.state = ProjectColourRow::State::Failed;
        }
        m_table->setRow(changing.at(k), row);
    }
    updateFooter();
    const int failed = int(changing.size()) - changed;
    QString status = counted("project.colors.row.changed", "project.colors.rows.changed", changed);
    if (failed > 0)
        status += QStringLiteral(" · ") +
                  counted("project.colors.row.not.changed", "project.colors.rows.failed", failed);
    setStatus(status);
}

void ProjectColoursWindow::addToPalette()
{
    QList<ProjectColourRow> rows;
    for (const int i : tickedRows())
        rows.append(m_table->row(i));
    const int left = ProjectColourOutputs::addToPalette(rows);
    setStatus(left > 0
                  ? counted("project.colors.palette.full.one", "project.colors.palette.full", left)
                  : text("project.colors.palette.added"));
}

void ProjectColoursWindow::saveSchedule()
{
    const QString path = QFileDialog::getSaveFileName(this, text("project.colors.save.schedule"),
                                                      QString(), QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QList<ProjectColourRow> rows;
    for (const int i : tickedRows())
        rows.append(m_table->row(i));
    QSaveFile file(path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
                       ? path
                       : path + QStringLiteral(".csv"));
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.write(ProjectColourOutputs::schedule(rows)) >= 0 && file.commit();
    setStatus(text(saved ? "project.colors.schedule.saved" : "project.colors.schedule.failed"));
}

void ProjectColoursWindow::updateFooter()
{
    int counts[kColourVerdictCount] = {};
    for (const ProjectColourRow &row : m_table->rows())
        ++counts[int(row.match.verdict)];
    QStringList parts;
    for (int verdict = 0; verdict < kColourVerdictCount; ++verdict)
        parts.append(QStringLiteral("%1: %2")
                         .arg(ProjectColourTexts::verdict(ColourVerdict(verdict)))
                         .arg(counts[verdict]));
    m_footer->setText(parts.join(QStringLiteral(" · ")));
}

void ProjectColoursWindow::setStatus(const QString &text)
{
    m_status->setText(text);
}

void ProjectColoursWindow::updateButtons()
{
    const bool any = !tickedRows().isEmpty();
    m_makeExact->setEnabled(any);
    m_addToPalette->setEnabled(any);
    m_saveSchedule->setEnabled(any);
}

QString ProjectColoursWindow::footerText() const
{
    return m_footer->text();
}

QString ProjectColoursWindow::statusText() const
{
    return m_status->text();
}

} // namespace Corvo
