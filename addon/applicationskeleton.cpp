#include "addon/applicationskeleton.h"

#include <QDebug>

namespace Corvo {

namespace {
// QApplication keeps a reference to the argument count for its whole life.
int argumentCount = 0;
} // namespace

ApplicationSkeleton::ApplicationSkeleton() : QApplication(argumentCount, nullptr) {}

ApplicationSkeleton::~ApplicationSkeleton() = default;

bool ApplicationSkeleton::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        qDebug() << "Application caught an exception from"
                 << (receiver != nullptr ? receiver->objectName() : QString()) << "from event type"
                 << (event != nullptr ? int(event->type()) : -1);
    }
    return false;
}

} // namespace Corvo
