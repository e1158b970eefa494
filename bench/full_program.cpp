#include "full_program.h"

#include <cstdio>
#include <vector>

namespace kelcc::bench {

namespace {

std::string bit(char letter, int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%04d.%d", letter, n % 200, n % 8);
    return buf;
}

std::string pad(const char* mnemonic) {
    std::string s = mnemonic;
    s.resize(8, ' ');
    return s;
}

}  // namespace

std::string fullProgramFile() {
    std::vector<std::string> il;
    int n = 0;
    while (il.size() < 4990) {
        switch (n % 5) {
            case 0:  // series and parallel contacts
                il.push_back(pad("LD") + bit('X', n));
                il.push_back(pad("AND") + bit('X', n + 1));
                il.push_back(pad("OR") + bit('R', n));
                il.push_back(pad("ANI") + bit('R', n + 1));
                il.push_back(pad("OUT") + bit('Y', n));
                break;
            case 1:  // a parallel pair in series, two outputs
                il.push_back(pad("LD") + bit('X', n));
                il.push_back(pad("LD") + bit('R', n));
                il.push_back(pad("ORI") + bit('R', n + 2));
                il.push_back(pad("ANB"));
                il.push_back(pad("OUT") + bit('R', n + 3));
                il.push_back(pad("OUT") + bit('Y', n + 1));
                break;
            case 2: {  // two series branches in parallel, a timer
                il.push_back(pad("LD") + bit('X', n));
                il.push_back(pad("AND") + bit('X', n + 3));
                il.push_back(pad("LD") + bit('R', n + 4));
                il.push_back(pad("AND") + bit('R', n + 5));
                il.push_back(pad("ORB"));
                char timer[48];
                std::snprintf(timer, sizeof timer, "TMRB    T%04d 1000 %s", n % 100,
                              bit('R', n + 6).c_str());
                il.push_back(timer);
                break;
            }
            case 3:  // a comparison
                il.push_back(pad("LD") + bit('F', n));
                il.push_back("CMP     0001 D0001 100 " + bit('R', n + 7));
                break;
            default:  // set and reset
                il.push_back(pad("LDI") + bit('G', n));
                il.push_back(pad("SET") + bit('Y', n + 2));
                break;
        }
        ++n;
    }
    il.push_back("END1    ");
    il.push_back("END2    ");
    std::string file =
        "PLC VER1.0\r\nPLC_ORGANIZATION\r\nTOTALSTEPS\t" + std::to_string(il.size()) + "\r\n";
    for (std::size_t i = 0; i < il.size(); ++i) {
        char num[32];
        std::snprintf(num, sizeof num, "%04zu    ", i);
        file += num + il[i] + "\r\n";
    }
    return file + "END_PLC_ORGANIZATION\r\n\r\n";
}

}  // namespace kelcc::bench
