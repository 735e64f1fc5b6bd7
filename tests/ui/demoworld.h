#pragma once

#include "testenvironment.h"

#include <QUuid>

// A private test environment holding the demo file set, written by the collection tool's
// own deck writer; the widgets under test read it like the installed data.
class DemoWorld
{
public:
    DemoWorld();

    bool isValid() const { return m_valid; }
    TestEnvironment &environment() { return m_environment; }
    static QUuid mainCollection();
    static QUuid lustrelCollection();

    // Makes the collection the one the picker shows: the last-used collection, the owner
    // of the settings cache and of the name orders.
    static void makeCurrent(const QUuid &collection);
    // Forgets every preference (selection, palette, view options).
    static void clearPreferences();

private:
    TestEnvironment m_environment;
    bool m_valid = false;
};
