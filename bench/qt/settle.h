// Lets the desktop catch up: runs what is queued, closed windows' deferred deletes included, so
// no run leaves its windows behind for the next one to wade through.
#pragma once

#include <QCoreApplication>
#include <QEvent>

namespace benchqt {

inline void Settle() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace benchqt
