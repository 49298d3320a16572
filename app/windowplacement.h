#ifndef WINDOWPLACEMENT_H
#define WINDOWPLACEMENT_H

#include <QObject>
#include <QRect>
#include <QTimer>

class QWindow;

// Puts the main window where the operator left it (size, position, maximised
// or not), always whole inside a screen's free area whatever the scale
// factor, and remembers it as it changes.
class WindowPlacement : public QObject {
    Q_OBJECT

public:
    // Places `window`, shows it and follows it from then on.
    explicit WindowPlacement(QWindow *window);

    // `wanted` made to fit `available`: no larger than it (unless that is
    // smaller than `minimum`), moved inside it, or centred in it when it was
    // never `placed`.
    static QRect fitted(
        const QRect &wanted, bool placed, const QRect &available, const QSize &minimum);

private:
    void save();

    QWindow *window;
    QTimer saveSoon;
};

#endif // WINDOWPLACEMENT_H
