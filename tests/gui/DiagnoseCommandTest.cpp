// quarnsoft --diagnose as a technician runs it, on the libusb stand-in: the
// environment describes the USB bus, the vendor library is the simulator's
// drop-in or missing. Each case checks the report's key lines, the fix and
// the exit status.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <vector>

namespace {

struct Case {
    const char* name;
    const char* scene;        // QUARN_USBSTAND_SCENE
    bool vendorLibrary;       // the drop-in libftd2xx.so on the library path
    const char* initFailure;  // QUARN_USBSTAND_INIT_FAILURE, or null
    int exitCode;
    std::vector<const char*> lines;  // each must be in the report, in this order
};

struct Outcome {
    int exitCode = -1;
    QString out;
};

Outcome diagnose(const Case& c) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString path = QStringLiteral(QUARN_USBSTAND_DIR);
    if (c.vendorLibrary) {
        path += QStringLiteral(":") + QStringLiteral(QUARN_DROPIN_DIR);
    }
    environment.insert(QStringLiteral("LD_LIBRARY_PATH"), path);
    environment.insert(QStringLiteral("QUARN_USBSTAND_SCENE"), QString::fromUtf8(c.scene));
    if (c.initFailure != nullptr) {
        environment.insert(QStringLiteral("QUARN_USBSTAND_INIT_FAILURE"),
                           QString::fromLatin1(c.initFailure));
    }
    // No display: the diagnosis opens no window.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUARNSOFT_EXECUTABLE), {QStringLiteral("--diagnose")});
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

TEST(DiagnoseCommand, EachMachineGetsItsReportFixAndExitStatus) {
    const std::vector<Case> cases{
        {"no backend",
         "QuarnProg",
         false,
         "-99",
         1,
         {"d2xx (libftd2xx.so): not usable: libftd2xx.so: cannot open shared object file",
          "libftdi (libftdi1.so.2): not usable: libftdi could not start libusb",
          "The USB devices could not be listed", "Fix: Run lsusb",
          "Result: the programmer cannot be opened."}},
        {"vendor library missing, libftdi1 opens the programmer",
         "QuarnProg",
         false,
         nullptr,
         0,
         {"d2xx (libftd2xx.so): not usable", "libftdi (libftdi1.so.2): usable", "FTDI adapters: 1",
          "Adapter 1: QuarnProg", "USB id:        0403:6001",
          "Bus and port:  bus 1, port 1.1, device 3", "Device node:   /dev/bus/usb/001/003",
          "Node access:   this user may open it", "Open:          opened", "Problems\n  none",
          "Result: the programmer can be opened."}},
        {"permission denied",
         "QuarnProg:access",
         false,
         nullptr,
         1,
         // The fix installs the rule, or only reloads it where this machine
         // has it installed already (the package test installs it for a while).
         {"Open:          access denied (LIBUSB_ERROR_ACCESS)", "udev rule 60-quarnprog.rules",
          "This user may not open the FTDI adapter /dev/bus/usb/001/003",
          "udevadm trigger, then unplug the programmer and plug it in again",
          "Result: the programmer cannot be opened."}},
        {"kernel driver attached, libftdi1 takes the adapter from it",
         "QuarnProg:kernel",
         false,
         nullptr,
         0,
         {"Kernel driver: ftdi_sio is attached", "Open:          opened",
          "Result: the programmer can be opened."}},
        {"kernel driver attached, vendor library present too",
         "QuarnProg:kernel",
         true,
         nullptr,
         0,
         {"d2xx (libftd2xx.so): usable", "Kernel driver: ftdi_sio is attached", "--driver libftdi",
          "Result: the programmer can be opened."}},
        {"busy in another program",
         "QuarnProg:busy",
         false,
         nullptr,
         1,
         {"Open:          busy (LIBUSB_ERROR_BUSY)", "Another program holds the programmer",
          "Fix: Find the program with sudo fuser -v /dev/bus/usb/001/003 and close it"}},
        {"two adapters",
         "QuarnProg;QuarnProg",
         false,
         nullptr,
         1,
         {"FTDI adapters: 2", "Adapter 2: QuarnProg", "2 programmers described QuarnProg",
          "Fix: Unplug one of them"}},
        {"another FTDI adapter only",
         "FT232R USB UART",
         false,
         nullptr,
         1,
         {"Adapter 1: FT232R USB UART", "none describes itself as QuarnProg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = diagnose(c);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.out.toStdString();
        qsizetype from = 0;
        for (const char* line : c.lines) {
            const qsizetype at = outcome.out.indexOf(QString::fromUtf8(line), from);
            EXPECT_GE(at, 0) << "missing, or out of order: " << line << "\n"
                             << outcome.out.toStdString();
            from = at < 0 ? from : at;
        }
    }
}

}  // namespace
