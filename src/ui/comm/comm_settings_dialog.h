#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <vector>

#include "comm/serial_device_list.h"

class QComboBox;
class QLabel;

namespace kelcc::ui {

// "通信设置": the port number and baud rate, and for each port number the
// device it stands for on this machine, picked from the devices present or
// typed. A path that does not exist is marked, not refused: the adapter may
// simply not be plugged in yet.
class CommSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPorts = 4;
    using Paths = std::array<QString, kPorts>;

    struct Values {
        QString port;  // "1".."4"
        QString baud;
        Paths paths;
    };

    // `stored` holds the settings file's texts; a port or baud text that is
    // not offered selects "1" or "38400".
    CommSettingsDialog(const Values& stored, const std::vector<SerialDeviceList::Device>& devices,
                       QWidget* parent = nullptr);

    Values values() const;
    QComboBox* portList() const { return m_port; }
    QComboBox* baudList() const { return m_baud; }
    QComboBox* pathList(int index) const { return m_paths[static_cast<std::size_t>(index)]; }
    QString pathState(int index) const;

private:
    void updateState(int index);

    QComboBox* m_port = nullptr;
    QComboBox* m_baud = nullptr;
    std::array<QComboBox*, kPorts> m_paths{};
    std::array<QLabel*, kPorts> m_states{};
};

}  // namespace kelcc::ui
