#pragma once

#include <QTemporaryDir>
#include <QUuid>

// The demo file set in a temporary folder, with the preferences kept there too, for the
// widget benchmarks. Create it after the QApplication; it makes the main demo collection
// current.
class WidgetBenchWorld
{
public:
    WidgetBenchWorld();

    bool isValid() const { return m_valid; }
    QUuid mainCollection() const;
    // Holds "share" (the common application-data folder) and "config" (the preferences).
    QString rootPath() const { return m_root.path(); }

private:
    QTemporaryDir m_root;
    bool m_valid = false;
};
