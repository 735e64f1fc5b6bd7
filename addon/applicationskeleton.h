#pragma once

#include <QApplication>

namespace Corvo {

// The application object that lives while a window of the add-on is open. Its one job
// beyond QApplication: no exception thrown by an event handler may reach the host.
class ApplicationSkeleton : public QApplication
{
    Q_OBJECT
public:
    ApplicationSkeleton();
    ~ApplicationSkeleton() override;

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace Corvo
