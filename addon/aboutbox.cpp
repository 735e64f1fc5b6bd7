#include "addon/aboutbox.h"

#include "addon/windowicon.h"
#include "engine/db/collectionlookups.h"
#include "engine/settings/preferences.h"
#include "ui/interfacefonts.h"
#include "ui/themeimage.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

namespace Corvo {

namespace {

constexpr int kPointerSize = sizeof(void *) * 8;
constexpr QSize kLogoImageSize(128, 64);
constexpr QSize kLogoLabelSize(128, 48);
constexpr int kMargin = 32;
constexpr int kGap = 8;
constexpr int kButtonExtraWidth = 6;

QString text(const char *key)
{
    return DB::localizedString(Preferences::uuidOfLastUsedCollection(), QString::fromLatin1(key));
}

QFont dialogFont()
{
    QFont font = InterfaceFonts::regular(InterfaceFonts::kBase);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferQuality));
    return font;
}

QFont resized(const QFont &base, int delta, bool bold)
{
    QFont font = base;
    font.setPointSize(qMax(1, base.pointSize() + delta));
    font.setBold(bold);
    return font;
}

QLabel *textLabel(const QString &text, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->adjustSize();
    return label;
}

} // namespace

AboutBox::AboutBox(const QString &engineText, QWidget *parent) : QDialog(parent, addOnWindowFlags())
{
#ifdef Q_OS_WIN
    setAttribute(Qt::WA_NativeWindow);
#endif
    setWindowTitle(text("aboutbox.caption"));
    setWindowIcon(windowIcon());
    setWindowModality(Qt::ApplicationModal);
    setSizeGripEnabled(false);
    setFixedSize(kWidth, kHeight);
    setFont(dialogFont());
    createChildren(engineText);
    layOut();
    placeOnScreen();
}

QString AboutBox::versionText(const QString &engineText, const QString &versionWord)
{
    if (!engineText.isEmpty())
        return QStringLiteral("%1 (engine %2) (%3bit)")
            .arg(engineText, QLatin1String(kVersion))
            .arg(kPointerSize);
    return QStringLiteral("%1 %2 (%3bit)")
        .arg(versionWord, QLatin1String(kVersion))
        .arg(kPointerSize);
}

void AboutBox::createChildren(const QString &engineText)
{
    m_background = new QWidget(this);
    m_background->setStyleSheet(addOnBackgroundStyle());
    m_background->lower();

    m_logo = new QLabel(this);
    m_logo->setFixedSize(kLogoLabelSize);
    m_logo->setAlignment(Qt::AlignCenter);
    m_logo->setPixmap(themePixmap(Preferences::uuidOfLastUsedCollection(),
                                  QStringLiteral("image.about.logo"), kLogoImageSize,
                                  devicePixelRatioF()));
    m_logo->setAccessibleName(tr("Logo"));

    const QFont base = font();
    m_title = textLabel(text("aboutbox.main"), resized(base, 2, true), this);
    m_copyright = textLabel(text("aboutbox.copyright"), base, this);
    m_version = textLabel(versionText(engineText, text("aboutbox.version")),
                          resized(base, -2, false), this);

    m_license = new QTextEdit(this);
    m_license->setReadOnly(true);
    m_license->setHtml(text("license.copyright"));

    m_qtLicense = new QPushButton(text("aboutbox.qt.license.button"), this);
    m_close = new QPushButton(text("aboutbox.close.button"), this);
    m_qtLicense->setAutoDefault(false);
    m_close->setAutoDefault(false);
    m_close->setDefault(true);
    const int buttonWidth =
        qMax(m_qtLicense->sizeHint().width(), m_close->sizeHint().width()) + kButtonExtraWidth;
    m_qtLicense->setFixedWidth(buttonWidth);
    m_close->setFixedWidth(buttonWidth);
    connect(m_qtLicense, &QPushButton::clicked, this, &AboutBox::onQtLicenseClicked);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

// Logo and texts centred in a column, the licence text under them, the buttons at the
// bottom right.
void AboutBox::layOut()
{
    m_background->setGeometry(rect());
    int y = kMargin;
    const auto centre = [&](QWidget *widget) {
        widget->move((width() - widget->width()) / 2, y);
        y += widget->height() + kGap;
    };
    centre(m_logo);
    centre(m_title);
    centre(m_copyright);
    centre(m_version);
    const int buttonHeight = m_close->sizeHint().height();
    const int buttonTop = height() - kMargin / 2 - buttonHeight;
    m_license->setGeometry(kMargin, y + kGap, width() - 2 * kMargin, buttonTop - kGap - (y + kGap));
    m_close->setGeometry(width() - kMargin - m_close->width(), buttonTop, m_close->width(),
                         buttonHeight);
    m_qtLicense->setGeometry(m_close->x() - kGap - m_qtLicense->width(), buttonTop,
                             m_qtLicense->width(), buttonHeight);
}

void AboutBox::placeOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + area.height() / 3);
}

void AboutBox::onQtLicenseClicked()
{
    QMessageBox::aboutQt(this);
}

} // namespace Corvo
