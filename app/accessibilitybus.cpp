#include "app/accessibilitybus.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <memory>
#include <xcb/xcb.h>

namespace {

const char BusProperty[] = "AT_SPI_BUS";

struct XcbFree {
    void operator()(void *reply) const { free(reply); }
};
template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

xcb_atom_t atom(xcb_connection_t *connection)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof BusProperty - 1, BusProperty), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool rootHasAddress(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t property)
{
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, root, property, XCB_ATOM_STRING, 0, 1024), nullptr));
    return reply && xcb_get_property_value_length(reply.get()) > 0;
}

// The accessibility bus's address, only if its launcher already runs: a
// desktop without a screen reader's bus is not made to start one.
QByteArray busAddress()
{
    QDBusConnection session = QDBusConnection::sessionBus();
    const QString service = QStringLiteral("org.a11y.Bus");
    if (!session.isConnected() || !session.interface()->isServiceRegistered(service))
        return {};
    const QDBusMessage reply
        = session.call(QDBusMessage::createMethodCall(service, QStringLiteral("/org/a11y/bus"),
                           service, QStringLiteral("GetAddress")),
            QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().toString().toUtf8();
}

} // namespace

void AccessibilityBus::publishAddress()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen && screens.rem; ++i)
        xcb_screen_next(&screens);
    const xcb_atom_t property = atom(connection);
    if (screens.rem && property != XCB_ATOM_NONE
        && !rootHasAddress(connection, screens.data->root, property)) {
        const QByteArray address = busAddress();
        if (!address.isEmpty()) {
            // Checked: waiting for the server's answer is what makes the
            // property stand before the connection goes.
            const XcbReply<xcb_generic_error_t> error(xcb_request_check(connection,
                xcb_change_property_checked(connection, XCB_PROP_MODE_REPLACE, screens.data->root,
                    property, XCB_ATOM_STRING, 8, uint32_t(address.size()), address.constData())));
        }
    }
    xcb_disconnect(connection);
}

#else

void AccessibilityBus::publishAddress() { }

#endif
