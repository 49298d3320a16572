#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWindow>

namespace {
constexpr char GeometryKey[] = "Window/geometry";
constexpr char MaximizedKey[] = "Window/maximized";
} // namespace

WindowPlacement::WindowPlacement(QWindow *window)
    : QObject(window)
    , window(window)
{
    const QSettings settings;
    const QRect saved = settings.value(GeometryKey).toRect();
    const bool placed = saved.isValid();
    const QRect wanted = placed ? saved : QRect(QPoint(), window->size());
    // The screen it was on, if that is still there.
    QScreen *screen = placed ? QGuiApplication::screenAt(saved.center()) : nullptr;
    if (!screen)
        screen = window->screen();
    window->setGeometry(fitted(wanted, placed, screen->availableGeometry(), window->minimumSize()));
    if (settings.value(MaximizedKey).toBool())
        window->showMaximized();
    else
        window->show();

    // Written shortly after each change, and once more on the way out.
    saveSoon.setSingleShot(true);
    saveSoon.setInterval(500);
    connect(&saveSoon, &QTimer::timeout, this, &WindowPlacement::save);
    for (auto signal :
        { &QWindow::xChanged, &QWindow::yChanged, &QWindow::widthChanged, &QWindow::heightChanged })
        connect(window, signal, &saveSoon, qOverload<>(&QTimer::start));
    connect(window, &QWindow::windowStateChanged, &saveSoon, qOverload<>(&QTimer::start));
    connect(qApp, &QCoreApplication::aboutToQuit, this, &WindowPlacement::save);
}

QRect WindowPlacement::fitted(
    const QRect &wanted, bool placed, const QRect &available, const QSize &minimum)
{
    QRect rect(wanted.topLeft(), wanted.size().boundedTo(available.size()).expandedTo(minimum));
    if (!placed) {
        rect.moveCenter(available.center());
    } else {
        rect.moveLeft(qBound(available.left(), rect.left(), available.right() - rect.width() + 1));
        rect.moveTop(qBound(available.top(), rect.top(), available.bottom() - rect.height() + 1));
    }
    return rect;
}

void WindowPlacement::save()
{
    QSettings settings;
    const Qt::WindowStates state = window->windowStates();
    if (state & Qt::WindowMinimized)
        return;
    settings.setValue(MaximizedKey, bool(state & (Qt::WindowMaximized | Qt::WindowFullScreen)));
    // The size to come back to from maximised is the one before it.
    if (state == Qt::WindowNoState)
        settings.setValue(GeometryKey, window->geometry());
}
