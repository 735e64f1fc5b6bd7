#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTextEdit;

namespace Corvo {

// The about window: the collection's logo, name, copyright and version, its licence text,
// and a button for Qt's own about box.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kWidth = 680;
    static constexpr int kHeight = 480;
    static constexpr char kVersion[] = "4.0.0";

    // With an engine text the version line names it; from the menu it is empty.
    explicit AboutBox(const QString &engineText = QString(), QWidget *parent = nullptr);

    // "%1 %2 (%3bit)" of the translated version word, or "%1 (engine %2) (%3bit)" of the
    // engine text.
    static QString versionText(const QString &engineText, const QString &versionWord);

public slots:
    void onQtLicenseClicked();

private:
    void createChildren(const QString &engineText);
    void layOut();
    void placeOnScreen();

    QWidget *m_background = nullptr;
    QLabel *m_logo = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_copyright = nullptr;
    QLabel *m_version = nullptr;
    QTextEdit *m_license = nullptr;
    QPushButton *m_qtLicense = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace Corvo
