#ifndef PROTOCOL_H
#define PROTOCOL_H

// The device protocol's vocabulary, kept in one place so that the runner, the
// simulator and the tests all spell every member and value the same way.
namespace Protocol {

// Where a device is found when nothing else is known: the address it takes as
// its own Wi-Fi access point, and the port it listens on.
constexpr char DefaultHost[] = "192.168.4.1";
constexpr int DefaultPort = 8081;

// Every request and reply is one JSON object on one line ending in CR LF.
constexpr char LineEnd[] = "\r\n";

// Request members.
constexpr char Query[] = "query";
constexpr char Name[] = "name";
constexpr char Size[] = "size";
constexpr char Id[] = "id";

// Request kinds, the values of "query".
constexpr char Info[] = "info";
constexpr char Dev[] = "dev";
constexpr char Get[] = "get";
constexpr char State[] = "state";
constexpr char Reset[] = "reset";
constexpr char History[] = "history";
constexpr char Scloud[] = "scloud";
constexpr char Put[] = "put";

// Error form of any reply.
constexpr char Code[] = "code";
constexpr char Error[] = "error";
constexpr int ErrorCode = 1;

// Reply to "info".
constexpr char Board[] = "board";
constexpr char Version[] = "version";
constexpr char Build[] = "build";
constexpr char Stm[] = "stm";

// Reply to "state".
constexpr char Value[] = "value";
constexpr char Modbus[] = "modbus";
constexpr char Mqtt[] = "mqtt";
constexpr char Temperature[] = "t";
constexpr char Humidity[] = "h";
constexpr char Rssi[] = "rssi";
constexpr char Uptime[] = "uptime";

// Reply to "get" (the file name is under "get") and to "history".
constexpr char Data[] = "data";
constexpr char Interval[] = "interval";

// Reply to "dev".
constexpr char Cert[] = "cert";
constexpr char Key[] = "key";

// Device models, as "board" reads once lower-cased.
constexpr char BoardWired[] = "veltra-2u";
constexpr char BoardWifi[] = "veltra-2w";

// Files on the device.
constexpr char SettingsFile[] = "settings.cfg";
constexpr char MqttCertFile[] = "mqtt.cert.der";
constexpr char MqttKeyFile[] = "mqtt.key.der";

// Members of settings.cfg.
constexpr char SysMode[] = "sys-mode";
constexpr char NetMode[] = "net-mode";
constexpr char NetSsid[] = "net-ssid";
constexpr char NetPwd[] = "net-pwd";
constexpr char NetAuth[] = "net-auth";
constexpr char MqttId[] = "mqtt-id";

} // namespace Protocol

#endif // PROTOCOL_H
