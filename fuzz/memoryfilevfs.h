#pragma once

#include <QByteArray>
#include <QString>

// SQLite's file system for the fuzz targets, made the default: one path, served, reads as
// bytes held in memory, so that a target hands every input to the engine's own read-only
// open without writing it anywhere. The served file is immutable, as the engine opens a
// file in write-ahead-log mode; every other file is the operating system's.
class MemoryFileVfs
{
public:
    // Registers the file system in front of the operating system's; false when SQLite
    // refuses it. Files written before keep the operating system's.
    static bool install();
    // Every later open of the path reads these bytes. Connections already open keep
    // reading what they had.
    static void serve(const QString &path, const QByteArray &bytes);
};
