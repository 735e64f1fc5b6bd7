#pragma once

#include <QStringList>
#include <QUuid>
#include <QWidget>

class QLabel;
class QListWidget;

namespace Corvo {

// The products (or product groups, as the collection chooses) in which the selected colour
// is sold, under the colour's code. It reloads only while shown; a change while hidden is
// picked up when it is shown again.
class ProductsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ProductsWidget(QWidget *parent = nullptr);

    QLabel *codeLabel() const { return m_code; }
    QListWidget *list() const { return m_list; }
    // The texts listed, in order.
    QStringList itemTexts() const;

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    void selectedColorChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void reloadWhenShown();
    void reload();
    void refreshAccessibleDescription(const QString &code);

    QUuid m_collection;
    // An input changed while the view was hidden.
    bool m_stale = true;
    QLabel *m_code = nullptr;
    QListWidget *m_list = nullptr;
};

} // namespace Corvo
