#include "comm/serial_device_list.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kelcc::ui {
namespace {

namespace fs = std::filesystem;

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The product and maker of the device, searched upwards from the tty's
// device node in the system tree (a USB adapter keeps them a few levels
// up); else its driver's name.
std::string describe(const std::string& name, const std::string& sysRoot) {
    std::error_code ec;
    const fs::path tty = fs::path(sysRoot) / "class" / "tty" / name;
    const fs::path device = fs::canonical(tty / "device", ec);
    if (ec) return {};
    fs::path at = device;
    for (int level = 0; level < 5 && !at.empty() && at != at.root_path(); ++level) {
        const std::string product = firstLine(at / "product");
        if (!product.empty()) {
            const std::string maker = firstLine(at / "manufacturer");
            return maker.empty() ? product : maker + " " + product;
        }
        at = at.parent_path();
    }
    const fs::path driver = fs::canonical(device / "driver", ec);
    return ec ? std::string() : driver.filename().string();
}

// A ttyS node exists for every possible UART; only those the kernel found
// a port for have a type other than 0.
bool realUart(const std::string& name, const std::string& sysRoot) {
    const std::string type = firstLine(fs::path(sysRoot) / "class" / "tty" / name / "type");
    return !type.empty() && type != "0";
}

bool hasPrefix(const std::string& name, const char* prefix) {
    return name.rfind(prefix, 0) == 0;
}

}  // namespace

std::vector<SerialDeviceList::Device> SerialDeviceList::available(const std::string& devRoot,
                                                                  const std::string& sysRoot) {
    std::vector<Device> devices;
    std::error_code ec;
    std::vector<Device> stable;
    for (const auto& entry : fs::directory_iterator(fs::path(devRoot) / "serial" / "by-id", ec)) {
        const fs::path target = fs::canonical(entry.path(), ec);
        const std::string node = ec ? std::string() : target.filename().string();
        std::string text = describe(node, sysRoot);
        if (!node.empty()) text = text.empty() ? node : text + " (" + node + ")";
        stable.push_back({entry.path().string(), text});
    }
    std::sort(stable.begin(), stable.end(),
              [](const Device& a, const Device& b) { return a.path < b.path; });
    devices = std::move(stable);

    std::vector<Device> nodes;
    for (const auto& entry : fs::directory_iterator(fs::path(devRoot), ec)) {
        const std::string name = entry.path().filename().string();
        const bool usb = hasPrefix(name, "ttyUSB") || hasPrefix(name, "ttyACM");
        if (!usb && !(hasPrefix(name, "ttyS") && realUart(name, sysRoot))) continue;
        nodes.push_back({entry.path().string(), describe(name, sysRoot)});
    }
    // ttyUSB before ttyACM before ttyS, each in number order.
    auto rank = [](const std::string& path) {
        const std::string name = fs::path(path).filename().string();
        const int kind = hasPrefix(name, "ttyUSB") ? 0 : hasPrefix(name, "ttyACM") ? 1 : 2;
        const std::size_t digits = name.find_first_of("0123456789");
        const int number = digits == std::string::npos ? 0 : std::stoi(name.substr(digits));
        return std::pair(kind, number);
    };
    std::sort(nodes.begin(), nodes.end(),
              [&](const Device& a, const Device& b) { return rank(a.path) < rank(b.path); });
    devices.insert(devices.end(), nodes.begin(), nodes.end());
    return devices;
}

}  // namespace kelcc::ui
