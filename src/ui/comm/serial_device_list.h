#pragma once

#include <string>
#include <vector>

namespace kelcc::ui {

// The serial devices present on this machine, for the device-path lists of
// the communication settings: the stable names under /dev/serial/by-id
// first, then ttyUSB, ttyACM and ttyS devices that exist, each with what
// the system says about it.
class SerialDeviceList final {
public:
    struct Device {
        std::string path;
        std::string description;
        bool operator==(const Device&) const = default;
    };

    // `devRoot` and `sysRoot` stand for "/dev" and "/sys" (tests give
    // folders of their own).
    static std::vector<Device> available(const std::string& devRoot = "/dev",
                                         const std::string& sysRoot = "/sys");
};

}  // namespace kelcc::ui
