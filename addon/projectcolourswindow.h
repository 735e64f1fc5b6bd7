#pragma once

#include "addon/projectattributes.h"
#include "addon/projectcolourfilter.h"
#include "addon/projectcolourtablemodel.h"
#include "engine/palette/projectcolourmatcher.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace Corvo {

class TaskButton;

// The project colours window: every material and pen of the project beside its nearest
// chip, and the actions on the ticked rows: make the colours exact in the project, put the
// chips into My Palette, save the rows as a finish schedule.
class ProjectColoursWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr QSize kSize{960, 640};

    // Matches the attributes against every collection offered, their colour indexes read
    // once for the window's life.
    explicit ProjectColoursWindow(const QList<ProjectAttributes::Attribute> &attributes,
                                  QWidget *parent = nullptr);

    ProjectColourTableModel *table() const { return m_table; }
    QTableView *view() const { return m_view; }
    QComboBox *scopeBox() const { return m_scope; }
    QComboBox *verdictBox() const { return m_verdict; }
    QLineEdit *nameFilter() const { return m_name; }
    TaskButton *makeExactButton() const { return m_makeExact; }
    // The counts per verdict, and what the last action did.
    QString footerText() const;
    QString statusText() const;

    // Ticks exactly the rows of these verdicts.
    void tickVerdicts(const QList<ColourVerdict> &verdicts);

public slots:
    // The ticked rows take their chip's colour in the project, a material its export name
    // and a pen its description; a row whose host call failed stays as it was, marked.
    void makeExact();
    void addToPalette();
    void saveSchedule();
    // Matches every row again against the collection chosen, or all of them.
    void matchAll();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createFilters();
    void createTable();
    void createButtons();
    void createBackground();
    QList<int> tickedRows() const;
    bool toggleCurrentRow();
    void updateFooter();
    void setStatus(const QString &text);
    void updateButtons();

    ProjectColourMatcher m_matcher;
    ProjectColourTableModel *m_table = nullptr;
    ProjectColourFilter *m_filter = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_empty = nullptr;
    QComboBox *m_scope = nullptr;
    QComboBox *m_verdict = nullptr;
    QLineEdit *m_name = nullptr;
    QLabel *m_footer = nullptr;
    QLabel *m_status = nullptr;
    TaskButton *m_makeExact = nullptr;
    TaskButton *m_addToPalette = nullptr;
    TaskButton *m_saveSchedule = nullptr;
    TaskButton *m_close = nullptr;
};

} // namespace Corvo
