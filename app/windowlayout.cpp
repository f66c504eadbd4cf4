#include "windowlayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QWidget>

namespace {

const QString geometryKey = QStringLiteral("/Settings/MainWindowGeometry");
const QString splittersKey = QStringLiteral("/Settings/MainWindowSplitters");
const QSize firstSize(1100, 700);

// The first size, within nine tenths of the screen.
QSize defaultSize(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return firstSize;
    return firstSize.boundedTo(screen->availableSize() * 9 / 10);
}

void setDefaultSizes(QSplitter& splitter, const QSize& window)
{
    if (splitter.count() != 2)
        return;
    if (splitter.orientation() == Qt::Horizontal)
        splitter.setSizes({window.width() / 2, window.width() / 2});
    else
        splitter.setSizes({window.height() / 4, window.height() * 3 / 4});
}

} // namespace

void restoreWindowLayout(QWidget& window, const QList<QSplitter*>& splitters, const QSettings& settings)
{
    if (!window.restoreGeometry(settings.value(geometryKey).toByteArray()))
        window.resize(defaultSize(window));
    const QVariantList states = settings.value(splittersKey).toList();
    for (int k = 0; k < splitters.size(); ++k) {
        if (k >= states.size() || !splitters[k]->restoreState(states[k].toByteArray()))
            setDefaultSizes(*splitters[k], window.size());
    }
}

void saveWindowLayout(const QWidget& window, const QList<QSplitter*>& splitters, QSettings& settings)
{
    QVariantList states;
    for (const QSplitter* splitter : splitters)
        states.append(splitter->saveState());
    settings.setValue(geometryKey, window.saveGeometry());
    settings.setValue(splittersKey, states);
}
