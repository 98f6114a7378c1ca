// A stand-in for a desktop's notification area that speaks the StatusNotifier protocol on the
// session bus, as the panels of most Linux desktops (and every Wayland session) do. Such hosts
// never report a double-click: they call Activate on the icon, and show the icon's menu from
// the menu the program exports.
//
//   tray_host watch              be the watcher and host; print "ready", then "registered NAME"
//                                and "unregistered NAME" as icons come and go
//   tray_host shown NAME         succeed while the icon NAME is there to be shown
//   tray_host activate NAME      activate the icon NAME, as a click on it does
//   tray_host menu NAME          print the labels of the icon's menu, one per line
//   tray_host click NAME LABEL   choose the entry LABEL of the icon's menu
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QObject>
#include <QStringList>
#include <cstdio>

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");

void Say(const QString& line) {
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

int Fail(const QString& why) {
    std::fprintf(stderr, "tray_host: %s\n", why.toLocal8Bit().constData());
    return 1;
}

class Watcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit Watcher(QDBusConnection bus)
        : m_bus(bus)
        , m_gone(this) {
        m_gone.setConnection(bus);
        m_gone.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(&m_gone, &QDBusServiceWatcher::serviceUnregistered, this,
                [this](const QString& name) {
                    m_items.removeAll(name);
                    m_gone.removeWatchedService(name);
                    emit StatusNotifierItemUnregistered(name);
                    Say(QStringLiteral("unregistered ") + name);
                });
    }

    QStringList items() const { return m_items; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString& name) {
        if (m_items.contains(name))
            return;
        m_items << name;
        m_gone.addWatchedService(name);
        emit StatusNotifierItemRegistered(name);
        Say(QStringLiteral("registered ") + name);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& name);
    void StatusNotifierItemUnregistered(const QString& name);
    void StatusNotifierHostRegistered();

private:
    QDBusConnection m_bus;
    QDBusServiceWatcher m_gone;
    QStringList m_items;
};

// One entry of an exported menu: id, properties, children ("(ia{sv}av)").
struct MenuEntry {
    int id = 0;
    QVariantMap properties;
    QList<MenuEntry> children;
};

const QDBusArgument& operator>>(const QDBusArgument& argument, MenuEntry& entry) {
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        MenuEntry childEntry;
        child.variant().value<QDBusArgument>() >> childEntry;
        entry.children << childEntry;
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

QDBusMessage Call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
}

// The object path of the icon's exported menu, or an empty text.
QString MenuPath(const QString& item) {
    const QDBusMessage reply =
        Call(item, kItemPath, QStringLiteral("org.freedesktop.DBus.Properties"),
             QStringLiteral("Get"), {kItemInterface, QStringLiteral("Menu")});
    return reply.arguments()
        .value(0)
        .value<QDBusVariant>()
        .variant()
        .value<QDBusObjectPath>()
        .path();
}

// The top-level entries of the icon's menu, or an error text.
QList<MenuEntry> MenuOf(const QString& item, QString& error) {
    const QString path = MenuPath(item);
    if (path.isEmpty()) {
        error = QStringLiteral("the icon has no menu");
        return {};
    }
    Call(item, path, kMenuInterface, QStringLiteral("AboutToShow"), {0});
    const QDBusMessage layout =
        Call(item, path, kMenuInterface, QStringLiteral("GetLayout"),
             {0, -1, QStringList{QStringLiteral("label"), QStringLiteral("type")}});
    if (layout.type() != QDBusMessage::ReplyMessage || layout.arguments().size() < 2) {
        error = QStringLiteral("no menu layout: ") + layout.errorMessage();
        return {};
    }
    MenuEntry root;
    layout.arguments().at(1).value<QDBusArgument>() >> root;
    return root.children;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Fail(QStringLiteral("no session bus"));
    const QString command = args.value(0);

    if (command == QLatin1String("watch")) {
        Watcher watcher(bus);
        if (!bus.registerObject(kWatcherPath, &watcher,
                                QDBusConnection::ExportAllSlots |
                                    QDBusConnection::ExportAllSignals |
                                    QDBusConnection::ExportAllProperties))
            return Fail(QStringLiteral("cannot export the watcher"));
        if (!bus.registerService(kWatcherService))
            return Fail(QStringLiteral("cannot take the watcher's name"));
        bus.registerService(QStringLiteral("org.kde.StatusNotifierHost-%1")
                                .arg(QCoreApplication::applicationPid()));
        emit watcher.StatusNotifierHostRegistered();
        Say(QStringLiteral("ready"));
        return app.exec();
    }
    const QString item = args.value(1);
    if (item.isEmpty())
        return Fail(QStringLiteral("which icon?"));
    if (command == QLatin1String("shown")) {
        const QDBusMessage reply =
            Call(item, kItemPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                 QStringLiteral("Get"), {kItemInterface, QStringLiteral("Id")});
        return reply.type() == QDBusMessage::ReplyMessage ? 0 : 1;
    }
    if (command == QLatin1String("activate")) {
        const QDBusMessage reply =
            Call(item, kItemPath, kItemInterface, QStringLiteral("Activate"), {0, 0});
        return reply.type() == QDBusMessage::ReplyMessage ? 0 : Fail(reply.errorMessage());
    }
    QString error;
    const QList<MenuEntry> entries = MenuOf(item, error);
    if (!error.isEmpty())
        return Fail(error);
    if (command == QLatin1String("menu")) {
        for (const MenuEntry& entry : entries) {
            if (entry.properties.value(QStringLiteral("type")).toString() !=
                QLatin1String("separator"))
                Say(entry.properties.value(QStringLiteral("label")).toString());
        }
        return 0;
    }
    if (command == QLatin1String("click")) {
        for (const MenuEntry& entry : entries) {
            if (entry.properties.value(QStringLiteral("label")).toString() != args.value(2))
                continue;
            const QDBusMessage reply = Call(
                item, MenuPath(item), kMenuInterface, QStringLiteral("Event"),
                {entry.id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
            return reply.type() == QDBusMessage::ReplyMessage ? 0 : Fail(reply.errorMessage());
        }
        return Fail(QStringLiteral("no entry ") + args.value(2));
    }
    return Fail(QStringLiteral("unknown command ") + command);
}

#include "tray_host.moc"
