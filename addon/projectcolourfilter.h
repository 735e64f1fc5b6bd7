#pragma once

#include <QSortFilterProxyModel>

namespace Corvo {

// The rows the user asks to see: of one verdict or of all, and whose attribute, chip code,
// chip name or collection contains the typed text (ignoring case).
class ProjectColourFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    static constexpr int kAnyVerdict = -1;

    explicit ProjectColourFilter(QObject *parent = nullptr);

    void setVerdict(int verdict);
    void setText(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    int m_verdict = kAnyVerdict;
    QString m_text;
};

} // namespace Corvo
