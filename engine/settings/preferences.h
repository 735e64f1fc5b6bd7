#pragma once

#include "engine/db/itemindex.h"

#include <QPoint>
#include <QString>
#include <QUuid>

// The user's preferences: the live store of the selection, the palette and a few view
// options, kept from one run of the host to the next. A fresh store object is opened for
// every read and write outside a batch, so every reader sees the latest value; only the
// last-used collection is cached.
namespace Corvo::Preferences {

// While a batch lives, every read and write of this thread goes to one open store, and the
// writes reach the disk together when the outermost batch ends: one user action, one
// write of the file. Batches nest.
class Batch
{
public:
    Batch();
    ~Batch();
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;
};

inline constexpr char kOrganisation[] = "Velmora";
inline constexpr char kApplication[] = "Tintwell";
inline constexpr char kPaletteGroup[] = "MyPalette";

// Palette file formats as stored in "MyPaletteSaveFileFormat".
inline constexpr int kPaletteFormatXml = 0;
inline constexpr int kPaletteFormatText = 1;

QUuid uuidOfLastUsedCollection();
void setUuidOfLastUsedCollection(const QUuid &uuid);
// Forgets the cached copy, so the next read goes to the store (start-up and tests).
void forgetCachedLastUsedCollection();

qint64 hostApplicationPid();
void setHostApplicationPid(qint64 pid);

int segmentIndex(const QUuid &collection);
void setSegmentIndex(const QUuid &collection, int segment);
// 1 to 7; 7 stands for all moods.
int moodFilter(const QUuid &collection);
void setMoodFilter(const QUuid &collection, int mood);
bool exteriorColors(const QUuid &collection);
void setExteriorColors(const QUuid &collection, bool exterior);
bool showMto(const QUuid &collection);
void setShowMto(const QUuid &collection, bool show);
int pageIndex(const QUuid &collection);
void setPageIndex(const QUuid &collection, int pageIndex);
int rowIndex(const QUuid &collection);
void setRowIndex(const QUuid &collection, int rowIndex);
// 1, 2, 4 or 8; 0 when none was chosen.
int tabPageIndex(const QUuid &collection);
void setTabPageIndex(const QUuid &collection, int page);
// 1 to 9; 0 when none was chosen.
int schemeKind(const QUuid &collection);
void setSchemeKind(const QUuid &collection, int kind);
// 7, 8 or 9; any other value is stored and read as 7.
int schemeNeutralSubKind(const QUuid &collection);
void setSchemeNeutralSubKind(const QUuid &collection, int kind);
bool vistaraGroupOpenState(const QUuid &collection, qint64 groupId, bool defaultOpen);
void setVistaraGroupOpenState(const QUuid &collection, qint64 groupId, bool open);

// Palette cells are addressed (column, row); the keys name the row first: "(row,column)".
ItemIndex myPaletteEntry(int column, int row);
// Removes the key when the index names no chip.
void setMyPaletteEntry(int column, int row, const ItemIndex &index);
bool myPaletteSelected(int column, int row);
// The key is removed first and written only for a selected cell.
void setMyPaletteSelected(int column, int row, bool selected);
bool myPaletteGridVisible();
void setMyPaletteGridVisible(bool visible);
// (-1, -1) unless the store names a cell.
QPoint myPaletteZoomed();
void setMyPaletteZoomed(const QPoint &cell);
// kPaletteFormatText only when the stored value is exactly 1, else kPaletteFormatXml.
int myPaletteSaveFileFormat();
void setMyPaletteSaveFileFormat(int format);
// The interchange format ("gpl", "ase", "css", "csv") of the last save when it was one of
// them; empty when the last save or open was a palette file or a text listing.
QString myPaletteExportFileFormat();
void setMyPaletteExportFileFormat(const QString &format);
QString myPaletteLastSavePath();
void setMyPaletteLastSavePath(const QString &path);
QString myPaletteDescription();
void setMyPaletteDescription(const QString &description);
int myPaletteFullBackgroundColor();
void setMyPaletteFullBackgroundColor(int grey);

} // namespace Corvo::Preferences
