#include <gtest/gtest.h>
#include <stdio.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "drivers/diagnosis/Diagnosis.h"
#include "drivers/diagnosis/PlainText.h"
#include "unit/diagnosis/MachineFacts.h"

namespace quarn::diagnosis {
namespace {

using namespace quarn::diagnosis::testing;

const std::string kInstallRule =
    "sudo install -m 644 /opt/quarnsoft/60-quarnprog.rules /etc/udev/rules.d/ && sudo udevadm "
    "control --reload-rules && sudo udevadm trigger, then unplug the programmer and plug it in "
    "again";
const std::string kDenied =
    "This user may not open the programmer's USB device node /dev/bus/usb/001/004.";

// The lines between "Problems" and the blank line after them.
std::vector<std::string> problemLines(const std::string& report) {
    std::istringstream in(report);
    std::vector<std::string> lines;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (inside && line.empty()) {
            break;
        }
        if (inside) {
            lines.push_back(line);
        }
        inside = inside || line == "Problems";
    }
    return lines;
}

struct Situation {
    const char* name;
    DiagnosisFacts facts;
    int exitStatus;
    std::vector<std::string> problems;  // the Problems section, line by line
};

TEST(Diagnosis, EachSituationNamesItsProblemsTheirFixesAndTheExitStatus) {
    const AdapterFacts opened = adapter("QuarnProg", OpenOutcome::Opened);
    const AdapterFacts denied =
        adapter("QuarnProg", OpenOutcome::AccessDenied, "LIBUSB_ERROR_ACCESS");
    const AdapterFacts other = adapter("FT232R USB UART", OpenOutcome::Opened);
    DiagnosisFacts unsurveyed = machine({libftdi(true)}, {});
    unsurveyed.survey.usbUsable = false;
    unsurveyed.survey.failure = "LIBUSB_ERROR_OTHER";
    const Situation situations[] = {
        {"no backend",
         machine({vendorLibrary(false), libftdi(false)}, {opened}),
         1,
         {"  1. No USB driver can be used: neither the vendor library nor libftdi1 could be "
          "loaded.",
          "     Fix: sudo apt install libftdi1-2"}},
        {"libftdi instead of the vendor library",
         machine({vendorLibrary(false), libftdi(true)}, {opened}),
         0,
         {"  none"}},
        {"permission denied",
         machine({libftdi(true)}, {denied}),
         1,
         {"  1. " + kDenied, "     Fix: " + kInstallRule}},
        {"permission denied with the rule installed",
         machine({libftdi(true)}, {denied}, UdevRuleState::Installed),
         1,
         {"  1. This user may not open the programmer's USB device node /dev/bus/usb/001/004, "
          "although the udev rule is installed.",
          "     Fix: sudo udevadm control --reload-rules && sudo udevadm trigger, then unplug the "
          "programmer and plug it in again"}},
        {"ftdi_sio with the vendor library alone",
         machine({vendorLibrary(true), libftdi(false)},
                 {heldByFtdiSio(adapter("QuarnProg", OpenOutcome::Busy, "LIBUSB_ERROR_BUSY"))}),
         1,
         {"  1. The kernel's ftdi_sio driver holds the programmer, and the vendor library cannot "
          "open it while it does.",
          "     Fix: sudo rmmod ftdi_sio"}},
        {"ftdi_sio with both backends",
         machine({vendorLibrary(true), libftdi(true)}, {heldByFtdiSio(opened)}),
         0,
         {"  1. The kernel's ftdi_sio driver holds the programmer: the vendor library cannot open "
          "it, libftdi takes it over itself.",
          "     Fix: quarnsoft --driver libftdi"}},
        {"ftdi_sio with libftdi alone",
         machine({libftdi(true)}, {heldByFtdiSio(opened)}),
         0,
         {"  none"}},
        {"busy",
         machine({libftdi(true)}, {adapter("QuarnProg", OpenOutcome::Busy)}),
         1,
         {"  1. Another program holds the programmer.",
          "     Fix: Find the program with sudo fuser -v /dev/bus/usb/001/004 and close it"}},
        {"two programmers",
         machine({libftdi(true)}, {opened, opened}),
         1,
         {"  1. 2 programmers described QuarnProg are connected; the program works with exactly "
          "one.",
          "     Fix: Unplug one of them"}},
        {"other adapters only",
         machine({libftdi(true)}, {other, other}),
         1,
         {"  1. 2 FTDI adapter(s) are connected, but none describes itself as QuarnProg: the "
          "programmer's description was not seen.",
          "     Fix: Plug in the programmer described QuarnProg"}},
        {"an adapter too closed to give its description",
         machine({libftdi(true)}, {other, adapter("", OpenOutcome::AccessDenied)}),
         1,
         {"  1. This user may not open the FTDI adapter /dev/bus/usb/001/004, so its description "
          "could not be read; it may be the programmer.",
          "     Fix: " + kInstallRule}},
        {"no adapter",
         machine({libftdi(true)}, {}),
         1,
         {"  1. No FTDI adapter is connected to this computer.",
          "     Fix: Plug the programmer in (try another cable or USB port); lsusb -d 0403: lists "
          "it once it is seen"}},
        {"no survey",
         unsurveyed,
         1,
         {"  1. The USB devices could not be listed (LIBUSB_ERROR_OTHER).",
          "     Fix: Run lsusb: when it lists no devices either, this system gives no access to "
          "USB"}},
    };
    for (const Situation& situation : situations) {
        SCOPED_TRACE(situation.name);
        const Diagnosis diagnosis = diagnose(situation.facts);
        EXPECT_EQ(problemLines(diagnosis.report), situation.problems);
        EXPECT_EQ(diagnosis.exitStatus, situation.exitStatus);
        // A programmer out of reach is never left without a problem to mend.
        EXPECT_TRUE(diagnosis.exitStatus == 0 || !diagnosis.findings.empty());
    }
}

TEST(Diagnosis, PermissionDeniedReportShowsEverySection) {
    const DiagnosisFacts facts =
        machine({vendorLibrary(false), libftdi(true)},
                {adapter("QuarnProg", OpenOutcome::AccessDenied, "LIBUSB_ERROR_ACCESS")});
    EXPECT_EQ(diagnose(facts).report,
              "QuarnSoft USB diagnosis\n"
              "\n"
              "Driver backends\n"
              "  d2xx (libftd2xx.so): not usable: libftd2xx.so: cannot open shared object file: "
              "No such file or directory\n"
              "  libftdi (libftdi1.so.2): usable\n"
              "\n"
              "FTDI adapters: 1\n"
              "  Adapter 1: QuarnProg\n"
              "    USB id:        0403:6001\n"
              "    Serial number: QP000123\n"
              "    Bus and port:  bus 1, port 1.4, device 4\n"
              "    Device node:   /dev/bus/usb/001/004\n"
              "    Kernel driver: none\n"
              "    Node access:   this user may not open it\n"
              "    Open:          access denied (LIBUSB_ERROR_ACCESS)\n"
              "\n"
              "udev rule 60-quarnprog.rules\n"
              "  not installed; looked in /etc/udev/rules.d\n"
              "\n"
              "Problems\n"
              "  1. This user may not open the programmer's USB device node "
              "/dev/bus/usb/001/004.\n"
              "     Fix: sudo install -m 644 /opt/quarnsoft/60-quarnprog.rules /etc/udev/rules.d/ "
              "&& sudo udevadm control --reload-rules && sudo udevadm trigger, then unplug the "
              "programmer and plug it in again\n"
              "\n"
              "Result: the programmer cannot be opened.\n");
}

#if !defined(_WIN32)
// What the shell makes of a word: printf gives it back unchanged when the
// quoting holds.
std::string throughShell(const std::string& word) {
    FILE* shell = ::popen(("printf '%s' " + shellWord(word)).c_str(), "r");
    std::string echoed;
    if (shell == nullptr) {
        return "(no shell)";
    }
    for (int c = std::fgetc(shell); c != EOF; c = std::fgetc(shell)) {
        echoed += static_cast<char>(c);
    }
    ::pclose(shell);
    return echoed;
}
#endif

TEST(Diagnosis, DeviceTextCannotBreakTheReportAndFixPathsPasteIntoAShell) {
    DiagnosisFacts facts =
        machine({libftdi(true)}, {adapter("Quarn\x1b[2J\nProg", OpenOutcome::Opened),
                                  adapter("QuarnProg", OpenOutcome::AccessDenied)});
    facts.udevRuleSource = "/home/tech/it's $(mine)/60-quarnprog.rules";
    const Diagnosis diagnosis = diagnose(facts);
    EXPECT_NE(diagnosis.report.find("Adapter 1: Quarn\\x1b[2J\\x0aProg\n"), std::string::npos);
    EXPECT_TRUE(std::none_of(diagnosis.report.begin(), diagnosis.report.end(), [](char c) {
        return c != '\n' && static_cast<unsigned char>(c) < 0x20;
    }));
    EXPECT_NE(diagnosis.findings.at(0).fix.find(
                  "install -m 644 '/home/tech/it'\\''s $(mine)/60-quarnprog.rules' /etc/"),
              std::string::npos);
#if !defined(_WIN32)  // the fix commands are for a POSIX shell
    for (const std::string word : {"/plain/path", "it's", "$(touch x) `y` \\ \"z\"", ""}) {
        EXPECT_EQ(throughShell(word), word);
    }
#endif
}

}  // namespace
}  // namespace quarn::diagnosis
