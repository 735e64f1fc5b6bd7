#pragma once

#include "tests/ui/demoworld.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

// The demo file set plus a second file holding a copy of the main collection under its own
// UUID, so that a picker whose first file is damaged has somewhere intact to go.
class FaultWorld
{
public:
    FaultWorld();

    bool isValid() const { return m_valid; }
    TestEnvironment &environment() { return m_demo.environment(); }
    QString demoFile() const { return m_demoFile; }
    QString spareFile() const { return m_spareFile; }
    static QUuid spareCollection();

    // Puts the demo file back as it was written, as a new file, and drops every open
    // collection connection and the catalogue, so that the next window starts afresh.
    bool restore();
    // No open collection connection and an empty catalogue, as in a fresh command.
    static void forgetConnections();

private:
    DemoWorld m_demo;
    QString m_demoFile;
    QString m_spareFile;
    QByteArray m_demoBytes;
    bool m_valid = false;
};
