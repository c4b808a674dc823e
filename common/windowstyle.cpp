#include "windowstyle.h"

#include <QScreen>
#include <QWidget>

QFont WindowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
#ifdef Q_OS_WIN
    // Drawn through DirectWrite, as Qt does for this hinting: Wine's GDI
    // draws Liberation Sans at this size with the accents of capitals squashed
    // into a dot or lost ("IČO", "Žilina") and its bold as the regular face.
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    return font;
}

void CentreOnScreen(QWidget &window)
{
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}
