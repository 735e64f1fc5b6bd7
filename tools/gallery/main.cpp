// The widget gallery: renders every widget of the picker on the demo data, offscreen, to
// PNG files at device pixel ratio 1 and 2 in the folder it is given.
//
//   gallery OUTDIR            both ratios (the second in a child process)
//   gallery OUTDIR --ratio N  one ratio
//
// It writes the demo file set and a collection imported from the spreadsheet example into a
// temporary folder and keeps its preferences there, so it never touches the user's own.
// Exit 1 when a widget painted nothing. It prints only what it wrote and what failed;
// QT_LOGGING_RULES (for example "corvo.*.debug=true") brings the debug lines back.

#include "engine/db/collectioncatalogue.h"
#include "tools/gallery/gallery.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/import/importdeckbuilder.h"
#include "tools/tintwell/import/swatchfilereader.h"
#include "tools/tintwell/import/swatchreadcontext.h"
#include "tools/tintwell/model/deckwriter.h"

#include <QApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The spreadsheet example as `tintwell import` turns it into a collection.
Tintwell::DeckModel importedDeck()
{
    Tintwell::SwatchReadContext context(false);
    Tintwell::SwatchFileReader().read(QStringLiteral(GALLERY_IMPORT_EXAMPLE), context);
    Tintwell::ImportOptions options;
    options.name = QStringLiteral("Harbour Coastal Paints");
    options.systemId = Gallery::importedSystemId();
    return Tintwell::ImportDeckBuilder(options).build(context.entries());
}

// Everything the gallery reads and writes lives in the temporary folder.
bool prepareDemoWorld(const QTemporaryDir &root)
{
    const QString share = root.filePath(QStringLiteral("share"));
    const QString config = root.filePath(QStringLiteral("config"));
    QDir().mkpath(config);
    qputenv("XDG_DATA_DIRS", QFile::encodeName(share));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    const QString data = share + QStringLiteral("/Velmora/Tintwell/SQLite");
    const QString resources = data + QStringLiteral("/Contents/Resources");
    QDir().mkpath(resources);
    Corvo::DB::setDataFolder(data);
    // The file holding the most collections answers the searches across them: the demo's.
    Tintwell::DeckWriter writer;
    if (!writer.write(Tintwell::DemoDeck::build(), resources + QStringLiteral("/velmora.db")) ||
        !writer.write(importedDeck(), resources + QStringLiteral("/zz-imported.db"))) {
        err() << "gallery: cannot write the demo data: " << writer.lastError() << Qt::endl;
        return false;
    }
    return true;
}

QList<Gallery::Shot> allShots()
{
    QList<Gallery::Shot> shots;
    shots += Gallery::buttonShots();
    shots += Gallery::rollerShots();
    shots += Gallery::wheelShots();
    shots += Gallery::moodShots();
    shots += Gallery::searchShots();
    shots += Gallery::tabBarShots();
    shots += Gallery::schemerShots();
    shots += Gallery::tabPageShots();
    shots += Gallery::paletteShots();
    shots += Gallery::selectorShots();
    shots += Gallery::windowShots();
    shots += Gallery::projectColourShots();
    return shots;
}

int renderAll(const QString &outDir, qreal ratio)
{
    QTemporaryDir root;
    if (!root.isValid() || !prepareDemoWorld(root))
        return 1;
    QDir().mkpath(outDir);
    Gallery::Stage stage;
    const QString suffix = QStringLiteral("@%1x.png").arg(ratio);
    int written = 0;
    for (const Gallery::Shot &shot : allShots()) {
        const QImage image = shot.render(stage);
        const QString path = QDir(outDir).filePath(shot.name + suffix);
        if (image.isNull() || !image.save(path))
            stage.fail(QStringLiteral("%1: no picture written").arg(shot.name));
        else
            ++written;
    }
    for (const QString &failure : stage.failures())
        err() << "gallery: " << failure << Qt::endl;
    QTextStream(stdout) << written << " pictures at ratio " << ratio << " in "
                        << QDir::toNativeSeparators(outDir) << Qt::endl;
    return stage.failures().isEmpty() ? 0 : 1;
}

int renderOtherRatio(const QString &program, const QString &outDir)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(program, {outDir, QStringLiteral("--ratio"), QStringLiteral("2")});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit)
        return 1;
    return child.exitCode();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 && !(argc == 4 && qstrcmp(argv[2], "--ratio") == 0)) {
        std::fprintf(stderr, "usage: gallery OUTDIR [--ratio N]\n");
        return 2;
    }
    const bool oneRatio = argc == 4;
    const qreal ratio = oneRatio ? QByteArray(argv[3]).toDouble() : 1.0;
    if (oneRatio && !(ratio >= 1.0 && ratio <= 4.0)) {
        std::fprintf(stderr, "gallery: the ratio is a number from 1 to 4\n");
        return 2;
    }
    // The offscreen screen takes its ratio from the scale factor, so every widget loads
    // its theme images and paints as on a dense screen.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(ratio));
    QLoggingCategory::setFilterRules(
        QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    int result = renderAll(outDir, ratio);
    if (!oneRatio && renderOtherRatio(QCoreApplication::applicationFilePath(), outDir) != 0)
        result = 1;
    return result;
}
